#pragma once

#include <cstdint>
#include <functional>

class QWidget;

namespace quorvane {

class frmMain;
class frmSplash;

// How loading the main window ended.
enum class LoadOutcome {
  Ok,       // loaded (or already shown): show it
  Closed,   // the window unloaded itself while loading: nothing more to show
  Blocked,  // a modal window is up: the main window stays loaded but hidden
  Failed,   // an unexpected error: start-up ends with the splash still up
};

// The main window as the start procedure sees it.
struct StartWindow {
  std::function<void()> load;       // the load handler; throws on an unexpected failure
  std::function<bool()> unloaded;   // true when it unloaded itself
  std::function<void()> show;
};

namespace basStartUp {

// The program's start: creates the splash and the main window and shows them. Returns
// the exit status of the event loop.
int Main(int argc, char** argv);

// Shows the splash, loads the main window, shows it and (when asked) closes the splash.
// 0 normally, 1 when loading failed unexpectedly.
std::int16_t ShowMainWithSplash(frmMain& main, frmSplash& splash, bool unloadSplash);
std::int16_t ShowMainWithSplash(const StartWindow& main, QWidget& splash, bool unloadSplash);

// Runs the load and classifies how it ended.
LoadOutcome loadWindow(const StartWindow& main);

}  // namespace basStartUp
}  // namespace quorvane
