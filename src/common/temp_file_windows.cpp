// TempFile's system calls on Windows, where a console program knows only SIGINT and
// SIGTERM of the termination signals and has no signal mask.
#include <io.h>

#include <array>
#include <cerrno>
#include <csignal>

#include "common/temp_file_platform.h"
#include "common/wide_text.h"

namespace quorvane::tempFilePlatform {

namespace {
constexpr std::array<int, 2> kSignals = {SIGINT, SIGTERM};
}  // namespace

void installTerminationHandler(void (*handler)(int)) {
  for (int s : kSignals) {
    const auto previous = std::signal(s, handler);
    if (previous != SIG_DFL) std::signal(s, previous);
  }
}

void removeInHandler(const char* path) {
  if (const auto name = wideText::systemPath(path)) _wunlink(name->c_str());
}

// Windows has no permission bits to give; the file is the user's like any other.
std::FILE* createNew(const std::string& path, unsigned, TempPermissions) {
  const auto name = wideText::systemPath(path);
  if (!name) {
    errno = ENOENT;
    return nullptr;
  }
  return _wfopen(name->c_str(), L"wbx");
}

void holdTerminationSignals() {}
void releaseTerminationSignals() {}

}  // namespace quorvane::tempFilePlatform
