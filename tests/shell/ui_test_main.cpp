// Runs the GUI tests headless with a QApplication and a private settings store.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/private_configuration.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  const quorvane::testsupport::PrivateConfiguration configuration;
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
