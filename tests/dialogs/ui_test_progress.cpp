#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "dialogs/clsProgressForm.h"
#include "dialogs/frmProgress.h"
#include "dialogs/qt_print.h"

using quorvane::clsProgressForm;
using quorvane::frmProgress;

namespace {

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Replaces the window's clock for one test, so stalls take no real time.
class FakeClock {
 public:
  FakeClock() : m_saved(frmProgress::clock()) { frmProgress::clock() = [this] { return m_now; }; }
  ~FakeClock() { frmProgress::clock() = m_saved; }
  void advanceMs(qint64 ms) { m_now += ms; }

 private:
  std::function<qint64()> m_saved;
  qint64 m_now = 1'000'000;
};

class ProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_owner.resize(500, 300);
    m_owner.show();
    m_progress = std::make_unique<clsProgressForm>();
    m_progress->setOwnerForm(&m_owner);
  }
  void TearDown() override {
    m_progress.reset();
    flushDeletes();
    EXPECT_EQ(frmProgress::shared(), nullptr);
    EXPECT_TRUE(m_owner.isEnabled());
  }

  QWidget m_owner;
  std::unique_ptr<clsProgressForm> m_progress;
};

}  // namespace

// In finished mode the end shows OK and waits for it; otherwise, or beyond one, the window
// closes at once. Releasing the progress object closes a window still open.
TEST_F(ProgressTest, CompletionClosesAtOnceOrShowsOkAndWaitsForIt) {
  m_progress->setDispFinished(false);
  m_progress->UpdateStatus(1.0f, QStringLiteral("x"), true);
  EXPECT_EQ(frmProgress::shared(), nullptr);
  EXPECT_TRUE(m_owner.isEnabled());
  m_progress->setDispFinished(true);
  m_progress->UpdateStatus(0.3f, QStringLiteral("x"), true);
  EXPECT_NE(frmProgress::shared(), nullptr);
  m_progress->UpdateStatus(1.5f, QStringLiteral("x"), true);
  EXPECT_EQ(frmProgress::shared(), nullptr);
  EXPECT_TRUE(m_owner.isEnabled());

  m_progress->UpdateStatus(1.0f, QStringLiteral("バージョン情報抽出完了 "), true);
  QPointer<frmProgress> w = frmProgress::shared();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Command1->text(), QStringLiteral("OK"));
  EXPECT_TRUE(w->Command1->isDefault() && w->isVisible());
  EXPECT_FALSE(m_owner.isEnabled() || m_progress->Canceled());
  w->Command1->click();
  flushDeletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_TRUE(m_owner.isEnabled());

  m_progress->UpdateStatus(1.0f, QStringLiteral("x"), true);
  ASSERT_NE(frmProgress::shared(), nullptr);
  m_progress.reset();
  EXPECT_EQ(frmProgress::shared(), nullptr);
}

// A click is noticed during the next update; the caller sees it once and for good. Closing
// the window cancels as well.
TEST_F(ProgressTest, CancelHidesTheWindowAndTheCallerSeesIt) {
  m_progress->UpdateStatus(0.1f, QStringLiteral("x"), true);
  QPointer<frmProgress> w = frmProgress::shared();
  QTimer::singleShot(0, w->Command1, &QPushButton::click);
  int processed = 0;
  for (int i = 2; i <= 100 && !m_progress->Canceled(); ++i) {
    m_progress->UpdateStatus(i / 100.0f, QStringLiteral("x"), true);
    ++processed;
  }
  EXPECT_EQ(processed, 1);
  EXPECT_TRUE(w.isNull() || !w->isVisible());
  EXPECT_TRUE(m_owner.isEnabled());
  EXPECT_EQ(frmProgress::shared(), nullptr);
  EXPECT_TRUE(m_progress->Canceled());  // stays true

  clsProgressForm second;
  second.UpdateStatus(0.1f, QStringLiteral("x"), true);
  w = frmProgress::shared();
  w->Command1->click();
  EXPECT_EQ(frmProgress::shared(), w.data());  // kept until the caller has read it
  EXPECT_TRUE(second.Canceled());
  clsProgressForm third;
  third.UpdateStatus(0.1f, QStringLiteral("x"), true);
  frmProgress::shared()->close();
  EXPECT_TRUE(third.Canceled());
}

// A stall longer than the limit (zero or less means ten seconds) closes a running window
// but not a finished one.
TEST_F(ProgressTest, StallTimeoutClosesARunningWindowButNotAFinishedOne) {
  FakeClock clock;
  m_progress->setTimeOutCount(0);
  m_progress->UpdateStatus(0.2f, QStringLiteral("x"), true);
  frmProgress* w = frmProgress::shared();
  EXPECT_EQ(w->TimeOutCount(), 10);
  m_progress->setTimeOutCount(-4);
  EXPECT_EQ(w->TimeOutCount(), 10);
  m_progress->setTimeOutCount(3);
  clock.advanceMs(3000);
  w->Timer1_Timer();
  ASSERT_EQ(frmProgress::shared(), w);  // exactly the limit is not more than it
  clock.advanceMs(1);
  w->Timer1_Timer();
  EXPECT_EQ(frmProgress::shared(), nullptr);
  EXPECT_TRUE(m_owner.isEnabled());
  // A later update opens the window again, still over (and disabling) the owner.
  m_progress->UpdateStatus(1.0f, QStringLiteral("y"), true);
  w = frmProgress::shared();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(m_owner.isEnabled());
  EXPECT_EQ(w->TimeOutCount(), 3);
  clock.advanceMs(60'000);
  w->Timer1_Timer();
  EXPECT_EQ(frmProgress::shared(), w);
}
