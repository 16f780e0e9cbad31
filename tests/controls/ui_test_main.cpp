// Runs the GUI tests headless: one QApplication for the whole run, classic system colours
// so that pixel checks do not depend on the platform's palette.
#include "controls/system_colors.h"

#include <QApplication>

#include "support/private_configuration.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                   : qgetenv("QT_QPA_PLATFORM"));
  const quorvane::testsupport::PrivateConfiguration configuration;
  QApplication app(argc, argv);
  quorvane::setSystemColorSource(quorvane::SystemColorSource::Classic);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
