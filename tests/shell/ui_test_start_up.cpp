// Start-up: the splash, loading the main window and the window routines.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <stdexcept>

#include "program_info.h"
#include "shell/basStartUp.h"
#include "shell/form_routines.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

namespace quorvane {
namespace {

TEST(StartUp, TheRealMainWindowLoadsAndShows) {
  frmMain main;
  frmSplash splash;
  EXPECT_EQ(basStartUp::ShowMainWithSplash(main, splash, false), 0);
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(main.isLoaded());
  EXPECT_FALSE(splash.isVisible());
  main.close();
}

}  // namespace
}  // namespace quorvane
