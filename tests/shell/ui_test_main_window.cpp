// The main window: start-up, captions, command state of the shown page, focus rule,
// toolbar, choose dialogs, settings.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QKeySequence>
#include <QMenu>
#include <QScreen>
#include <QSettings>

#include "controls/list_name_tips.h"
#include "controls/picture_box.h"
#include "shell/basStartUp.h"
#include "shell/frmSplash.h"
#include "support_main_window.h"

namespace quorvane {
namespace {

using test::MainWindowFixture;

QSettings store() { return QSettings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane")); }

void forgetSettings() { store().remove(QStringLiteral("Settings")); }

// A shown window and its two pages.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowFixture f;
  frmMain& w = f.window();
  ExtractionPage& e = *w.extractionPage();
  ComparisonPage& c = *w.comparisonPage();
};

TEST(StartUp, TheRealMainWindowLoadsAndShows) {
  frmMain main;
  frmSplash splash;
  EXPECT_EQ(basStartUp::ShowMainWithSplash(main, splash, false), 0);
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(main.isLoaded());
  EXPECT_FALSE(splash.isVisible());
  main.close();
}

// Every caption of the window, its menus and both pages.
TEST_F(MainWindowTest, AllCaptionsAreTheProgramsOwn) {
  const QStringList shown = {
      w.windowTitle(),       w.mnuFile->title(),    w.mnuRun->text(),      w.mnuSave->text(),
      w.mnuEnd->text(),      w.mnuOpt->title(),     w.mnuOptToolbar->text(), w.mnuOptRecurse->text(),
      w.mnuHelp->title(),    w.mnuHelp1->text(),    w.mnuVer->text(),      e.Label3[3]->text(),
      e.Label3[4]->text(),   e.Label3[5]->text(),   e.Label3[6]->text(),   e.Label3[7]->text(),
      e.Label3[8]->text(),   e.Check2->text(),      e.Command1[0]->text(), e.Command1[1]->text(),
      e.Command1[2]->text(), e.Command1[3]->text(), e.Command3->text(),    c.Label3[0]->text(),
      c.Label3[1]->text(),   c.Label3[2]->text(),   c.Label3[9]->text(),   c.Label3[10]->text(),
      c.Option1[0]->text(),  c.Option1[1]->text(),  c.Option1[2]->text(),  c.Option1[3]->text(),
      c.Check1[0]->text(),   c.Check1[1]->text(),   c.Check1[2]->text(),   c.Command5[0]->text(),
      c.Command5[1]->text(), c.Command5[3]->text(), c.Command5[4]->text(), c.Command3->text()};
  EXPECT_EQ(shown, (QStringList{"Quorvane", "ファイル(&F)", "実行(&R)", "保存(&S)", "終了(&X)", "オプション(&O)",
                                "ツールバーを表示(&T)", "サブフォルダーも抽出(&S)", "ヘルプ(&H)", "Quorvane ヘルプ(&H)",
                                "バージョン情報(&A)", "情報抽出先フォルダ(&A)", "圧縮復元先フォルダ(&U)",
                                "抽出ファイル種別(&W)", "抽出情報保存先\nファイル(&F)", "ファイル一覧(&L)",
                                "ファイルの詳細(&T)", "ファイル名を厳密にソート\n(時間が掛かります)(&D)",
                                "ファイル/フォルダ選択(&S)", "実行(&R)", "クリップボードへコピー(&C)", "情報保存(&O)",
                                "終了(&X)", "比較元ファイル(&B)", "比較先ファイル(&A)", "比較結果保存先\nファイル(&F)",
                                "ファイル一覧(&L)", "ファイルの詳細(&T)", "追加ファイル(&I)", "更新ファイル(&N)",
                                "削除ファイル(&K)", "無変化ファイル(&U)", "抽出結果と比較(&M)", "ファイル日付は無視(&D)",
                                "ストリング情報ファイルバージョンは無視(&V)", "ファイル/フォルダ選択(&S)", "比較実行(&R)",
                                "クリップボードへコピー(&C)", "結果保存(&O)", "終了(&X)"}));
  EXPECT_TRUE(w.mnuLine->isSeparator());
  EXPECT_TRUE(w.mnuOptToolbar->isCheckable() && w.mnuOptToolbar->isChecked() && w.mnuOptRecurse->isCheckable());
  ASSERT_EQ(w.mnuHelp->actions().size(), 3);
  EXPECT_TRUE(w.mnuHelp->actions()[1]->isSeparator());
  EXPECT_EQ(w.mnuHelp1->shortcut(), QKeySequence(Qt::Key_F1));
}

// Menu entry, page button and toolbar button of the run command, as "111" or "000".
QString runState(frmMain& w, QPushButton* pageButton) {
  return QString::number(w.mnuRun->isEnabled()) + QString::number(pageButton->isEnabled()) +
         QString::number(w.toolbarEnabled(kRunKey));
}

TEST_F(MainWindowTest, RunAndChooseCommandsFollowTheShownPageAndTheFocus) {
  EXPECT_EQ(runState(w, e.Command1[1]), "111");  // the system folder is there
  e.Text1[0]->clear();
  EXPECT_EQ(runState(w, e.Command1[1]), "000");
  QTest::keyClicks(e.Text1[0], QStringLiteral("x"));
  EXPECT_EQ(runState(w, e.Command1[1]), "111");
  // Nothing to save or copy before the first run.
  EXPECT_FALSE(w.mnuSave->isEnabled() || w.toolbarEnabled(kSaveKey) || w.toolbarEnabled(kCopyKey));

  w.selectTab(1);
  EXPECT_EQ(w.selectedTab(), 1);
  EXPECT_FALSE(w.Picture1[0]->isVisible() || w.Picture1[0]->isEnabled());
  EXPECT_TRUE(w.Picture1[1]->isVisible() && w.Picture1[1]->isEnabled());
  EXPECT_EQ(runState(w, c.Command5[1]), "000");
  QTest::keyClicks(c.Text4[0], QStringLiteral("a.txt"));
  EXPECT_EQ(runState(w, c.Command5[1]), "111");
  c.Text4[0]->clear();
  EXPECT_EQ(runState(w, c.Command5[1]), "000");

  w.selectTab(0);
  EXPECT_TRUE(w.Picture1[0]->isVisible() && !w.Picture1[1]->isVisible());
  EXPECT_EQ(runState(w, e.Command1[1]), "111");

  // The choose commands follow the focus: only a box that a dialog can fill offers them.
  const struct {
    int tab;
    QWidget* focus;
    bool extractionChoose, comparisonChoose;
  } rows[] = {
      {0, e.Text1[0], true, false}, {0, e.Text1[2], true, false}, {0, e.Combo1, false, false},
      {1, c.Text4[1], false, true}, {1, c.Check1[1], false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.focus->objectName().toStdString());
    w.selectTab(row.tab);
    f.setFocusTo(row.focus);
    EXPECT_EQ(e.Command1[0]->isEnabled(), row.extractionChoose);
    EXPECT_EQ(c.Command5[0]->isEnabled(), row.comparisonChoose);
    EXPECT_EQ(w.toolbarEnabled(kChooseKey), row.extractionChoose || row.comparisonChoose);
  }
}

TEST_F(MainWindowTest, CopyPutsTheShownPagesDetailTextWithALineEndOnTheClipboard) {
  // The toolbar's button and the page's own do the same.
  e.Text1Detail->setPlainText(QStringLiteral("No : 1 / 1\nFile : a.dll"));
  e.Command1[2]->setEnabled(true);
  c.Text4Detail->setPlainText(QStringLiteral("No : 1 /  1\nFile : b.dll"));
  c.Command5[3]->setEnabled(true);
  const std::array<QPushButton*, 2> pageCopy = {e.Command1[2], c.Command5[3]};
  for (const auto& [tab, expected] : {std::pair{0, "No : 1 / 1\r\nFile : a.dll\r\n"},
                                      std::pair{1, "No : 1 /  1\r\nFile : b.dll\r\n"}}) {
    w.selectTab(tab);
    w.UpdateControlState(false);
    ASSERT_TRUE(w.toolbarEnabled(kCopyKey));
    w.mcToolBar_ButtonClick(kCopyKey);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8(expected));
    QApplication::clipboard()->clear();
    pageCopy[static_cast<std::size_t>(tab)]->click();
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8(expected));
  }
}

