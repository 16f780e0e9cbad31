#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

#include <cstdlib>

int main(int argc, char** argv) {
  // Settings written by the help window go to a folder of the build, not the user's.
  const QString config = QStringLiteral(QUORVANE_BINARY_DIR) + QStringLiteral("/ui_test_help_config");
  QDir().mkpath(config);
  qputenv("XDG_CONFIG_HOME", config.toUtf8());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
