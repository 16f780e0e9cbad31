// The extraction run driven from the page. What a run finds is the core's to test; here each
// outcome must reach its control state, and saving must ask before it replaces a file.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <functional>
#include <ostream>

#include "compare/ComparisonPage.h"
#include "compare/record_reader.h"
#include "dialogs/frmProgress.h"
#include "extraction/ExtractionPage.h"
#include "shell/toolbar_keys.h"
#include "support/pe_image_builder.h"
#include "support/szdd_writer.h"
#include "support_main_window.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;
using testsupport::buildImage;
using testsupport::ImageFormat;
using testsupport::simpleVersionInfo;

const QString kListing = QStringLiteral("ファイル一覧取得中");
const QString kFinished = QStringLiteral("バージョン情報抽出完了 ");
const QString kCancelled = QStringLiteral("バージョン情報抽出を中止しました");
const QString kFailed = QStringLiteral("バージョン情報抽出は出来ませんでした");

// What the window shows after a run, as one value.
struct PageState {
  int listCount = 0;
  bool listAndDetails = false;  // list and detail box enabled, details shown
  std::string commands;         // copy and save: page buttons, save menu, toolbar save and copy
  bool strictSort = false;      // Check2 offered
  bool compareWithExtraction = false;  // the comparison page's option enabled and ticked
  QString status;
  QString lastCaption;  // of the progress window
  std::vector<QString> messages;
  int beeps = 0;
  bool operator==(const PageState&) const = default;
};

void PrintTo(const PageState& s, std::ostream* os) {
  *os << "list " << s.listCount << (s.listAndDetails ? " on" : " off") << ", commands " << s.commands
      << ", strict sort " << s.strictSort << ", compare with extraction " << s.compareWithExtraction << ", status '"
      << s.status.toStdString() << "', caption '" << s.lastCaption.toStdString() << "', beeps " << s.beeps;
  for (const QString& m : s.messages) *os << ", message '" << m.toStdString() << "'";
}

// A window and a folder of three listed files.
class ExtractionRunTest : public ::testing::Test {
 public:
  ExtractionRunTest() {
    putDll(dir, QStringLiteral("KERNEL32.DLL"), {4, 0, 0, 1}, "4.00.0001");
    putDll(dir, QStringLiteral("b.ocx"), {2, 0, 0, 0}, "2.00 (Build)");
    test::writeFile(dir.file(QStringLiteral("noversion.dll")), QByteArray(300, 'x'));
    test::writeFile(dir.file(QStringLiteral("readme.txt")), QByteArray("not listed"));
    page().Text1[0]->setText(dir.path());
    // Every look at the clock gives the window a turn, so a listing of many files shows it.
    page().setListingInterval(0ms);
  }
  static void putDll(const test::TempDir& in, const QString& name, std::array<std::uint16_t, 4> v, const char* text) {
    testsupport::writeFile(in.file(name).toStdString(), buildImage(ImageFormat::Pe32, simpleVersionInfo(v, text)).bytes);
  }
  ExtractionPage& page() { return *f.window().extractionPage(); }
  void run() { page().Command1[1]->click(); }
  // Forgets what the fake dialogs saw so far.
  void forget() { *f.seen = test::Interactions{}; }

  PageState state() {
    ExtractionPage& p = page();
    frmMain& w = f.window();
    ComparisonPage& cmp = *w.comparisonPage();
    PageState s;
    s.listCount = p.List1->count();
    s.listAndDetails = p.List1->isEnabled() && p.Text1Detail->isEnabled() && !p.Text1Detail->toPlainText().isEmpty();
    for (bool on : {p.Command1[2]->isEnabled(), p.Command1[3]->isEnabled(), w.mnuSave->isEnabled(),
                    w.toolbarEnabled(kSaveKey), w.toolbarEnabled(kCopyKey)})
      s.commands += on ? '1' : '0';
    s.strictSort = p.Check2->isEnabled();
    s.compareWithExtraction = cmp.Check1[0]->isEnabledTo(&cmp) && cmp.Check1[0]->isChecked();
    s.status = w.statusText();
    s.lastCaption = f.seen->progressCaptions.empty() ? QString() : f.seen->progressCaptions.back();
    s.messages = f.seen->messages;
    s.beeps = f.seen->beeps;
    return s;
  }

  void TestBody() override {}  // also serves the outcome table, one scene per row

  test::MainWindowFixture f;
  test::TempDir dir;
};

