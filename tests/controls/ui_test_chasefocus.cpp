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
