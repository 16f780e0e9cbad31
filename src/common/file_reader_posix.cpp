// The file reader's system calls on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/file_reader_platform.h"
#include "common/platform_posix_stat.h"

namespace quorvane::fileReaderPlatform {

namespace {
FileOpenError classifyErrno(int code) {
  switch (code) {
    case ENOENT:
    case ENOTDIR: return FileOpenError::Missing;
    case EACCES:
    case EPERM: return FileOpenError::AccessDenied;
    default: return FileOpenError::Other;
  }
}
}  // namespace

// O_NONBLOCK keeps the open itself from waiting: opening a FIFO for reading would
// otherwise block until some writer appeared. It has no effect on reads of a regular
// file, the only kind read afterwards.
int openForReading(const std::string& path, FileOpenError& why) {
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) why = classifyErrno(errno);
  return fd;
}

bool isRegularFile(int fd, std::uint64_t& size, const std::string& path, platform::FileFacts* facts) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  size = static_cast<std::uint64_t>(st.st_size);
  if (facts) *facts = platform::factsOfStat(st, path);
  return true;
}

// Positioned reads: no seek per read, which matters to readers that fetch many small
// structures from many files.
long long readBlock(int fd, std::uint8_t* into, std::size_t length, std::uint64_t offset) {
  ssize_t n = 0;
  do {
    n = ::pread(fd, into, length, static_cast<off_t>(offset));
  } while (n < 0 && errno == EINTR);
  return n;
}

void closeFile(int fd) { ::close(fd); }

}  // namespace quorvane::fileReaderPlatform
