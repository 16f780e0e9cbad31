// The comparison page driven through its controls on generated record files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "compare/ComparisonPage.h"
#include "shell/toolbar_keys.h"
#include "support_main_window.h"
#include "support_records.h"

namespace quorvane {
namespace {

using test::RecordRow;

class ComparisonPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.window().selectTab(1);
    first = dir.file(QStringLiteral("old.txt"));
    second = dir.file(QStringLiteral("new.txt"));
    test::writeFile(first, test::recordFile({
                               {QStringLiteral("a.dll"), "1.0.0.1", "1.0.0.1", 100},
                               {QStringLiteral("b.dll"), "2.0.0.1", "2.0", 200},
                               {QStringLiteral("c.dll"), "3.0.0.1", "3.0", 300},
                           }));
    test::writeFile(second, test::recordFile({
                                {QStringLiteral("d.dll"), "4.0.0.1", "4.0 (Build)", 400, "99/01/02", "03:04:05"},
                                {QStringLiteral("b.dll"), "2.0.0.2", "2.0", 250, "99/02/03", "10:11:12"},
                                {QStringLiteral("a.dll"), "1.0.0.1", "1.0.0.1", 100},
                            }));
  }
  ComparisonPage& page() { return *f.window().comparisonPage(); }
  // The controls that still show or offer a comparison, by name; empty when none does.
  std::string comparisonShown() {
    ComparisonPage& p = page();
    frmMain& w = f.window();
    std::string shown;
    auto check = [&](bool on, const char* name) { if (on) shown += std::string(name) + " "; };
    check(p.List2->isEnabled(), "list");
    check(p.Text4Detail->isEnabled() || !p.Text4Detail->toPlainText().isEmpty(), "details");
    for (QRadioButton* option : p.Option1) check(option->isEnabled(), "option");
    check(p.Command5[3]->isEnabled() || w.toolbarEnabled(kCopyKey), "copy");
    check(p.Command5[4]->isEnabled() || w.mnuSave->isEnabled() || w.toolbarEnabled(kSaveKey), "save");
    return shown;
  }
  // Runs through the menu, which acts on the shown page; `button` uses the page's own.
  void runWith(const QString& a, const QString& b, bool button = false) {
    page().Text4[0]->setText(a);
    page().Text4[1]->setText(b);
    if (button)
      page().Command5[1]->click();
    else
      f.window().mnuRun->trigger();
  }

  test::MainWindowFixture f;
  test::TempDir dir;
  QString first, second;
};

TEST_F(ComparisonPageTest, InitialCaptionsAndStates) {
  ComparisonPage& p = page();
  const QStringList captions = {
      p.Label3[0]->text(),  p.Label3[1]->text(),  p.Label3[2]->text(),  p.Label3[9]->text(),
      p.Label3[10]->text(), p.Option1[0]->text(), p.Option1[1]->text(), p.Option1[2]->text(),
      p.Option1[3]->text(), p.Check1[0]->text(),  p.Check1[1]->text(),  p.Check1[2]->text(),
      p.Command5[0]->text(), p.Command5[1]->text(), p.Command5[3]->text(), p.Command5[4]->text(), p.Command3->text()};
  EXPECT_EQ(captions, (QStringList{"比較元ファイル(&B)", "比較先ファイル(&A)", "比較結果保存先\nファイル(&F)",
                                   "ファイル一覧(&L)", "ファイルの詳細(&T)", "追加ファイル(&I)", "更新ファイル(&N)",
                                   "削除ファイル(&K)", "無変化ファイル(&U)", "抽出結果と比較(&M)",
                                   "ファイル日付は無視(&D)", "ストリング情報ファイルバージョンは無視(&V)",
                                   "ファイル/フォルダ選択(&S)", "比較実行(&R)", "クリップボードへコピー(&C)",
                                   "結果保存(&O)", "終了(&X)"}));
  EXPECT_EQ(p.Command5[2], nullptr);
  for (QLineEdit* box : p.Text4) EXPECT_TRUE(box->text().isEmpty());
  EXPECT_EQ(p.List2->count(), 0);
  EXPECT_TRUE(p.Text4Detail->isReadOnly());
  EXPECT_EQ(comparisonShown(), "");
  EXPECT_FALSE(p.Check1[0]->isEnabled() || p.Check1[0]->isChecked() || p.Check1[1]->isChecked());
  EXPECT_TRUE(p.Check1[2]->isChecked() && p.Command3->isEnabled());
  EXPECT_FALSE(p.Command5[1]->isEnabled());
}

