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

}  // namespace
}  // namespace quorvane
