#include "common/file_reader.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace quorvane {

namespace {
#if defined(_WIN32)
bool seekTo(std::FILE* f, std::uint64_t offset) {
  return _fseeki64(f, static_cast<long long>(offset), SEEK_SET) == 0;
}
#endif

std::optional<std::uint64_t> lengthOf(std::FILE* f) {
#if defined(_WIN32)
  if (_fseeki64(f, 0, SEEK_END) != 0) return std::nullopt;
  const long long end = _ftelli64(f);
  if (end < 0) return std::nullopt;
  return static_cast<std::uint64_t>(end);
#else
  struct stat st {};
  if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
#endif
}
}  // namespace

FileReader::~FileReader() { close(); }

bool FileReader::open(const std::string& path) {
  close();
  m_file = std::fopen(path.c_str(), "rb");
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
#if defined(_WIN32)
  if (!seekTo(m_file, offset)) return false;
  return std::fread(out.data(), 1, length, m_file) == length;
#else
  // Positioned reads: no seek per read and no stdio buffer between the file and `out`,
  // which matters to readers that fetch many small structures from many files.
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = pread(fileno(m_file), out.data() + done, length - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
#endif
}

std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxBytes,
                                         ReadFileError* error) {
  auto fail = [&](ReadFileError e) -> std::optional<std::string> {
    if (error) *error = e;
    return std::nullopt;
  };
  FileReader reader;
  if (!reader.open(path)) return fail(ReadFileError::CannotOpen);
  if (reader.size() > maxBytes) return fail(ReadFileError::TooLarge);
  std::vector<std::uint8_t> bytes;
  if (!reader.readAt(0, static_cast<std::size_t>(reader.size()), bytes))
    return fail(ReadFileError::ReadFailed);
  if (error) *error = ReadFileError::None;
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace quorvane
