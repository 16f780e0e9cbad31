#include "version/byte_source.h"

#include "common/file_reader.h"

namespace quorvane {

bool MemoryByteSource::readAt(std::uint64_t offset, std::size_t length,
                              std::vector<std::uint8_t>& out) {
  if (offset > m_data.size() || length > m_data.size() - offset) return false;
  const auto first = m_data.begin() + static_cast<std::ptrdiff_t>(offset);
  out.assign(first, first + static_cast<std::ptrdiff_t>(length));
  return true;
}

std::uint64_t FileByteSource::size() const { return m_file.size(); }

bool FileByteSource::readAt(std::uint64_t offset, std::size_t length,
                            std::vector<std::uint8_t>& out) {
  return m_file.readAt(offset, length, out);
}

}  // namespace quorvane
