// The file reader's system calls on Windows: the file is opened by its UTF-16 name.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "common/file_reader_platform.h"
#include "common/platform_windows_facts.h"
#include "common/wide_text.h"

namespace quorvane::fileReaderPlatform {

int openForReading(const std::string& path, FileOpenError& why) {
  const auto wide = wideText::systemPath(path);
  if (!wide) {
    why = FileOpenError::Missing;  // no file can carry a name that is not text
    return -1;
  }
  const int fd = _wopen(wide->c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) {
    why = errno == ENOENT ? FileOpenError::Missing
          : errno == EACCES ? FileOpenError::AccessDenied
                            : FileOpenError::Other;
  }
  return fd;
}

// A disk file and nothing else: a console, a printer port or a pipe is not read.
bool isRegularFile(int fd, std::uint64_t& size, const std::string&, platform::FileFacts* facts) {
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (GetFileType(handle) != FILE_TYPE_DISK) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return false;
  size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  if (facts) {
    WIN32_FIND_DATAW data{};
    data.dwFileAttributes = info.dwFileAttributes;
    data.ftLastWriteTime = info.ftLastWriteTime;
    data.nFileSizeHigh = info.nFileSizeHigh;
    data.nFileSizeLow = info.nFileSizeLow;
    *facts = platform::factsOfFindData(data);
  }
  return true;
}

long long readBlock(int fd, std::uint8_t* into, std::size_t length, std::uint64_t offset) {
  if (_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) < 0) return -1;
  const unsigned chunk = length > 0x40000000u ? 0x40000000u : static_cast<unsigned>(length);
  return _read(fd, into, chunk);
}

void closeFile(int fd) { _close(fd); }

}  // namespace quorvane::fileReaderPlatform
