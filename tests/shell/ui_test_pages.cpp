// Both pages driven through their controls. What a run finds is the core's to test; here
// each outcome must reach its control state, saving must ask before it replaces a file, and
// the menu option that lists subfolders too reaches the run and is remembered.
#include <gtest/gtest.h>

#include <QTimer>
#include <chrono>
#include <functional>

#include "dialogs/frmProgress.h"
#include "dialogs/qt_print.h"
#include "shell/window_placement.h"
#include "support/szdd_writer.h"
#include "support_main_window.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;
using test::putDll;
using test::qpath;

const QString kListing = QStringLiteral("ファイル一覧取得中");
const QString kFinished = QStringLiteral("バージョン情報抽出完了 ");
const QString kCancelled = QStringLiteral("バージョン情報抽出を中止しました");
const QString kFailed = QStringLiteral("バージョン情報抽出は出来ませんでした");
const QString kSaved = QStringLiteral("ファイル出力完了");
const QString kBadName = QStringLiteral("ファイル名が間違っています");

// A shown main window and a test folder.
class PageTest : public ::testing::Test {
 public:
  test::MainWindowFixture f;
  testsupport::TempFolder dir;
};

// A window and a folder of three listed files.
class ExtractionRunTest : public PageTest {
 public:
  ExtractionRunTest() {
    putDll(dir, "KERNEL32.DLL", {4, 0, 0, 1}, "4.00.0001");
    putDll(dir, "b.ocx", {2, 0, 0, 0}, "2.00 (Build)");
    dir.write("noversion.dll", std::string(300, 'x'));
    dir.write("readme.txt", "not listed");
    page().Text1[0]->setText(qpath(dir));
    // Every look at the clock gives the window a turn, so a listing of many files shows it.
    page().setListingInterval(0ms);
  }
  ExtractionPage& page() { return *f.window().extractionPage(); }
  void run() { page().Command1[1]->click(); }
  // Forgets what the fake dialogs saw so far.
  void forget() { *f.seen = test::Interactions{}; }

  // What the window shows after a run, as one line: the list's count and whether list and
  // details are on; the copy and save commands (page buttons, save menu, toolbar save and
  // copy); "cmp" when the comparison page offers the extraction; then the status, the
  // progress window's last caption, the beeps and an icon letter per message.
  QString state() {
    ExtractionPage& p = page();
    frmMain& w = f.window();
    const ComparisonPage& cmp = *w.comparisonPage();
    const bool listOn = p.List1->isEnabled() && p.Text1Detail->isEnabled() && !p.Text1Detail->toPlainText().isEmpty();
    QString s = QStringLiteral("%1 %2 ").arg(p.List1->count()).arg(listOn ? "on" : "off");
    for (bool on : {p.Command1[2]->isEnabled(), p.Command1[3]->isEnabled(), w.mnuSave->isEnabled(),
                    w.toolbarEnabled(kSaveKey), w.toolbarEnabled(kCopyKey)})
      s += on ? '1' : '0';
    if (cmp.Check1[0]->isEnabledTo(&cmp) && cmp.Check1[0]->isChecked()) s += " cmp";
    s += "|" + w.statusText() + "|" + (f.seen->progressCaptions.empty() ? QString() : f.seen->progressCaptions.back());
    s += "|" + QString::number(f.seen->beeps) + "|";
    for (MessageIcon icon : f.seen->icons) s += icon == MessageIcon::Critical ? 'C' : 'I';
    return s;
  }

  void TestBody() override {}  // also serves the outcome table, one scene per row
};

// A version record file of the given tab-separated rows: name, versions, size, date and time.
std::string record(std::initializer_list<const char*> rows) {
  std::string out = ";#FN,FV,SV,SZ,DTTM\r\n";
  for (const char* row : rows) out += std::string(row) + "\r\n";
  return out;
}

// Two records with one file in each category: d added, b updated, c deleted, a unchanged.
class ComparisonPageTest : public PageTest {
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

  QString first, second;
};

