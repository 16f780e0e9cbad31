// The file reader on POSIX systems.
#include "common/file_reader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quorvane {

namespace {
std::optional<std::uint64_t> lengthOf(std::FILE* f) {
  struct stat st {};
  if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}
}  // namespace

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
}

}  // namespace quorvane
