#include "support/fifo.h"

#if !defined(_WIN32)
#include <sys/stat.h>

#include <stdexcept>
#endif

namespace quorvane::testsupport {

bool makeFifo([[maybe_unused]] const std::string& path) {
#if defined(_WIN32)
  return false;
#else
  if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("cannot make the FIFO " + path);
  return true;
#endif
}

}  // namespace quorvane::testsupport
