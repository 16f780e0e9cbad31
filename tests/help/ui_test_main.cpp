#include <gtest/gtest.h>

#include <QApplication>

#include "support/private_configuration.h"

// Settings the help window writes stay in the process's own folder of the build tree.
int main(int argc, char** argv) {
  const quorvane::testsupport::PrivateConfiguration configuration;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