// Each run follows a completed one, so the table shows what a run keeps and what it drops.
// A run that stopped is an error; a completed run that left files out only informs.
TEST(ExtractionRunOutcomes, EachOutcomeReachesItsControlState) {
  const QString kept = "3 on 11111 cmp|" + kFailed;
  const struct {
    const char* outcome;
    std::function<void(ExtractionRunTest&)> prepare;
    QString expected;
  } rows[] = {
      {"completed", {}, "3 on 11111 cmp|" + kFinished + "|" + kFinished + "|2|"},
      {"cancelled", [](ExtractionRunTest& t) { t.f.seen->cancelAtUpdate = 1; },
       "0 off 00000|" + kCancelled + "|バージョン情報抽出中 |2|"},
      {"a folder that does not exist", [](ExtractionRunTest& t) { t.page().Text1[0]->setText(qpath(t.dir, "none")); },
       kept + "||1|C"},
      {"nothing of the kind after a long listing",
       [](ExtractionRunTest& t) {
         QDir(qpath(t.dir)).mkdir(QStringLiteral("texts"));
         for (int i = 0; i < 40; ++i) t.dir.write("texts/" + std::to_string(i) + ".txt", "y");
         t.page().Text1[0]->setText(qpath(t.dir, "texts"));
       },
       kept + "|" + kListing + "|1|C"},
      {"a name a record cannot carry", [](ExtractionRunTest& t) { t.dir.write("tab\tname.dll", std::string(300, 'x')); },
       "3 on 11111 cmp|" + kFinished + "|" + kFinished + "|2|I"},
      {"no folder",
       [](ExtractionRunTest& t) {
         t.page().Text1[0]->clear();
         EXPECT_FALSE(t.page().Command1[1]->isEnabled());
       },
       kept + "||1|C"},
      {"expansion into the listed folder",
       [](ExtractionRunTest& t) {
         t.dir.write("SETUP.EX_", testsupport::compressSzdd(std::string("MZ")));
         t.page().Combo1->setCurrentIndex(5);
         t.page().Text1[1]->setText(qpath(t.dir) + "/");
       },
       kept + "||1|C"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.outcome);
    ExtractionRunTest t;
    t.run();
    ASSERT_EQ(t.page().List1->count(), 3);
    t.forget();
    if (row.prepare) row.prepare(t);
    t.page().ExtractVersionInfo();
    EXPECT_EQ(t.state(), row.expected);
    EXPECT_TRUE(t.f.window().isEnabled());
  }
}

TEST_F(ExtractionRunTest, SavingAsksBeforeReplacingAFileThisWindowDidNotWriteWithThisResult) {
  run();
  ExtractionPage& p = page();
  const QString record = qpath(dir, "record.txt");
  p.Text1[2]->setText(record);
  const struct {
    const char* situation;
    std::function<void()> before;
    bool yes, asks, writes;
  } steps[] = {
      {"a file from elsewhere, answered No", {}, false, true, false},
      {"a file from elsewhere, answered Yes", {}, true, true, true},
      {"the file this window just wrote", {}, false, false, true},
      {"the same file after a new run", [&] { run(); }, false, true, false},
      {"the file just confirmed in the save dialog",
       [&] {
         f.setFocusTo(p.Text1[2]);
         f.seen->fileAnswers.push_back(record);
         p.Command1[0]->click();
       },
       false, false, true},
      {"the file named again", [&] { p.Text1[2]->setText(record + QStringLiteral(".x")); p.Text1[2]->setText(record); },
       false, true, false},
  };
  for (const auto& step : steps) {
    if (step.before) step.before();
    dir.write("record.txt", "marker");
    forget();
    f.window().setStatusText(QString());
    f.seen->questionAnswers = {step.yes};
    p.Command1[3]->click();
    EXPECT_EQ(f.seen->questions.size(), step.asks ? 1u : 0u) << step.situation;
    EXPECT_EQ(testsupport::readText(record.toStdString()) != "marker", step.writes) << step.situation;
    EXPECT_EQ(f.window().statusText() == kSaved, step.writes) << step.situation;
    if (step.asks && !f.seen->questions.empty()) {
      EXPECT_TRUE(f.seen->questions[0].startsWith(record + QStringLiteral(" は既に存在します。")));
    }
  }
  // A new file needs no question; a failed save gives the writer's message and keeps the commands.
  forget();
  p.Text1[2]->setText(qpath(dir, "new.txt"));
  p.Command1[3]->click();
  EXPECT_TRUE(f.seen->questions.empty());
  EXPECT_EQ(f.window().statusText(), kSaved);
  p.Text1[2]->setText(qpath(dir, "missing folder/record.txt"));
  f.window().setStatusText(QString());
  p.Command1[3]->click();
  EXPECT_EQ(f.seen->messages, std::vector<QString>{kBadName});
  EXPECT_NE(f.window().statusText(), kSaved);
  EXPECT_TRUE(p.Command1[3]->isEnabled());
}