TEST_F(MainWindowTest, HidingTheToolbarMovesThePagesAndResizesTheWindow) {
  const int heightWith = w.height();
  const int pageTopWith = w.Picture1[0]->y();
  const int barHeight = w.Picture4->height();
  ASSERT_GT(barHeight, 0);

  w.mnuOptToolbar->trigger();
  EXPECT_FALSE(w.mnuOptToolbar->isChecked() || w.Picture4->isVisible());
  EXPECT_EQ(w.height(), heightWith - barHeight);
  EXPECT_EQ(w.Picture1[0]->y(), pageTopWith - barHeight);
  EXPECT_EQ(w.Picture5->y() + w.Picture5->height(), w.centralWidget()->height());

  w.mnuOptToolbar->trigger();
  EXPECT_TRUE(w.mnuOptToolbar->isChecked() && w.Picture4->isVisible());
  EXPECT_EQ(w.height(), heightWith);
  EXPECT_EQ(w.Picture1[0]->y(), pageTopWith);
}

// A grown window comes back at its size; a maximised one comes back maximised, keeping the
// size it returns to.
TEST(MainWindowSettings, SizeAndMaximisedStateAreSavedBesideThePosition) {
  const int tx = 1440 / QApplication::primaryScreen()->logicalDotsPerInchX() + 0.5;  // twips per pixel
  for (const bool maximise : {false, true}) {
    forgetSettings();
    MainWindowFixture first;
    first.window().resize(760, 560);
    QApplication::processEvents();
    if (maximise) first.window().showMaximized();
    QApplication::processEvents();
    first.window().close();
    const QSettings s = store();
    EXPECT_EQ(s.value(QStringLiteral("Settings/MainWidth")).toString(), QString::number(760 * tx)) << maximise;
    EXPECT_EQ(s.value(QStringLiteral("Settings/MainMaximized")).toString(), maximise ? "1" : "0");
    MainWindowFixture again;
    EXPECT_EQ(again.window().isMaximized(), maximise);
    if (!maximise) EXPECT_EQ(again.window().size(), QSize(760, 560));
  }
  forgetSettings();
}

