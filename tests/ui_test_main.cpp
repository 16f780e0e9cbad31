// Runs a GUI test program headless: one QApplication for the whole run, a settings and
// configuration folder of the process's own, and the classic system colours so that pixel
// checks do not depend on the platform's palette.
#include <gtest/gtest.h>

#include <QApplication>

#include "controls/system_colors.h"
#include "support/private_configuration.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const quorvane::testsupport::PrivateConfiguration configuration;
  QApplication app(argc, argv);
  quorvane::setSystemColorSource(quorvane::SystemColorSource::Classic);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