TEST_F(ComparisonPageTest, ACompletedRunShowsTheFourCategoriesWithTheirDetails) {
  runWith(first, second);
  ComparisonPage& p = page();
  ASSERT_TRUE(f.seen->messages.empty()) << f.seen->messages.front().toStdString();
  EXPECT_EQ(f.window().statusText(), QStringLiteral("ファイル比較完了"));
  EXPECT_EQ(f.seen->beeps, 1);
  EXPECT_EQ(comparisonShown(), "list details option option option option copy save ");
  EXPECT_TRUE(p.Option1[0]->isChecked());
  EXPECT_TRUE(p.List2->isVisible());

  EXPECT_EQ(test::listLines(p.List2), QStringList{QStringLiteral("d.dll")});
  EXPECT_EQ(p.detailBoxText(),
            QStringLiteral("No : 1 /  1\r\nFile : d.dll\r\nFixedVersion : 4.0.0.1\r\n"
                           "StringVersion : 4.0 (Build)\r\nSize : 400\r\nDate : 99/01/02 03:04:05"));

  p.Option1[1]->click();
  EXPECT_EQ(test::listLines(p.List2), QStringList{QStringLiteral("b.dll")});
  EXPECT_EQ(p.detailBoxText(),
            QStringLiteral("No : 1 /  1  (バージョンアップ 1)\r\nFile : b.dll\r\n更新種別 : バージョンアップ\r\n"
                           "FixedVersion : 2.0.0.2\r\nStringVersion : 2.0\r\n"
                           "Size : 250\r\nDate : 99/02/03 10:11:12\r\n------- Old File -------\r\n"
                           "FixedVersion : 2.0.0.1\r\nStringVersion : 2.0\r\nSize : 200\r\n"
                           "Date : 98/05/11 12:00:00"));
  p.Option1[2]->click();
  EXPECT_EQ(test::listLines(p.List2), QStringList{QStringLiteral("c.dll")});
  EXPECT_TRUE(p.detailBoxText().startsWith(QStringLiteral("No : 1 /  1\r\nFile : c.dll\r\nFixedVersion : 3.0.0.1")));
  p.Option1[3]->click();
  EXPECT_EQ(test::listLines(p.List2), QStringList{QStringLiteral("a.dll")});
}

TEST_F(ComparisonPageTest, ListIsSortedWithoutCaseAndCountsCarryTwoSpaces) {
  std::vector<RecordRow> rows;
  for (int i = 12; i >= 1; --i) rows.push_back({QStringLiteral("F%1.DLL").arg(i, 2, 10, QLatin1Char('0')), "1", "1", i});
  rows.push_back({QStringLiteral("e.dll"), "1", "1", 1});
  test::writeFile(second, test::recordFile(rows));
  test::writeFile(first, test::recordFile({}));
  runWith(first, second);
  ComparisonPage& p = page();
  ASSERT_EQ(p.List2->count(), 13);
  EXPECT_EQ(p.List2->item(0)->text(), QStringLiteral("e.dll"));
  EXPECT_EQ(p.List2->item(1)->text(), QStringLiteral("F01.DLL"));
  p.List2->setCurrentRow(3);
  EXPECT_TRUE(p.detailBoxText().startsWith(QStringLiteral("No : 4 /  13\r\nFile : F03.DLL\r\n")));
  p.Option1[2]->click();
  EXPECT_EQ(p.List2->count(), 0);
  EXPECT_TRUE(p.Text4Detail->toPlainText().isEmpty());
}

