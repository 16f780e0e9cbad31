#include <gtest/gtest.h>

#include <QApplication>

#include "support/private_configuration.h"

// The dialogs need a running application object; the tests run headless.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const quorvane::testsupport::PrivateConfiguration configuration;
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
