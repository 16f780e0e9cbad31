#pragma once

namespace quorvane {

// Which standard streams were closed when the program started.
struct ClosedStreams {
  bool input = false;
  bool output = false;
  bool error = false;
};

// Gives each closed standard stream's number to the null device, so that no file the
// program opens later gets one of those numbers and receives text meant for the
// terminal. The caller decides what writing to a closed stream means.
ClosedStreams occupyClosedStandardStreams();

}  // namespace quorvane