// At the default size every control keeps its place; a larger window gives its room to the
// list and the detail box while the buttons keep their distance from the right edge.
TEST_F(MainWindowTest, ListAndDetailsGrowWithTheWindowAndButtonsKeepTheRightEdge) {
  const struct {
    QWidget *page, *list, *detail;
    std::vector<QWidget*> buttons;
    QRect listAtDefault;
  } pages[] = {{&e, e.List1, e.Text1Detail, {e.Command1[0], e.Command1[1], e.Command1[2], e.Command1[3], e.Command3},
                QRect(8, 162, 200, 218)},
               {&c, c.List2, c.Text4Detail, {c.Command5[0], c.Command5[1], c.Command5[3], c.Command5[4], c.Command3},
                QRect(8, 180, 200, 200)}};
  auto rightMargins = [](const auto& p) {
    std::vector<int> margins;
    for (QWidget* button : p.buttons) margins.push_back(p.page->width() - button->geometry().right());
    return margins;
  };
  std::vector<std::vector<int>> margins;
  for (const auto& p : pages) {
    EXPECT_EQ(p.list->geometry(), p.listAtDefault);
    margins.push_back(rightMargins(p));
  }
  const QSize before = w.size();
  w.resize(before + QSize(120, 80));
  for (int i = 0; i < 2; ++i) {
    const auto& p = pages[i];
    w.selectTab(i);  // a hidden page takes its new size when shown
    QApplication::processEvents();
    EXPECT_EQ(p.list->geometry().topLeft(), p.listAtDefault.topLeft()) << i;
    EXPECT_EQ(p.list->height(), p.listAtDefault.height() + 80) << i;
    EXPECT_EQ(p.list->width() + p.detail->width(), p.listAtDefault.width() + 220 + 120) << i;
    EXPECT_GT(p.list->width(), p.listAtDefault.width()) << i;
    EXPECT_EQ(p.detail->geometry().bottom(), p.list->geometry().bottom()) << i;
    EXPECT_EQ(rightMargins(p), margins[i]) << i;
  }
  EXPECT_EQ(w.Picture5->geometry().bottom(), w.centralWidget()->height() - 1);
  EXPECT_EQ(w.Picture5->width(), w.centralWidget()->width());
  // A name the list is too narrow for shows whole as the tool tip; one that fits has none.
  w.selectTab(0);
  e.List1->addItems({QStringLiteral("a.dll"), QString(80, QLatin1Char('x')) + QStringLiteral(".dll")});
  QApplication::processEvents();
  for (int row = 0; row < 2; ++row) {
    const QPoint inside = e.List1->visualItemRect(e.List1->item(row)).center();
    EXPECT_EQ(ListNameTips::tipAt(e.List1, inside), row == 0 ? QString() : e.List1->item(row)->text()) << row;
  }
  // Back at the default size everything is where it was.
  w.resize(before);
  QApplication::processEvents();
  EXPECT_EQ(e.List1->geometry(), pages[0].listAtDefault);
  EXPECT_EQ(w.minimumSize(), before);
}

