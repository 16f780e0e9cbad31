#include "common/file_reader.h"

#include <cerrno>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <filesystem>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvane {

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

#if defined(_WIN32)
int openForReading(const std::string& path) {
  return _wopen(std::filesystem::u8path(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

// A disk file and nothing else: a console, a printer port or a pipe is not read.
bool isRegularFile(int fd, std::uint64_t& size) {
  if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd))) != FILE_TYPE_DISK) return false;
  struct _stat64 st {};
  if (_fstat64(fd, &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) return false;
  size = static_cast<std::uint64_t>(st.st_size);
  return true;
}

long long readBlock(int fd, std::uint8_t* into, std::size_t length, std::uint64_t offset) {
  if (_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) < 0) return -1;
  const unsigned chunk = length > 0x40000000u ? 0x40000000u : static_cast<unsigned>(length);
  return _read(fd, into, chunk);
}

void closeFile(int fd) { _close(fd); }
#else
// O_NONBLOCK keeps the open itself from waiting: opening a FIFO for reading would
// otherwise block until some writer appeared. It has no effect on reads of a regular
// file, the only kind read afterwards.
int openForReading(const std::string& path) {
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool isRegularFile(int fd, std::uint64_t& size) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  size = static_cast<std::uint64_t>(st.st_size);
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
#endif

}  // namespace

const char* describeOpenError(FileOpenError error) {
  switch (error) {
    case FileOpenError::None: return "エラーはありません";
    case FileOpenError::Missing: return "ファイルが見つかりません";
    case FileOpenError::AccessDenied: return "読み取りの権限がありません";
    case FileOpenError::NotAFile: return "通常のファイルではありません";
    case FileOpenError::Other: break;
  }
  return "ファイルを開けません";
}

FileReader::~FileReader() { close(); }

bool FileReader::open(const std::string& path) {
  close();
  const int fd = openForReading(path);
  if (fd < 0) {
    m_openError = classifyErrno(errno);
    return false;
  }
  std::uint64_t size = 0;
  if (!isRegularFile(fd, size)) {
    closeFile(fd);
    m_openError = FileOpenError::NotAFile;
    return false;
  }
  m_fd = fd;
  m_size = size;
  m_openError = FileOpenError::None;
  return true;
}

void FileReader::close() {
  if (m_fd >= 0) closeFile(m_fd);
  m_fd = -1;
  m_size = 0;
}

bool FileReader::readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out) {
  if (m_fd < 0 || offset > m_size || length > m_size - offset) return false;
  out.resize(length);
  std::size_t done = 0;
  while (done < length) {
    const long long n = readBlock(m_fd, out.data() + done, length - done, offset + done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxBytes,
                                         ReadFileError* error, FileOpenError* openError) {
  auto fail = [&](ReadFileError e) -> std::optional<std::string> {
    if (error) *error = e;
    return std::nullopt;
  };
  FileReader reader;
  const bool opened = reader.open(path);
  if (openError) *openError = reader.openError();
  if (!opened) return fail(ReadFileError::CannotOpen);
  if (reader.size() > maxBytes) return fail(ReadFileError::TooLarge);
  std::vector<std::uint8_t> bytes;
  if (!reader.readAt(0, static_cast<std::size_t>(reader.size()), bytes))
    return fail(ReadFileError::ReadFailed);
  if (error) *error = ReadFileError::None;
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace quorvane
