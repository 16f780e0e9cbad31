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

// A normal start shows the main window and closes the splash; a window that unloads itself
// is not shown; an unexpected error returns 1 and leaves the splash. The cursor is restored.
TEST(StartUp, ShowMainWithSplashForEachWayALoadEnds) {
  enum class Load { Normal, UnloadsItself, Throws };
  const struct {
    Load load;
    int exitCode;
    bool shown, splashVisible;
  } rows[] = {{Load::Normal, 0, true, false}, {Load::UnloadsItself, 0, false, false}, {Load::Throws, 1, false, true}};
  for (const auto& row : rows) {
    bool loaded = false, shown = false;
    StartWindow window;
    window.load = [&] {
      if (row.load == Load::Throws) throw std::runtime_error("load failed");
      loaded = true;
    };
    window.unloaded = [&] { return row.load == Load::UnloadsItself; };
    window.show = [&] { shown = true; };
    if (row.load == Load::UnloadsItself) {
      EXPECT_EQ(basStartUp::loadWindow(window), LoadOutcome::Closed);
    }
    QWidget splash;
    EXPECT_EQ(basStartUp::ShowMainWithSplash(window, splash, true), row.exitCode);
    EXPECT_EQ(loaded, row.load != Load::Throws);
    EXPECT_EQ(shown, row.shown);
    EXPECT_EQ(splash.isVisible(), row.splashVisible);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
}

TEST(StartUp, TheRealMainWindowLoadsAndShows) {
  frmMain main;
  frmSplash splash;
  EXPECT_EQ(basStartUp::ShowMainWithSplash(main, splash, false), 0);
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(main.isLoaded());
  EXPECT_FALSE(splash.isVisible());
  main.close();
}

TEST(WindowRoutines, SetControlsPropertyMatchesTypeNamesInUpperCase) {
  QWidget form;
  auto* edit = new QLineEdit(&form);
  auto* button = new QPushButton(&form);
  SetControlsProperty(&form, QStringLiteral("qpushbutton"), QStringLiteral("Enabled"), false);
  EXPECT_FALSE(button->isEnabled());
  EXPECT_TRUE(edit->isEnabled());
  SetControlsProperty(&form, QStringLiteral("QLINEEDIT"), QStringLiteral("TABSTOP"), false);
  EXPECT_EQ(edit->focusPolicy() & Qt::TabFocus, 0);
  SetControlsProperty(&form, QString(), QStringLiteral("ENABLED"), true);
  EXPECT_TRUE(button->isEnabled());
  // An unknown property is ignored.
  SetControlsProperty(&form, QString(), QStringLiteral("COLOUR"), false);
  EXPECT_TRUE(button->isEnabled());
}

}  // namespace
}  // namespace quorvane
