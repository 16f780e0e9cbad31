#include "common/standard_streams.h"

#include "common/platform.h"

namespace quorvane {

ClosedStreams occupyClosedStandardStreams() {
  // In order: the lowest free number is taken first, so fd 0 is filled before 1 and 2.
  ClosedStreams closed;
  closed.input = platform::occupyIfClosed(0, false);
  closed.output = platform::occupyIfClosed(1, true);
  closed.error = platform::occupyIfClosed(2, true);
  return closed;
}

}  // namespace quorvane