TEST_F(ComparisonPageTest, ViewModeShowsTheFirstRecordWithOptionsDisabled) {
  runWith(first, second);
  page().Option1[1]->click();
  runWith(first, QString());
  ComparisonPage& p = page();
  EXPECT_EQ(test::listLines(p.List2), (QStringList{QStringLiteral("a.dll"), QStringLiteral("b.dll"), QStringLiteral("c.dll")}));
  for (QRadioButton* option : p.Option1) EXPECT_FALSE(option->isEnabled());
  // The option of the comparison stays marked, but the values are the record's own.
  EXPECT_TRUE(p.Option1[1]->isChecked());
  p.List2->setCurrentRow(1);
  EXPECT_EQ(p.detailBoxText(),
            QStringLiteral("No : 2 /  3\r\nFile : b.dll\r\nFixedVersion : 2.0.0.1\r\nStringVersion : 2.0\r\n"
                           "Size : 200\r\nDate : 98/05/11 12:00:00"));
  EXPECT_TRUE(p.Command5[4]->isEnabled());
}

TEST_F(ComparisonPageTest, FilesThatCannotBeOpenedGiveTheMessageAndFocusTheirBox) {
  runWith(first, second);
  const QStringList before = test::listLines(page().List2);
  runWith(dir.file(QStringLiteral("missing.txt")), second);
  ASSERT_EQ(f.seen->messages.size(), 1u);
  EXPECT_EQ(f.seen->messages[0], QStringLiteral("ファイル名が間違っています"));
  EXPECT_EQ(QApplication::focusWidget(), page().Text4[0]);
  EXPECT_EQ(test::listLines(page().List2), before);

  runWith(first, dir.file(QStringLiteral("nowhere/new.txt")), true);
  ASSERT_EQ(f.seen->messages.size(), 2u);
  EXPECT_EQ(f.seen->messages[1], QStringLiteral("ファイル名が間違っています"));
  EXPECT_EQ(QApplication::focusWidget(), page().Text4[1]);
}

TEST_F(ComparisonPageTest, AFailedReadLeavesNoComparisonBehind) {
  runWith(first, second);
  ASSERT_EQ(comparisonShown(), "list details option option option option copy save ");
  QByteArray garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  test::writeFile(first, garbage);
  page().Text4[2]->setText(dir.file(QStringLiteral("result.txt")));
  runWith(first, second);
  EXPECT_EQ(f.seen->messages, std::vector<QString>{QStringLiteral("ファイル読込でエラーが発生しました")});
  EXPECT_EQ(comparisonShown(), "");
  EXPECT_FALSE(page().List2->isVisible());
  EXPECT_EQ(f.window().statusText(), QStringLiteral("ファイル比較は出来ませんでした"));
  page().OutputCompareResult();
  EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("result.txt"))));
  // The window is still usable: a good run afterwards works.
  test::writeFile(first, test::recordFile({{QStringLiteral("a.dll"), "1", "1", 1}}));
  runWith(first, second);
  EXPECT_EQ(f.seen->messages.size(), 1u);
  EXPECT_TRUE(page().List2->isVisible());
}

