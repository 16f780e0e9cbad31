#include "common/standard_streams.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorvane {

namespace {

// True when `fd` was closed and now holds the null device.
bool occupyIfClosed(int fd, bool forWriting) {
#if defined(_WIN32)
  (void)forWriting;
  return _get_osfhandle(fd) == -1;  // a console program keeps what it was given
#else
  if (fcntl(fd, F_GETFD) != -1) return false;
  const int opened = ::open("/dev/null", forWriting ? O_WRONLY : O_RDONLY);
  if (opened >= 0 && opened != fd) {
    dup2(opened, fd);
    ::close(opened);
  }
  return true;
#endif
}

}  // namespace

ClosedStreams occupyClosedStandardStreams() {
  // In order: the lowest free number is taken first, so fd 0 is filled before 1 and 2.
  ClosedStreams closed;
  closed.input = occupyIfClosed(0, false);
  closed.output = occupyIfClosed(1, true);
  closed.error = occupyIfClosed(2, true);
  return closed;
}

}  // namespace quorvane
