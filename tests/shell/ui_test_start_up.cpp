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

TEST(Splash, ShowsVersionProductAndCopyright) {
  EXPECT_EQ(frmSplash::versionLine(1, 2, 5), QStringLiteral("Version :  1.2.0.5"));
  EXPECT_EQ(frmSplash::versionLine(10, 0, 123), QStringLiteral("Version :  10.0.0.123"));
  frmSplash splash;
  EXPECT_EQ(splash.lblVersion->text(),
            frmSplash::versionLine(programInfo::kMajor, programInfo::kMinor, programInfo::kRevision));
  EXPECT_EQ(splash.lblProductName->text(), QString::fromUtf8(programInfo::kProductName));
  EXPECT_EQ(splash.Label1->text(), QString::fromUtf8(programInfo::kProductName));
  EXPECT_EQ(splash.lblCopyright->text(), QString::fromUtf8(programInfo::kLegalCopyright));
  ASSERT_NE(splash.Image1->pixmap().isNull(), true);
}

struct FakeMain {
  bool shown = false;
  bool loaded = false;
  bool unloadItself = false;
  bool fail = false;
  StartWindow window() {
    StartWindow w;
    w.load = [this] {
      if (fail) throw std::runtime_error("load failed");
      loaded = true;
    };
    w.unloaded = [this] { return unloadItself; };
    w.show = [this] { shown = true; };
    return w;
  }
};

TEST(StartUp, NormalStartShowsTheMainWindowAndClosesTheSplash) {
  FakeMain main;
  QWidget splash;
  EXPECT_EQ(basStartUp::ShowMainWithSplash(main.window(), splash, true), 0);
  EXPECT_TRUE(main.loaded);
  EXPECT_TRUE(main.shown);
  EXPECT_FALSE(splash.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(StartUp, AWindowThatUnloadsItselfIsNotShown) {
  FakeMain main;
  main.unloadItself = true;
  QWidget splash;
  EXPECT_EQ(basStartUp::loadWindow(main.window()), LoadOutcome::Closed);
  EXPECT_EQ(basStartUp::ShowMainWithSplash(main.window(), splash, true), 0);
  EXPECT_FALSE(main.shown);
}

TEST(StartUp, AnUnexpectedErrorReturnsOneAndLeavesTheSplash) {
  FakeMain main;
  main.fail = true;
  QWidget splash;
  EXPECT_EQ(basStartUp::ShowMainWithSplash(main.window(), splash, true), 1);
  EXPECT_FALSE(main.shown);
  EXPECT_TRUE(splash.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  splash.close();
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

TEST(WindowRoutines, CenterFormCentresOrRefusesATooLargeWindow) {
  QWidget w;
  w.resize(200, 100);
  const QRect screen = QApplication::primaryScreen()->geometry();
  ASSERT_TRUE(CenterForm(&w, nullptr));
  EXPECT_NEAR(w.frameGeometry().center().x(), screen.center().x(), 2);
  EXPECT_NEAR(w.frameGeometry().center().y(), screen.center().y(), 2);
  QWidget big;
  big.move(7, 9);
  big.resize(screen.width() + 50, 100);
  EXPECT_FALSE(CenterForm(&big, nullptr));
  EXPECT_EQ(big.pos(), QPoint(7, 9));
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
