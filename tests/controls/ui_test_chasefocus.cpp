// clsChaseFocus: polling the form's active control, the first event, Hook, and no
// second event from the getters inside the handler.
#include "controls/clsChaseFocus.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct ChaseFocusTest : ::testing::Test {
  void SetUp() override {
    form.resize(200, 100);
    first = new QLineEdit(&form);
    second = new QLineEdit(&form);
    second->move(0, 40);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    first->setFocus();
    chaser.setForm(&form);
  }
  QWidget form;
  QLineEdit* first = nullptr;
  QLineEdit* second = nullptr;
  clsChaseFocus chaser;
};

// Reading the controls inside the handler raises no second event.
TEST_F(ChaseFocusTest, EachPollReportsAMoveOnceWithBothControls) {
  QSignalSpy spy(&chaser, &clsChaseFocus::ChangeFocus);
  QWidget* seen = nullptr;
  QObject::connect(&chaser, &clsChaseFocus::ChangeFocus,
                   [&] { seen = chaser.LastActiveControl() ? chaser.ActiveControl() : nullptr; });
  chaser.setHook(true);
  chaser.Poll();  // the first poll reports a change with no previous control
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(chaser.ActiveControl(), first);
  EXPECT_EQ(chaser.LastActiveControl(), nullptr);
  chaser.Poll();
  EXPECT_EQ(spy.count(), 1);  // nothing moved
  second->setFocus();
  chaser.Poll();
  EXPECT_EQ(spy.count(), 2);
  EXPECT_EQ(chaser.ActiveControl(), second);
  EXPECT_EQ(chaser.LastActiveControl(), first);
  EXPECT_EQ(seen, second);
  clsChaseFocus formless;  // no form means no active control
  formless.setHook(true);
  EXPECT_EQ(formless.ActiveControl(), nullptr);
  EXPECT_EQ(formless.LastActiveControl(), nullptr);
}

TEST_F(ChaseFocusTest, WithoutHookNothingIsRaisedAndGettersKeepTheLastPoll) {
  chaser.setHook(true);
  chaser.Poll();
  chaser.setHook(false);
  QSignalSpy spy(&chaser, &clsChaseFocus::ChangeFocus);
  second->setFocus();
  chaser.Poll();
  EXPECT_EQ(spy.count(), 0);
  EXPECT_EQ(chaser.ActiveControl(), first);
  EXPECT_EQ(chaser.LastActiveControl(), nullptr);
  chaser.setHook(true);
  EXPECT_EQ(chaser.ActiveControl(), second);  // the getter polls and raises the change
  EXPECT_EQ(spy.count(), 1);
}

TEST_F(ChaseFocusTest, TheTimerDrivesThePolling) {
  QTimer timer;
  timer.setInterval(1);
  chaser.setTimer(&timer);
  chaser.setTimer(nullptr);  // ignored
  chaser.setHook(true);
  QSignalSpy spy(&chaser, &clsChaseFocus::ChangeFocus);
  timer.start();
  EXPECT_TRUE(spy.wait(1000));
  second->setFocus();
  EXPECT_TRUE(spy.wait(1000));
  timer.stop();
  EXPECT_EQ(chaser.LastActiveControl(), first);
}

}  // namespace
}  // namespace quorvane