TEST_F(ComparisonPageTest, SavingWritesTheResultFileAndAsksBeforeReplacingAnother) {
  runWith(first, second);
  ComparisonPage& p = page();
  p.Command5[4]->click();
  EXPECT_EQ(f.seen->messages, std::vector<QString>{QStringLiteral("保存先ファイルが指定されていません")});

  const QString out = dir.file(QStringLiteral("result.txt"));
  test::writeFile(out, "kept");
  p.Text4[2]->setText(out);
  f.window().mnuSave->trigger();  // answered No
  ASSERT_EQ(f.seen->questions.size(), 1u);
  EXPECT_TRUE(f.seen->questions[0].startsWith(out + QStringLiteral(" は既に存在します。")));
  EXPECT_EQ(test::readFile(out), "kept");
  f.seen->questionAnswers = {true};
  const int beeps = f.seen->beeps;
  f.window().mnuSave->trigger();
  EXPECT_EQ(f.window().statusText(), QStringLiteral("ファイル出力完了"));
  EXPECT_EQ(f.seen->beeps, beeps + 1);
  EXPECT_TRUE(test::readFile(out).contains("\r\nd.dll\r\n"));
  f.window().mnuSave->trigger();  // its own file: no question
  EXPECT_EQ(f.seen->questions.size(), 2u);

  p.Text4[2]->setText(dir.file(QStringLiteral("no/such/folder/result.txt")));
  p.Command5[4]->click();
  ASSERT_EQ(f.seen->messages.size(), 2u);
  EXPECT_EQ(f.seen->messages[1], QStringLiteral("ファイル名が間違っています"));
}

TEST_F(ComparisonPageTest, CompareWithExtractionKeepsTheSecondNameAside) {
  ComparisonPage& p = page();
  p.Text4[1]->setText(QStringLiteral("/some where/second.txt"));
  f.window().extractionRunEnded(true);
  EXPECT_TRUE(p.Check1[0]->isEnabled());
  EXPECT_TRUE(p.Check1[0]->isChecked());
  EXPECT_TRUE(p.Text4[1]->text().isEmpty());
  EXPECT_FALSE(p.Text4[1]->isEnabled());

  p.Text4[0]->setText(first);
  p.Command5[1]->click();
  ASSERT_TRUE(f.seen->messages.empty());
  p.Option1[2]->click();
  EXPECT_EQ(p.List2->count(), 3);  // against the (empty) extraction every file is gone

  p.Check1[0]->click();
  EXPECT_EQ(p.Text4[1]->text(), QStringLiteral("/some where/second.txt"));
  EXPECT_TRUE(p.Text4[1]->isEnabled());

  f.window().extractionRunEnded(false);
  EXPECT_FALSE(p.Check1[0]->isEnabled());
  EXPECT_FALSE(p.Check1[0]->isChecked());
  EXPECT_EQ(p.Text4[1]->text(), QStringLiteral("/some where/second.txt"));
}

TEST_F(ComparisonPageTest, FileChoiceStartsInTheNearestExistingFolder) {
  ComparisonPage& p = page();
  p.Text4[0]->setText(dir.file(QStringLiteral("gone/deeper/old.txt")));
  f.setFocusTo(p.Text4[0]);
  f.seen->fileAnswers.push_back(first);
  f.window().mcToolBar_ButtonClick(kChooseKey);
  ASSERT_EQ(f.seen->fileRequests.size(), 1u);
  const FileRequest& asked = f.seen->fileRequests[0];
  EXPECT_EQ(asked.title, QStringLiteral("バージョン記録ファイル 1 の選択"));
  EXPECT_EQ(QDir::cleanPath(asked.initDir), QDir::cleanPath(dir.path()));
  EXPECT_FALSE(asked.save);
  EXPECT_EQ(asked.defaultExt, QStringLiteral("TXT"));
  EXPECT_EQ(asked.filterIndex, 1);
  EXPECT_EQ(p.Text4[0]->text(), first);

  // A cancelled dialog leaves the box unchanged.
  f.setFocusTo(p.Text4[2]);
  p.Text4[2]->setText(QStringLiteral("keep.txt"));
  p.Command5[0]->click();
  ASSERT_EQ(f.seen->fileRequests.size(), 2u);
  EXPECT_EQ(f.seen->fileRequests[1].title, QStringLiteral("保存するバージョン比較結果ファイル名の選択"));
  EXPECT_TRUE(f.seen->fileRequests[1].save);
  EXPECT_EQ(p.Text4[2]->text(), QStringLiteral("keep.txt"));
  EXPECT_EQ(QApplication::focusWidget(), p.Text4[2]);
}

}  // namespace
}  // namespace quorvane
