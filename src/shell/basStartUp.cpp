#include "shell/basStartUp.h"

#include <QApplication>
#include <cstdio>
#include <exception>

#include "controls/resources.h"
#include "dialogs/qt_translations.h"

#include "program_info.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

namespace quorvane::basStartUp {

LoadOutcome loadWindow(const StartWindow& main) {
  try {
    main.load();
  } catch (const std::exception&) {
    return LoadOutcome::Failed;
  } catch (...) {
    return LoadOutcome::Failed;
  }
  QApplication::processEvents();
  if (main.unloaded && main.unloaded()) return LoadOutcome::Closed;
  if (QApplication::activeModalWidget() != nullptr) return LoadOutcome::Blocked;
  return LoadOutcome::Ok;
}

std::int16_t ShowMainWithSplash(const StartWindow& main, QWidget& splash, bool unloadSplash) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  splash.show();
  splash.repaint();
  QApplication::processEvents();
  const LoadOutcome outcome = loadWindow(main);
  if (outcome == LoadOutcome::Failed) {
    QApplication::restoreOverrideCursor();
    return 1;
  }
  splash.hide();
  if (outcome == LoadOutcome::Ok) main.show();
  if (unloadSplash) splash.close();
  QApplication::restoreOverrideCursor();
  return 0;
}

std::int16_t ShowMainWithSplash(frmMain& main, frmSplash& splash, bool unloadSplash) {
  StartWindow window;
  window.load = [&main] { main.Form_Load(); };
  window.unloaded = [&main] { return main.isUnloaded(); };
  window.show = [&main] { main.show(); };
  return ShowMainWithSplash(window, splash, unloadSplash);
}

int Main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quorvane"));
  QApplication::setApplicationName(QString::fromUtf8(programInfo::kTitle));
  QApplication::setWindowIcon(programIcon());
  installQtTranslations(app);
  auto* splash = new frmSplash;
  splash->setAttribute(Qt::WA_DeleteOnClose);
  frmMain main;
  if (ShowMainWithSplash(main, *splash, true) != 0) {
    // Nothing can be shown; say so instead of leaving the splash up for good.
    std::fprintf(stderr, "%s: メインウィンドウを読み込めませんでした\n", programInfo::kTitle);
    return 1;
  }
  // Closed while loading: nothing is left to run.
  if (main.isUnloaded()) return 0;
  return app.exec();
}

}  // namespace quorvane::basStartUp
