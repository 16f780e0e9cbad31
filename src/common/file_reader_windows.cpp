// The file reader on Windows: the file is opened by its UTF-16 name.
#include "common/file_reader.h"

#include <io.h>
#include <windows.h>

#include "common/platform.h"

namespace quorvane {

namespace {

// Only a file on a disk has a length and can be read at any offset; a device, a pipe or
// a console cannot.
std::optional<std::uint64_t> lengthOf(std::FILE* f) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
  if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle, &size) || size.QuadPart < 0) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

}  // namespace

bool FileReader::open(const std::string& path) {
  close();
  m_file = platform::openFile(path, "rb");
  if (!m_file) return false;
  const auto length = lengthOf(m_file);
  if (!length) {
    close();
    return false;
  }
  m_size = *length;
  return true;
}

void FileReader::close() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
  m_size = 0;
}

bool FileReader::readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out) {
  if (!m_file || offset > m_size || length > m_size - offset) return false;
  out.resize(length);
  if (length == 0) return true;
  if (_fseeki64(m_file, static_cast<long long>(offset), SEEK_SET) != 0) return false;
  return std::fread(out.data(), 1, length, m_file) == length;
}

}  // namespace quorvane
