// The main window: menus, command state, pages, focus rule, toolbar, placement settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include "compare/ComparisonPage.h"
#include "controls/picture_box.h"
#include "extraction/ExtractionPage.h"
#include "help/help_settings.h"
#include "support_main_window.h"

namespace quorvane {
namespace {

using test::MainWindowFixture;

QSettings store() { return QSettings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane")); }

void clearPlacement() {
  QSettings s(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
  s.remove(QStringLiteral("Settings"));
}

TEST(MainWindowMenus, CaptionsAndAccessKeysAreTheProgramsOwn) {
  MainWindowFixture f;
  frmMain& w = f.window();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Quorvane"));
  EXPECT_EQ(w.mnuFile->title(), QStringLiteral("ファイル(&F)"));
  EXPECT_EQ(w.mnuRun->text(), QStringLiteral("実行(&R)"));
  EXPECT_EQ(w.mnuSave->text(), QStringLiteral("保存(&S)"));
  EXPECT_TRUE(w.mnuLine->isSeparator());
  EXPECT_EQ(w.mnuEnd->text(), QStringLiteral("終了(&X)"));
  EXPECT_EQ(w.mnuOpt->title(), QStringLiteral("オプション(&O)"));
  EXPECT_EQ(w.mnuOptToolbar->text(), QStringLiteral("ツールバーを表示(&T)"));
  EXPECT_TRUE(w.mnuOptToolbar->isCheckable());
  EXPECT_TRUE(w.mnuOptToolbar->isChecked());
  EXPECT_EQ(w.mnuHelp->title(), QStringLiteral("ヘルプ(&H)"));
  EXPECT_EQ(w.mnuHelp1->text(), QStringLiteral("Quorvane ヘルプ(&H)"));
  EXPECT_EQ(w.mnuVer->text(), QStringLiteral("バージョン情報(&A)"));
  const auto helpEntries = w.mnuHelp->actions();
  ASSERT_EQ(helpEntries.size(), 3);
  EXPECT_TRUE(helpEntries[1]->isSeparator());
  // Fixed size: minimum and maximum agree.
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
}

TEST(MainWindowState, RunCommandsFollowTheFolderBox) {
  MainWindowFixture f;
  frmMain& w = f.window();
  ExtractionPage& page = *w.extractionPage();
  ASSERT_FALSE(page.Text1[0]->text().isEmpty());
  EXPECT_TRUE(w.mnuRun->isEnabled());
  EXPECT_TRUE(page.Command1[1]->isEnabled());
  EXPECT_TRUE(w.toolbarEnabled(30));

  page.Text1[0]->clear();
  EXPECT_FALSE(w.mnuRun->isEnabled());
  EXPECT_FALSE(page.Command1[1]->isEnabled());
  EXPECT_FALSE(w.toolbarEnabled(30));

  QTest::keyClicks(page.Text1[0], QStringLiteral("x"));
  EXPECT_TRUE(w.mnuRun->isEnabled());
  EXPECT_TRUE(page.Command1[1]->isEnabled());
  EXPECT_TRUE(w.toolbarEnabled(30));

  // Nothing to save or copy before the first run.
  EXPECT_FALSE(w.mnuSave->isEnabled());
  EXPECT_FALSE(w.toolbarEnabled(3));
  EXPECT_FALSE(w.toolbarEnabled(41));
}

TEST(MainWindowState, PageSwitchShowsOnePageAndItsCommandState) {
  MainWindowFixture f;
  frmMain& w = f.window();
  EXPECT_EQ(w.selectedTab(), 0);
  EXPECT_TRUE(w.Picture1[0]->isVisible());
  EXPECT_FALSE(w.Picture1[1]->isVisible());

  w.selectTab(1);
  EXPECT_EQ(w.selectedTab(), 1);
  EXPECT_FALSE(w.Picture1[0]->isVisible());
  EXPECT_FALSE(w.Picture1[0]->isEnabled());
  EXPECT_TRUE(w.Picture1[1]->isVisible());
  EXPECT_TRUE(w.Picture1[1]->isEnabled());
  // The comparison page has no first record name yet.
  EXPECT_FALSE(w.mnuRun->isEnabled());
  EXPECT_FALSE(w.toolbarEnabled(30));
  ComparisonPage& page = *w.comparisonPage();
  QTest::keyClicks(page.Text4[0], QStringLiteral("a.txt"));
  EXPECT_TRUE(w.mnuRun->isEnabled());
  EXPECT_TRUE(page.Command5[1]->isEnabled());
  page.Text4[0]->clear();
  EXPECT_FALSE(page.Command5[1]->isEnabled());

  w.selectTab(0);
  EXPECT_TRUE(w.Picture1[0]->isVisible());
  EXPECT_TRUE(w.mnuRun->isEnabled());
}

TEST(MainWindowState, ChooseButtonsFollowTheFocus) {
  MainWindowFixture f;
  frmMain& w = f.window();
  ExtractionPage& page = *w.extractionPage();
  f.setFocusTo(page.Text1[0]);
  EXPECT_TRUE(page.Command1[0]->isEnabled());
  EXPECT_TRUE(w.toolbarEnabled(40));
  f.setFocusTo(page.Text1[2]);
  EXPECT_TRUE(page.Command1[0]->isEnabled());
  f.setFocusTo(page.Combo1);
  EXPECT_FALSE(page.Command1[0]->isEnabled());
  EXPECT_FALSE(w.toolbarEnabled(40));

  w.selectTab(1);
  ComparisonPage& cmp = *w.comparisonPage();
  f.setFocusTo(cmp.Text4[1]);
  EXPECT_TRUE(cmp.Command5[0]->isEnabled());
  EXPECT_TRUE(w.toolbarEnabled(40));
  f.setFocusTo(cmp.Check1[1]);
  EXPECT_FALSE(cmp.Command5[0]->isEnabled());
  EXPECT_FALSE(w.toolbarEnabled(40));
}

TEST(MainWindowToolbar, HidingAndShowingMovesThePagesAndResizesTheWindow) {
  MainWindowFixture f;
  frmMain& w = f.window();
  const int heightWith = w.height();
  const int pageTopWith = w.Picture1[0]->y();
  const int barHeight = w.Picture4->height();
  ASSERT_GT(barHeight, 0);

  w.mnuOptToolbar->trigger();
  EXPECT_FALSE(w.mnuOptToolbar->isChecked());
  EXPECT_FALSE(w.Picture4->isVisible());
  EXPECT_EQ(w.height(), heightWith - barHeight);
  EXPECT_EQ(w.Picture1[0]->y(), pageTopWith - barHeight);
  EXPECT_EQ(w.Picture5->y() + w.Picture5->height(), w.centralWidget()->height());

  w.mnuOptToolbar->trigger();
  EXPECT_TRUE(w.mnuOptToolbar->isChecked());
  EXPECT_TRUE(w.Picture4->isVisible());
  EXPECT_EQ(w.height(), heightWith);
  EXPECT_EQ(w.Picture1[0]->y(), pageTopWith);
}

TEST(MainWindowToolbar, CopyButtonPutsTheDetailTextWithALineEndOnTheClipboard) {
  MainWindowFixture f;
  frmMain& w = f.window();
  ExtractionPage& page = *w.extractionPage();
  page.Text1Detail->setPlainText(QStringLiteral("No : 1 / 1\nFile : a.dll"));
  page.Command1[2]->setEnabled(true);
  w.UpdateControlState(false);
  ASSERT_TRUE(w.toolbarEnabled(41));
  w.mcToolBar_ButtonClick(41);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("No : 1 / 1\r\nFile : a.dll\r\n"));
}

TEST(MainWindowStatus, RapidTextsAllBecomeTheStatusAndTheLastOneIsPainted) {
  MainWindowFixture f;
  frmMain& w = f.window();
  for (int i = 1; i <= 500; ++i) {
    w.setStatusText(QStringLiteral("%1/500").arg(i));
    EXPECT_EQ(w.statusText(), QStringLiteral("%1/500").arg(i));
  }
  QTest::qWait(100);
  EXPECT_EQ(w.paintedStatusText(), QStringLiteral("500/500"));
  w.setStatusText(QString());
  QTest::qWait(100);
  EXPECT_TRUE(w.paintedStatusText().isEmpty());
}

TEST(MainWindowSettings, PositionIsSavedAtUnloadAndRestoredAtLoad) {
  clearPlacement();
  QPoint placed;
  {
    MainWindowFixture f;
    f.window().move(45, 60);
    placed = f.window().pos();
    f.window().close();
  }
  auto s = store();
  const int tx = 1440 / QApplication::primaryScreen()->logicalDotsPerInchX() + 0.5;
  EXPECT_EQ(s.value(QStringLiteral("Settings/MainLeft")).toString(), QString::number(placed.x() * tx));
  EXPECT_EQ(s.value(QStringLiteral("Settings/MainTop")).toString().toInt() > 0, true);
  EXPECT_FALSE(s.contains(QStringLiteral("Settings/MainWidth")));
  EXPECT_FALSE(s.contains(QStringLiteral("Settings/MainHeight")));
  MainWindowFixture again;
  EXPECT_EQ(again.window().pos(), placed);
}

TEST(MainWindowSettings, OutOfRangeOrUnreadablePositionsLeaveTheWindowCentred) {
  clearPlacement();
  QPoint centred;
  {
    MainWindowFixture f;
    centred = f.window().pos();
    f.window().setAttribute(Qt::WA_DontShowOnScreen);
  }
  clearPlacement();
  {
    QSettings s(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
    s.setValue(QStringLiteral("Settings/MainLeft"), QStringLiteral("0"));
    s.setValue(QStringLiteral("Settings/MainTop"), QStringLiteral("abc"));
  }
  {
    MainWindowFixture f;
    EXPECT_EQ(f.window().pos(), centred);
  }
  clearPlacement();
  {
    QSettings s(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
    s.setValue(QStringLiteral("Settings/MainLeft"), QStringLiteral("99999999"));
    s.setValue(QStringLiteral("Settings/MainTop"), QStringLiteral("-30"));
  }
  MainWindowFixture f;
  EXPECT_EQ(f.window().pos(), centred);
  clearPlacement();
}

TEST(MainWindowSettings, AMinimisedWindowDoesNotOverwriteTheSavedPosition) {
  clearPlacement();
  {
    QSettings s(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
    s.setValue(QStringLiteral("Settings/MainLeft"), QStringLiteral("1500"));
    s.setValue(QStringLiteral("Settings/MainTop"), QStringLiteral("1200"));
  }
  {
    MainWindowFixture f;
    f.window().move(200, 200);
    f.window().setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(f.window().isMinimized());
    f.window().close();
  }
  auto s = store();
  EXPECT_EQ(s.value(QStringLiteral("Settings/MainLeft")).toString(), QStringLiteral("1500"));
  EXPECT_EQ(s.value(QStringLiteral("Settings/MainTop")).toString(), QStringLiteral("1200"));
  clearPlacement();
}

TEST(MainWindowSettings, HelpFileDefaultsToTheProgramsFolderAndFollowsTheSetting) {
  clearPlacement();
  {
    MainWindowFixture f;
    EXPECT_EQ(f.window().helpFileName(), help::defaultHelpFile());
    EXPECT_TRUE(f.window().helpFileName().endsWith(QStringLiteral("/QUORVANE.HTM")));
  }
  {
    QSettings s(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
    s.setValue(QStringLiteral("Settings/HTMLHelpFile"), QStringLiteral("/opt/help/Q.HTM"));
  }
  MainWindowFixture f;
  EXPECT_EQ(f.window().helpFileName(), QStringLiteral("/opt/help/Q.HTM"));
  clearPlacement();
}

TEST(MainWindowCommands, EndAndExitButtonsUnloadTheWindow) {
  MainWindowFixture f;
  f.window().extractionPage()->Command3->click();
  EXPECT_TRUE(f.window().isUnloaded());
  EXPECT_FALSE(f.window().isVisible());
  MainWindowFixture g;
  g.window().mcToolBar_ButtonClick(50);
  EXPECT_TRUE(g.window().isUnloaded());
}

}  // namespace
}  // namespace quorvane
