// TempFile's system calls on POSIX systems.
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

#include "common/temp_file_platform.h"

namespace quorvane::tempFilePlatform {

namespace {
constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
thread_local sigset_t t_previousMask;
}  // namespace

void installTerminationHandler(void (*handler)(int)) {
  for (int s : kSignals) {
    struct sigaction current {};
    if (sigaction(s, nullptr, &current) != 0) continue;
    if ((current.sa_flags & SA_SIGINFO) || current.sa_handler != SIG_DFL) continue;
    struct sigaction ours {};
    ours.sa_handler = handler;
    sigemptyset(&ours.sa_mask);
    for (int other : kSignals) sigaddset(&ours.sa_mask, other);
    sigaction(s, &ours, nullptr);
  }
}

void removeInHandler(const char* path) { unlink(path); }

std::FILE* createNew(const std::string& path, unsigned permissions, TempPermissions mode) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                        static_cast<mode_t>(permissions & 07777));
  if (fd < 0) return nullptr;
  if (mode == TempPermissions::Exact && fchmod(fd, static_cast<mode_t>(permissions & 07777)) != 0) {
    const int e = errno;
    ::close(fd);
    unlink(path.c_str());
    errno = e;
    return nullptr;
  }
  std::FILE* f = fdopen(fd, "wb");
  if (!f) {
    const int e = errno;
    ::close(fd);
    unlink(path.c_str());
    errno = e;
  }
  return f;
}

void holdTerminationSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : kSignals) sigaddset(&set, s);
  pthread_sigmask(SIG_BLOCK, &set, &t_previousMask);
}

void releaseTerminationSignals() { pthread_sigmask(SIG_SETMASK, &t_previousMask, nullptr); }

}  // namespace quorvane::tempFilePlatform
