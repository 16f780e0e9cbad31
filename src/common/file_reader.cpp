// The parts of the file reader that are the same on every platform.
#include "common/file_reader.h"

#include "common/file_reader_platform.h"

namespace quorvane {

using namespace fileReaderPlatform;

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

bool FileReader::open(const std::string& path, platform::FileFacts* facts) {
  close();
  FileOpenError why = FileOpenError::Other;
  const int fd = openForReading(path, why);
  if (fd < 0) {
    m_openError = why;
    return false;
  }
  std::uint64_t size = 0;
  if (!isRegularFile(fd, size, path, facts)) {
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
