// The extraction page while a long folder listing runs: the progress window comes up with
// the listing text, and a cancel given there ends the run as a cancelled run.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <chrono>

#include "compare/ComparisonPage.h"
#include "dialogs/clsProgressForm.h"
#include "dialogs/frmProgress.h"
#include "extraction/ExtractionPage.h"
#include "support/pe_image_builder.h"
#include "support_main_window.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;

const QString kListing = QStringLiteral("ファイル一覧取得中");
const QString kCancelled = QStringLiteral("バージョン情報抽出を中止しました");
constexpr int kExtraFiles = 100;

// Two libraries for a first, completed run; then a hundred more files so that a listing
// with turns at every look at the clock gives several of them.
class ListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"ONE.DLL", "TWO.DLL"})
      testsupport::writeFile(dir.file(QString::fromLatin1(name)).toStdString(),
                             testsupport::buildImage(testsupport::ImageFormat::Pe32,
                                                     testsupport::simpleVersionInfo({1, 2, 3, 4}, "1.2")).bytes);
    page().Text1[0]->setText(dir.path());
    page().Command1[1]->click();
    EXPECT_EQ(page().List1->count(), 2);
    for (int i = 0; i < kExtraFiles; ++i) test::writeFile(dir.file(QStringLiteral("X%1.DLL").arg(i)), QByteArray("x"));
    page().setListingInterval(0ms);
    f.seen->progressCaptions.clear();
    f.seen->progressFractions.clear();
    f.seen->beeps = 0;
  }
  ExtractionPage& page() { return *f.window().extractionPage(); }
  ComparisonPage& comparison() { return *f.window().comparisonPage(); }

  // The page in the state of a cancelled run.
  void expectCancelledRun() {
    ExtractionPage& p = page();
    EXPECT_EQ(p.List1->count(), 0);
    EXPECT_FALSE(p.List1->isEnabled());
    EXPECT_FALSE(p.Command1[2]->isEnabled());
    EXPECT_FALSE(p.Command1[3]->isEnabled());
    EXPECT_FALSE(p.Text1Detail->isEnabled());
    EXPECT_TRUE(p.Text1Detail->toPlainText().isEmpty());
    EXPECT_FALSE(f.window().mnuSave->isEnabled());
    EXPECT_FALSE(comparison().Check1[0]->isEnabledTo(&comparison()));
    EXPECT_FALSE(comparison().Check1[0]->isChecked());
    EXPECT_EQ(f.window().statusText(), kCancelled);
    EXPECT_TRUE(p.Command1[1]->isEnabled());  // a new run can start
    EXPECT_TRUE(f.window().isEnabled());
    EXPECT_TRUE(f.seen->messages.empty());
  }

  test::MainWindowFixture f;
  test::TempDir dir;
};

TEST_F(ListingTest, ACancelWhileListingLeavesTheCancelledRunState) {
  f.seen->cancelAtUpdate = 1;
  page().Command1[1]->click();
  // One update, the listing's, and no file after it.
  ASSERT_EQ(f.seen->progressCaptions.size(), 1u);
  EXPECT_EQ(f.seen->progressCaptions[0], kListing);
  EXPECT_EQ(f.seen->progressFractions[0], 0.0f);
  expectCancelledRun();
  EXPECT_EQ(f.seen->beeps, 1);  // the end of the run; no files were found to announce

  // The next run goes through.
  f.seen->cancelAtUpdate = 0;
  page().Command1[1]->click();
  EXPECT_EQ(page().List1->count(), 2 + kExtraFiles);
  EXPECT_TRUE(page().Command1[3]->isEnabled());
}

TEST_F(ListingTest, ListingTurnsPrecedeTheFilesOfACompletedRun) {
  page().Command1[1]->click();
  const auto& captions = f.seen->progressCaptions;
  const std::size_t files = 2 + kExtraFiles;
  ASSERT_GT(captions.size(), files);
  const std::size_t turns = captions.size() - files;
  for (std::size_t i = 0; i < turns; ++i) EXPECT_EQ(captions[i], kListing) << i;
  EXPECT_EQ(captions[turns], QStringLiteral("バージョン情報抽出中 "));
  EXPECT_EQ(captions.back(), QStringLiteral("バージョン情報抽出完了 "));
  EXPECT_EQ(page().List1->count(), static_cast<int>(files));
  EXPECT_EQ(f.window().statusText(), QStringLiteral("バージョン情報抽出完了 "));
}

TEST_F(ListingTest, ALongListingThatFindsNothingStillKeepsThePreviousResult) {
  for (int i = 0; i < kExtraFiles; ++i) test::writeFile(dir.file(QStringLiteral("Y%1.TXT").arg(i)), QByteArray("y"));
  page().Combo1->setCurrentIndex(1);  // "*.OCX": none here
  page().Command1[1]->click();
  ASSERT_FALSE(f.seen->progressCaptions.empty());
  EXPECT_EQ(f.seen->progressCaptions.front(), kListing);
  ASSERT_EQ(f.seen->messages.size(), 1u);
  EXPECT_EQ(f.seen->messages[0], QStringLiteral("対象となるファイルは有りませんでした"));
  EXPECT_EQ(page().List1->count(), 2);
  EXPECT_TRUE(page().Command1[3]->isEnabled());
}

// The progress window itself, as the program shows it; it notes the captions it is given.
class RealProgress : public ProgressReporter {
 public:
  RealProgress(QWidget* owner, QStringList& captions) : m_captions(captions) {
    m_form.setOwnerForm(owner);
    m_form.setDispFinished(true);
  }
  bool update(float fraction, const QString& caption, bool completion) override {
    m_captions << caption;
    return m_form.UpdateStatus(fraction, caption, completion);
  }
  bool canceled() override { return m_form.Canceled(); }

 private:
  clsProgressForm m_form;
  QStringList& m_captions;
};

TEST_F(ListingTest, TheProgressWindowsCancelButtonActsWhileTheFolderIsListed) {
  QWidget* owner = &f.window();
  QStringList captions;
  f.seen->progressWindow = [owner, &captions] { return std::make_unique<RealProgress>(owner, captions); };
  // Presses cancel as soon as the window shows, from inside the run's own event
  // processing, the way a person's click arrives.
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
  page().Command1[1]->click();
  presser.stop();
  EXPECT_EQ(textWhenPressed, kListing);
  EXPECT_FALSE(ownerEnabledWhenPressed);  // the window held the main window while listing
  // The cancel was taken in the listing's own turn: the listing stopped there, and no
  // file was started.
  EXPECT_EQ(captions, QStringList{kListing});
  EXPECT_EQ(frmProgress::shared(), nullptr);
  expectCancelledRun();
}

}  // namespace
}  // namespace quorvane
