// The comparison page driven through its controls on small record files.
#include <gtest/gtest.h>

#include "support_main_window.h"

namespace quorvane {
namespace {

using test::qpath;

// A version record file of the given tab-separated rows: name, versions, size, date and time.
std::string record(std::initializer_list<const char*> rows) {
  std::string out = ";#FN,FV,SV,SZ,DTTM\r\n";
  for (const char* row : rows) out += std::string(row) + "\r\n";
  return out;
}

const QString kBadName = QStringLiteral("ファイル名が間違っています");

// Two records with one file in each category: d added, b updated, c deleted, a unchanged.
class ComparisonPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.window().selectTab(1);
    first = QString::fromStdString(dir.write("old.txt", record({"a.dll\t1.0.0.1\t1.0.0.1\t100\t98/05/11 12:00:00",
                                                                 "b.dll\t2.0.0.1\t2.0\t200\t98/05/11 12:00:00",
                                                                 "c.dll\t3.0.0.1\t3.0\t300\t98/05/11 12:00:00"})));
    second = QString::fromStdString(dir.write("new.txt", record({"d.dll\t4.0.0.1\t4.0 (Build)\t400\t99/01/02 03:04:05",
                                                                  "b.dll\t2.0.0.2\t2.0\t250\t99/02/03 10:11:12",
                                                                  "a.dll\t1.0.0.1\t1.0.0.1\t100\t98/05/11 12:00:00"})));
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
    button ? page().Command5[1]->click() : f.window().mnuRun->trigger();
  }

  test::MainWindowFixture f;
  testsupport::TempFolder dir;
  QString first, second;
};

TEST_F(ComparisonPageTest, ACompletedRunShowsTheFourCategoriesWithTheirDetails) {
  ComparisonPage& p = page();
  EXPECT_EQ(comparisonShown(), "");
  EXPECT_FALSE(p.Check1[0]->isEnabled() || p.Check1[0]->isChecked() || p.Check1[1]->isChecked());
  EXPECT_TRUE(p.Check1[2]->isChecked() && p.Text4Detail->isReadOnly());
  runWith(first, second);
  ASSERT_TRUE(f.seen->messages.empty()) << f.seen->messages.front().toStdString();
  EXPECT_EQ(f.window().statusText(), QStringLiteral("ファイル比較完了"));
  EXPECT_EQ(f.seen->beeps, 1);
  EXPECT_EQ(comparisonShown(), "list details option option option option copy save ");
  EXPECT_TRUE(p.Option1[0]->isChecked() && p.List2->isVisible());
  EXPECT_EQ(p.detailBoxText(), QStringLiteral("No : 1 /  1\r\nFile : d.dll\r\nFixedVersion : 4.0.0.1\r\n"
                                              "StringVersion : 4.0 (Build)\r\nSize : 400\r\nDate : 99/01/02 03:04:05"));
  p.Option1[1]->click();
  EXPECT_EQ(p.detailBoxText(),
            QStringLiteral("No : 1 /  1  (バージョンアップ 1)\r\nFile : b.dll\r\n更新種別 : バージョンアップ\r\n"
                           "FixedVersion : 2.0.0.2\r\nStringVersion : 2.0\r\nSize : 250\r\nDate : 99/02/03 10:11:12\r\n"
                           "------- Old File -------\r\nFixedVersion : 2.0.0.1\r\nStringVersion : 2.0\r\nSize : 200\r\n"
                           "Date : 98/05/11 12:00:00"));
  for (const auto& [option, name] : {std::pair{2, "c.dll"}, std::pair{3, "a.dll"}}) {
    p.Option1[static_cast<std::size_t>(option)]->click();
    EXPECT_EQ(test::listLines(p.List2), QStringList{QString::fromLatin1(name)});
  }

  // Viewing one record: its files with their own values; the comparison's option stays
  // marked but disabled.
  p.Option1[1]->click();
  runWith(first, QString());
  EXPECT_EQ(test::listLines(p.List2), (QStringList{"a.dll", "b.dll", "c.dll"}));
  for (QRadioButton* option : p.Option1) EXPECT_FALSE(option->isEnabled());
  EXPECT_TRUE(p.Option1[1]->isChecked() && p.Command5[4]->isEnabled());
  p.List2->setCurrentRow(1);
  EXPECT_EQ(p.detailBoxText(), QStringLiteral("No : 2 /  3\r\nFile : b.dll\r\nFixedVersion : 2.0.0.1\r\n"
                                              "StringVersion : 2.0\r\nSize : 200\r\nDate : 98/05/11 12:00:00"));
}

