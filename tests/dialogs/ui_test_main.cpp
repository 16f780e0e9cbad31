#include <gtest/gtest.h>

#include <QApplication>

#include "support/private_configuration.h"

// The dialogs need a running application object; the tests run headless.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  const quorvane::testsupport::PrivateConfiguration configuration;
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