TEST_F(ExtractionRunTest, TheProgressWindowsCancelButtonActsWhileTheFolderIsListed) {
  run();
  for (int i = 0; i < 100; ++i) dir.write("X" + std::to_string(i) + ".DLL", "x");
  forget();
  f.seen->programsProgressWindow = true;
  // Presses cancel as soon as the window shows, from inside the run's own event processing,
  // the way a person's click arrives.
  QString textWhenPressed;
  bool ownerEnabledWhenPressed = true;
  QTimer presser;
  presser.setInterval(0);
  QObject::connect(&presser, &QTimer::timeout, [&] {
    frmProgress* window = frmProgress::shared();
    if (window == nullptr || !window->isVisible()) return;
    textWhenPressed = window->Label1->text();
    ownerEnabledWhenPressed = f.window().isEnabled();
    presser.stop();
    window->Command1->click();
  });
  presser.start();
  run();
  presser.stop();
  EXPECT_EQ(textWhenPressed, kListing);
  EXPECT_FALSE(ownerEnabledWhenPressed);  // the window held the main window while listing
  EXPECT_EQ(frmProgress::shared(), nullptr);
  EXPECT_EQ(state(), "0 off 00000|" + kCancelled + "||1|");
  f.seen->programsProgressWindow = false;
  run();  // the next run goes through
  EXPECT_EQ(page().List1->count(), 103);
}

// The list shows the names below the folder, the details the full path.
TEST(RecurseOption, MenuEntryListsSubfoldersAndIsRemembered) {
  testsupport::TempFolder dir;
  ASSERT_TRUE(QDir(qpath(dir)).mkpath(QStringLiteral("Sub")));
  for (const char* name : {"A.DLL", "Sub/B.DLL"}) putDll(dir, name, {1, 2, 3, 4}, "1.2");
  writeSetting(QStringLiteral("RecurseSubfolders"), QStringLiteral("0"));

  test::MainWindowFixture f;
  frmMain& w = f.window();
  ExtractionPage& page = *w.extractionPage();
  EXPECT_FALSE(w.mnuOptRecurse->isChecked());
  page.Text1[0]->setText(qpath(dir));

  const struct {
    bool recurse;
    QStringList list;
    QString setting;
  } rows[] = {
      {false, {QStringLiteral("a.dll")}, QStringLiteral("0")},
      {true, {QStringLiteral("a.dll"), QStringLiteral("sub\\b.dll")}, QStringLiteral("1")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.recurse);
    if (w.mnuOptRecurse->isChecked() != row.recurse) w.mnuOptRecurse->trigger();
    EXPECT_EQ(readSetting(QStringLiteral("RecurseSubfolders")), row.setting);
    page.Command1[1]->click();
    EXPECT_EQ(test::listLines(page.List1), row.list);
  }
  page.List1->setCurrentRow(1);
  const QString details = page.detailBoxText();
  EXPECT_TRUE(details.startsWith(QStringLiteral("No : 2 / 2\r\nFile : sub\\b.dll\r\nPath : ") + qpath(dir, "Sub/B.DLL")))
      << details.toStdString();
  page.List1->setCurrentRow(0);
  EXPECT_FALSE(page.detailBoxText().contains(QStringLiteral("Path : ")));

  // A new window starts with the option as the last one left it.
  test::MainWindowFixture again;
  EXPECT_TRUE(again.window().mnuOptRecurse->isChecked());
}

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
