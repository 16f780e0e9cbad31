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

class ChaseFocusTest : public ::testing::Test {
 protected:
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

TEST_F(ChaseFocusTest, EachPollReportsAMoveOnceWithBothControls) {
  QSignalSpy spy(&chaser, &clsChaseFocus::ChangeFocus);
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

TEST_F(ChaseFocusTest, ReadingInsideTheHandlerRaisesNoSecondEvent) {
  chaser.setHook(true);
  int events = 0;
  QWidget* seen = nullptr;
  QObject::connect(&chaser, &clsChaseFocus::ChangeFocus, [&] {
    ++events;
    seen = chaser.ActiveControl();
    chaser.LastActiveControl();
  });
  chaser.Poll();
  second->setFocus();
  chaser.Poll();
  EXPECT_EQ(events, 2);
  EXPECT_EQ(seen, second);
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

TEST(ChaseFocus, NoFormMeansNoActiveControl) {
  clsChaseFocus chaser;
  chaser.setHook(true);
  EXPECT_EQ(chaser.ActiveControl(), nullptr);
  EXPECT_EQ(chaser.LastActiveControl(), nullptr);
}

}  // namespace
}  // namespace quorvane