// Each run follows a completed one, so the table shows what a run keeps and what it drops.
TEST(ExtractionRunOutcomes, EachOutcomeReachesItsControlState) {
  const struct {
    const char* outcome;
    std::function<void(ExtractionRunTest&)> prepare;
    PageState expected;
  } rows[] = {
      {"completed", {}, {3, true, "11111", false, true, kFinished, kFinished, {}, 2}},
      {"a double-byte name",
       [](ExtractionRunTest& t) { ExtractionRunTest::putDll(t.dir, QStringLiteral("日本語.dll"), {9, 9, 9, 9}, "9.9"); },
       {4, true, "11111", true, true, kFinished, kFinished, {}, 2}},
      {"cancelled", [](ExtractionRunTest& t) { t.f.seen->cancelAtUpdate = 1; },
       {0, false, "00000", false, false, kCancelled, QStringLiteral("バージョン情報抽出中 "), {}, 2}},
      {"a folder that does not exist",
       [](ExtractionRunTest& t) { t.page().Text1[0]->setText(t.dir.file(QStringLiteral("no such folder"))); },
       {3, true, "11111", false, true, kFailed, {}, {QStringLiteral("指定されたフォルダーは存在しません")}, 1}},
      {"nothing of the kind after a long listing",
       [](ExtractionRunTest& t) {
         QDir(t.dir.path()).mkdir(QStringLiteral("texts"));
         for (int i = 0; i < 100; ++i)
           test::writeFile(t.dir.file(QStringLiteral("texts/%1.txt").arg(i)), QByteArray("y"));
         t.page().Text1[0]->setText(t.dir.file(QStringLiteral("texts")));
       },
       {3, true, "11111", false, true, kFailed, kListing, {QStringLiteral("対象となるファイルは有りませんでした")}, 1}},
      {"a name a record cannot carry",
       [](ExtractionRunTest& t) { test::writeFile(t.dir.file(QStringLiteral("tab\tname.dll")), QByteArray(300, 'x')); },
       {3, true, "11111", false, true, kFinished, kFinished,
        {QStringLiteral("抽出は完了しましたが、次の 1 件のファイルは記録に含めなかったか、展開できませんでした。\n"
                        "記録に含めませんでした: %DIR%/tab\tname.dll (ファイル名に記録できない文字 (不正な文字コード・"
                        "タブ・改行) が含まれています)")},
        2}},
      {"no folder",
       [](ExtractionRunTest& t) {
         t.page().Text1[0]->clear();
         EXPECT_FALSE(t.page().Command1[1]->isEnabled());
       },
       {3, true, "11111", false, true, kFailed, {}, {QStringLiteral("フォルダーが指定されていません")}, 1}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.outcome);
    ExtractionRunTest t;
    t.run();
    ASSERT_EQ(t.page().List1->count(), 3);
    t.forget();
    if (row.prepare) row.prepare(t);
    t.page().ExtractVersionInfo();
    PageState expected = row.expected;
    for (QString& m : expected.messages) m.replace(QStringLiteral("%DIR%"), t.dir.path());
    EXPECT_EQ(t.state(), expected);
    // A run that stopped is an error; a completed run that left files out only informs.
    for (MessageIcon icon : t.f.seen->icons)
      EXPECT_EQ(icon, expected.status == kFailed ? MessageIcon::Critical : MessageIcon::Information);
    EXPECT_TRUE(t.f.window().isEnabled());
  }
}

TEST_F(ExtractionRunTest, TheListIsSortedAndShowsTheDetailsOfTheSelectedFile) {
  run();
  ExtractionPage& p = page();
  EXPECT_EQ(test::listLines(p.List1), (QStringList{"b.ocx", "kernel32.dll", "noversion.dll"}));
  EXPECT_EQ(p.List1->currentRow(), 0);
  const QFileInfo ocx(dir.file(QStringLiteral("b.ocx")));
  EXPECT_EQ(p.detailBoxText(), QStringLiteral("No : 1 / 3\r\nFile : b.ocx\r\nFixedVersion : 2.0.0.0\r\n"
                                              "StringVersion : 2.00 (Build)\r\nSize : %1\r\nDate : %2")
                                   .arg(ocx.size())
                                   .arg(ocx.lastModified().toString(QStringLiteral("yy/MM/dd HH:mm:ss"))));
  p.List1->setCurrentRow(2);
  EXPECT_TRUE(p.detailBoxText().startsWith(
      QStringLiteral("No : 3 / 3\r\nFile : noversion.dll\r\nFixedVersion : \r\nStringVersion : \r\nSize : 300\r\n")));
  EXPECT_FLOAT_EQ(f.seen->progressFractions.back(), 1.0f);
}

TEST_F(ExtractionRunTest, StrictSortRebuildsTheWholeListAndStaysOffered) {
  putDll(dir, QStringLiteral("日本語.dll"), {9, 9, 9, 9}, "9.9");
  run();
  ExtractionPage& p = page();
  QStringList before = test::listLines(p.List1);
  p.Check2->click();
  ASSERT_TRUE(p.Check2->isChecked());
  QStringList after = test::listLines(p.List1);
  EXPECT_TRUE(p.detailBoxText().startsWith(QStringLiteral("No : 1 / 4\r\nFile : ") + p.List1->item(0)->text()));
  before.sort();
  after.sort();
  EXPECT_EQ(before, after);  // every file once, whatever the order
  QFile::remove(dir.file(QStringLiteral("日本語.dll")));
  run();
  EXPECT_TRUE(p.Check2->isEnabledTo(&p));
}