// With every control enabled, Tab visits each page's controls row by row, left to right;
// the choose button (reached by its access key only) and the hidden page are never stops.
TEST_F(MainWindowTest, TabMovesThroughEachPageTopToBottomLeftToRight) {
  struct Walk {
    int tab;
    QWidget* first;
    QStringList expected;
  };
  const std::vector<Walk> walks = {
      {0, e.Text1[0],
       {"Text1_1", "Command1_1", "Combo1", "Check2", "Text1_2", "List1", "Text1_3", "Command1_2", "Command1_3",
        "Command3_0"}},
      {1, c.Text4[0],
       {"Text4_1", "Command5_1", "Text4_2", "Check1_0", "Check1_1", "Check1_2", "Option1_0", "List2", "Text4_3",
        "Command5_3", "Command5_4", "Command3_1"}}};
  for (const Walk& walk : walks) {
    w.selectTab(walk.tab);
    QWidget* page = walk.first->parentWidget();
    for (QWidget* child : page->findChildren<QWidget*>()) child->setEnabled(true);
    c.Option1[0]->setChecked(true);  // Tab stops once in a group of option buttons, at the chosen one
    walk.first->setFocus();
    QApplication::processEvents();
    QStringList visited;
    for (int i = 0; i < walk.expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
    }
    EXPECT_EQ(visited, walk.expected) << walk.tab;
  }
}

TEST_F(MainWindowTest, EndAndExitButtonsUnloadTheWindow) {
  e.Command3->click();
  EXPECT_TRUE(w.isUnloaded());
  EXPECT_FALSE(w.isVisible());
  MainWindowFixture g;
  g.window().mcToolBar_ButtonClick(kExitKey);
  EXPECT_TRUE(g.window().isUnloaded());
}

// Each box's choose dialog, from the page's button or the toolbar's: its title, kind and
// start folder (the nearest existing one, or for an empty box the one its last choice
// left); a choice fills the box, a cancel leaves it, and the focus returns to it.
TEST_F(MainWindowTest, EachBoxAsksWithItsOwnDialogAndTakesTheAnswer) {
  testsupport::TempFolder dir;
  const QString base = test::qpath(dir);
  e.Combo1->setCurrentIndex(5);
  const struct {
    int tab;
    QLineEdit* box;
    QString text;
    bool toolbar;
    std::optional<QString> answer;
    const char* title;
    int kind;  // 0 folder, 1 open, 2 save
  } rows[] = {
      {0, e.Text1[0], base + "/A/B", false, "/chosen/folder/", "バージョン情報抽出先フォルダーの選択", 0},
      {0, e.Text1[1], base + "/x", true, {}, "圧縮ファイル復元先フォルダーの選択", 0},
      {0, e.Text1[2], base + "/missing/sub/record.txt", false, base + "/record.txt", "保存する結果出力ファイル名の選択", 2},
      {1, c.Text4[0], base + "/gone/deeper/old.txt", true, base + "/old.txt", "バージョン記録ファイル 1 の選択", 1},
      {1, c.Text4[2], base + "/keep.txt", false, base + "/result.txt", "保存するバージョン比較結果ファイル名の選択", 2},
      {1, c.Text4[2], QString(), true, {}, "保存するバージョン比較結果ファイル名の選択", 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.title);
    w.selectTab(row.tab);
    row.box->setText(row.text);
    f.setFocusTo(row.box);
    (row.kind == 0 ? f.seen->folderAnswers : f.seen->fileAnswers).push_back(row.answer);
    if (row.toolbar)
      w.mcToolBar_ButtonClick(kChooseKey);
    else
      (row.tab == 0 ? e.Command1[0] : c.Command5[0])->click();
    QString title, initDir;
    if (row.kind == 0) {
      ASSERT_FALSE(f.seen->folderRequests.empty());
      title = f.seen->folderRequests.back().title;
      initDir = f.seen->folderRequests.back().initDir;
    } else {
      ASSERT_FALSE(f.seen->fileRequests.empty());
      const FileRequest& asked = f.seen->fileRequests.back();
      title = asked.title;
      initDir = asked.initDir;
      EXPECT_EQ(asked.save, row.kind == 2);
      EXPECT_EQ(asked.filter, QStringLiteral("Text Files (*.Txt)|*.Txt|All Files (*.*)|*.*"));
      EXPECT_EQ(asked.filterIndex, row.tab);  // the extraction page's counts from 0
      EXPECT_EQ(asked.defaultExt, row.tab == 1 ? QStringLiteral("TXT") : QString()) << "default extension";
    }
    EXPECT_EQ(title, QString::fromUtf8(row.title));
    EXPECT_EQ(QDir::cleanPath(initDir), QDir::cleanPath(base));
    EXPECT_EQ(row.box->text(), row.answer.value_or(row.text));
    EXPECT_EQ(QApplication::focusWidget(), row.box);
  }
}

}  // namespace
}  // namespace quorvane
