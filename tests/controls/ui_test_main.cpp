// Runs the GUI tests headless: one QApplication for the whole run, classic system colours so that pixel
// checks do not depend on the platform's palette.
#include "controls/system_colors.h"
#include "support/private_configuration.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const quorvane::testsupport::PrivateConfiguration configuration;
  QApplication app(argc, argv);
  quorvane::setSystemColorSource(quorvane::SystemColorSource::Classic);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
