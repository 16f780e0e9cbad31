#include "version/byte_source.h"

#include <algorithm>

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

void PageCachedSource::reset() {
  for (Window& w : m_windows) w.bytes.clear();
}

std::uint64_t PageCachedSource::size() const { return m_inner.size(); }

bool PageCachedSource::readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out) {
  const std::uint64_t fileSize = m_inner.size();
  if (offset > fileSize || length > fileSize - offset) return false;
  for (std::size_t i = 0; i < 2; ++i) {
    const Window& w = m_windows[i];
    if (offset >= w.offset && length <= w.bytes.size() && offset - w.offset <= w.bytes.size() - length) {
      const auto first = w.bytes.begin() + static_cast<std::ptrdiff_t>(offset - w.offset);
      out.assign(first, first + static_cast<std::ptrdiff_t>(length));
      m_recent = i;
      return true;
    }
  }
  const std::uint64_t start = offset / kPage * kPage;
  if (offset + length - start > kWindowBytes) return m_inner.readAt(offset, length, out);
  const std::size_t slot = 1 - m_recent;
  Window& w = m_windows[slot];
  w.offset = start;
  if (!m_inner.readAt(start, static_cast<std::size_t>(std::min<std::uint64_t>(kWindowBytes, fileSize - start)), w.bytes)) {
    w.bytes.clear();
    return false;
  }
  m_recent = slot;
  const auto first = w.bytes.begin() + static_cast<std::ptrdiff_t>(offset - start);
  out.assign(first, first + static_cast<std::ptrdiff_t>(length));
  return true;
}

}  // namespace quorvane
