// The menus and the routing of menu, toolbar and page commands to the shown page.
#include <QMenuBar>

#include "shell/MainControls.h"
#include "shell/frmMain.h"
#include "shell/frmMain_windows.h"
#include "shell/toolbar_keys.h"
#include "shell/window_placement.h"

namespace quorvane {

void frmMain::createMenus() {
  mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  mnuRun = mnuFile->addAction(QStringLiteral("実行(&R)"), this, &frmMain::mnuRun_Click);
  mnuSave = mnuFile->addAction(QStringLiteral("保存(&S)"), this, &frmMain::mnuSave_Click);
  mnuLine = mnuFile->addSeparator();
  mnuEnd = mnuFile->addAction(QStringLiteral("終了(&X)"), this, &frmMain::mnuEnd_Click);

  mnuOpt = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
  mnuOptToolbar = mnuOpt->addAction(QStringLiteral("ツールバーを表示(&T)"));
  mnuOptToolbar->setCheckable(true);
  mnuOptToolbar->setChecked(true);
  // The handler toggles the check mark itself, so the action's own toggle is undone first.
  connect(mnuOptToolbar, &QAction::triggered, this, [this](bool) {
    mnuOptToolbar->setChecked(!mnuOptToolbar->isChecked());
    mnuOptToolbar_Click();
  });
  // Remembered between runs of the program, as the setting "RecurseSubfolders" ("1" or "0").
  mnuOptRecurse = mnuOpt->addAction(QStringLiteral("サブフォルダーも抽出(&S)"));
  mnuOptRecurse->setCheckable(true);
  mnuOptRecurse->setChecked(readSetting(QStringLiteral("RecurseSubfolders")) == QStringLiteral("1"));
  connect(mnuOptRecurse, &QAction::toggled, this, [](bool on) {
    writeSetting(QStringLiteral("RecurseSubfolders"), on ? QStringLiteral("1") : QStringLiteral("0"));
  });

  mnuHelp = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  mnuHelp1 = mnuHelp->addAction(QStringLiteral("Quorvane ヘルプ(&H)"), this, &frmMain::mnuHelp1_Click);
  mnuHelp->addSeparator();
  mnuVer = mnuHelp->addAction(QStringLiteral("バージョン情報(&A)"), this, &frmMain::mnuVer_Click);
}

void frmMain::mnuRun_Click() {
  if (mnuRun->isEnabled()) shownPage().run();
}

void frmMain::mnuSave_Click() {
  if (mnuSave->isEnabled()) shownPage().save();
}

void frmMain::mnuEnd_Click() { close(); }

bool frmMain::recurseSubfolders() const { return mnuOptRecurse && mnuOptRecurse->isChecked(); }

bool frmMain::toolbarVisible() const { return mnuOptToolbar && mnuOptToolbar->isChecked(); }

void frmMain::mnuOptToolbar_Click() {
  mnuOptToolbar->setChecked(!mnuOptToolbar->isChecked());
  m_controls->setToolbarVisible(mnuOptToolbar->isChecked());
  placeSurfaces();
}

void frmMain::mnuHelp1_Click() {
  // One help window: a second request brings the open one to the front.
  if (m_helpWindow) {
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
    return;
  }
  m_helpWindow = showHelpWindow(this, m_helpFile);
}

void frmMain::mnuVer_Click() {
  setFocusChaserHook(false);
  showAboutBox(this);
  setFocusChaserHook(true);
}

void frmMain::mcToolBar_ButtonClick(int id) {
  if (!m_controls->toolbarEnabled(id)) return;
  switch (id) {
    case kRunKey:
      mnuRun_Click();
      break;
    case kSaveKey:
      mnuSave_Click();
      break;
    case kChooseKey:
      shownPage().choose();
      break;
    case kCopyKey:
      shownPage().copy();
      break;
    case kExitKey:
      close();
      break;
    case kMinimiseKey:
      showMinimized();
      break;
    default:
      break;
  }
}

}  // namespace quorvane