TEST_F(ExtractionRunTest, ACompressedKindExpandsIntoTheExpansionFolderBox) {
  const test::TempDir media;
  const test::TempDir expanded;
  testsupport::writeFile(media.file(QStringLiteral("SETUP.EX_")).toStdString(),
                         testsupport::compressSzdd(buildImage(ImageFormat::Pe32, simpleVersionInfo({5, 1, 0, 7}, "5.1")).bytes));
  ExtractionPage& p = page();
  p.Text1[0]->setText(media.path());
  p.Combo1->setCurrentIndex(5);
  p.Text1[1]->setText(expanded.path());
  run();
  EXPECT_EQ(test::listLines(p.List1), QStringList{QStringLiteral("setup.exe")});
  EXPECT_TRUE(QFileInfo::exists(expanded.file(QStringLiteral("SETUP.EXE"))));
}

// The shared temporary folder is never expanded into directly: the run gets an owner-only
// folder inside it, which goes when the next run starts. That run, which would expand
// into the folder it lists, is refused.
TEST_F(ExtractionRunTest, TheTemporaryFolderGetsAFolderOfTheRunsOwnUntilTheNextRun) {
  const test::TempDir media;
  const test::TempDir temp;
  const QByteArray oldTmp = qgetenv("TMPDIR");
  qputenv("TMPDIR", temp.path().toUtf8());
  testsupport::writeFile(media.file(QStringLiteral("SETUP.EX_")).toStdString(),
                         testsupport::compressSzdd(std::string("MZ")));
  ExtractionPage& p = page();
  p.Text1[0]->setText(media.path());
  p.Combo1->setCurrentIndex(5);
  p.Text1[1]->setText(temp.path());
  p.Command1[1]->click();
  const QFileInfoList own = QDir(temp.path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  ASSERT_EQ(own.size(), 1);
  EXPECT_TRUE(QFileInfo::exists(own[0].filePath() + QStringLiteral("/SETUP.EXE")));
  p.Text1[1]->setText(media.path() + QStringLiteral("/"));
  p.Command1[1]->click();
  oldTmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", oldTmp);
  ASSERT_EQ(f.seen->messages.size(), 1u);
  EXPECT_EQ(f.seen->messages[0], QStringLiteral("圧縮復元先フォルダーが情報抽出先フォルダーと同じです"));
  EXPECT_TRUE(QDir(temp.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
  EXPECT_FALSE(QFileInfo::exists(media.file(QStringLiteral("SETUP.EXE"))));
}

TEST_F(ExtractionRunTest, SavingAsksBeforeReplacingAFileThisWindowDidNotWriteWithThisResult) {
  run();
  ExtractionPage& p = page();
  const QString record = dir.file(QStringLiteral("record.txt"));
  test::writeFile(record, "an older record");
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
    test::writeFile(record, "marker");
    forget();
    f.window().setStatusText(QString());
    f.seen->questionAnswers = {step.yes};
    p.Command1[3]->click();
    EXPECT_EQ(f.seen->questions.size(), step.asks ? 1u : 0u) << step.situation;
    EXPECT_EQ(test::readFile(record) != "marker", step.writes) << step.situation;
    EXPECT_EQ(f.window().statusText() == QStringLiteral("ファイル出力完了"), step.writes) << step.situation;
    if (step.asks && !f.seen->questions.empty()) {
      EXPECT_TRUE(f.seen->questions[0].startsWith(record + QStringLiteral(" は既に存在します。")));
    }
  }
  // A new file needs no question.
  forget();
  p.Text1[2]->setText(dir.file(QStringLiteral("new.txt")));
  p.Command1[3]->click();
  EXPECT_TRUE(f.seen->questions.empty());
  EXPECT_EQ(ReadRecordFile(dir.file(QStringLiteral("new.txt")).toStdString()).Entries.size(), 3u);
}

TEST_F(ExtractionRunTest, AFailedSaveGivesTheWritersMessageAndKeepsTheCommands) {
  run();
  page().Text1[2]->setText(dir.file(QStringLiteral("missing folder/record.txt")));
  page().Command1[3]->click();
  EXPECT_EQ(f.seen->messages, std::vector<QString>{QStringLiteral("ファイル名が間違っています")});
  EXPECT_NE(f.window().statusText(), QStringLiteral("ファイル出力完了"));
  EXPECT_TRUE(page().Command1[3]->isEnabled());
}

TEST_F(ExtractionRunTest, TheProgressWindowsCancelButtonActsWhileTheFolderIsListed) {
  run();
  for (int i = 0; i < 100; ++i) test::writeFile(dir.file(QStringLiteral("X%1.DLL").arg(i)), QByteArray("x"));
  forget();
  QWidget* owner = &f.window();
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
    ownerEnabledWhenPressed = owner->isEnabled();
    presser.stop();
    window->Command1->click();
  });
  presser.start();
  run();
  presser.stop();
  EXPECT_EQ(textWhenPressed, kListing);
  EXPECT_FALSE(ownerEnabledWhenPressed);  // the window held the main window while listing
  EXPECT_EQ(frmProgress::shared(), nullptr);
  EXPECT_EQ(state(), (PageState{0, false, "00000", false, false, kCancelled, {}, {}, 1}));
  f.seen->programsProgressWindow = false;
  run();  // the next run goes through
  EXPECT_EQ(page().List1->count(), 103);
}

}  // namespace
}  // namespace quorvane
