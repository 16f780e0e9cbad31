// The extraction run driven from the page. What a run finds is the core's to test; here each
// outcome must reach its control state, and saving must ask before it replaces a file.
#include <gtest/gtest.h>

#include <QTimer>
#include <chrono>
#include <functional>

#include "dialogs/frmProgress.h"
#include "dialogs/qt_print.h"
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

// A window and a folder of three listed files.
class ExtractionRunTest : public ::testing::Test {
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

  test::MainWindowFixture f;
  testsupport::TempFolder dir;
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
  EXPECT_EQ(f.seen->messages, std::vector<QString>{QStringLiteral("ファイル名が間違っています")});
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

}  // namespace
}  // namespace quorvane