// A record that cannot be opened changes nothing and focuses its box; one that cannot be
// read leaves no comparison behind, and a good run afterwards works.
TEST_F(ComparisonPageTest, FailedRunsGiveTheirMessage) {
  runWith(first, second);
  const QStringList before = test::listLines(page().List2);
  runWith(qpath(dir, "missing.txt"), second);
  EXPECT_EQ(QApplication::focusWidget(), page().Text4[0]);
  EXPECT_EQ(test::listLines(page().List2), before);
  runWith(first, qpath(dir, "nowhere/new.txt"), true);
  EXPECT_EQ(QApplication::focusWidget(), page().Text4[1]);
  EXPECT_EQ(f.seen->messages, (std::vector<QString>{kBadName, kBadName}));

  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  dir.write("old.txt", garbage);
  page().Text4[2]->setText(qpath(dir, "result.txt"));
  f.seen->messages.clear();
  runWith(first, second);
  EXPECT_EQ(f.seen->messages, std::vector<QString>{QStringLiteral("ファイル読込でエラーが発生しました")});
  EXPECT_EQ(comparisonShown(), "");
  EXPECT_FALSE(page().List2->isVisible());
  EXPECT_EQ(f.window().statusText(), QStringLiteral("ファイル比較は出来ませんでした"));
  page().OutputCompareResult();
  EXPECT_FALSE(QFileInfo::exists(qpath(dir, "result.txt")));
  dir.write("old.txt", record({"a.dll\t1\t1\t1\t98/05/11 12:00:00"}));
  runWith(first, second);
  EXPECT_EQ(f.seen->messages.size(), 1u);
  EXPECT_TRUE(page().List2->isVisible());
}

TEST_F(ComparisonPageTest, SavingWritesTheResultFileAndAsksBeforeReplacingAnother) {
  runWith(first, second);
  ComparisonPage& p = page();
  p.Command5[4]->click();
  EXPECT_EQ(f.seen->messages, std::vector<QString>{QStringLiteral("保存先ファイルが指定されていません")});
  const std::string out = dir.write("result.txt", "kept");
  p.Text4[2]->setText(QString::fromStdString(out));
  f.window().mnuSave->trigger();  // answered No
  ASSERT_EQ(f.seen->questions.size(), 1u);
  EXPECT_TRUE(f.seen->questions[0].startsWith(QString::fromStdString(out) + QStringLiteral(" は既に存在します。")));
  EXPECT_EQ(testsupport::readText(out), "kept");
  f.seen->questionAnswers = {true};
  const int beeps = f.seen->beeps;
  f.window().mnuSave->trigger();
  EXPECT_EQ(f.window().statusText(), QStringLiteral("ファイル出力完了"));
  EXPECT_EQ(f.seen->beeps, beeps + 1);
  EXPECT_NE(testsupport::readText(out).find("\r\nd.dll\r\n"), std::string::npos);
  f.window().mnuSave->trigger();  // its own file: no question
  EXPECT_EQ(f.seen->questions.size(), 2u);

  p.Text4[2]->setText(qpath(dir, "no/such/folder/result.txt"));
  p.Command5[4]->click();
  EXPECT_EQ(f.seen->messages.back(), kBadName);
}

}  // namespace
}  // namespace quorvane
