#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace quorvane {

using Bytes = std::span<const std::uint8_t>;

// True when [offset, offset + length) lies inside a buffer of `size` bytes.
// Written so that no addition can overflow.
constexpr bool rangeFits(std::size_t size, std::size_t offset, std::size_t length) noexcept {
  return offset <= size && length <= size - offset;
}

// A checked cursor over untrusted bytes. Every read either succeeds completely or
// returns nothing and leaves the cursor where it was; no read ever leaves the span.
class ByteReader {
 public:
  explicit ByteReader(Bytes data) noexcept : m_data(data) {}

  std::size_t size() const noexcept { return m_data.size(); }
  std::size_t offset() const noexcept { return m_offset; }
  std::size_t remaining() const noexcept { return m_data.size() - m_offset; }
  Bytes data() const noexcept { return m_data; }

  bool seek(std::size_t offset) noexcept {
    if (offset > m_data.size()) return false;
    m_offset = offset;
    return true;
  }
  bool skip(std::size_t count) noexcept {
    if (count > remaining()) return false;
    m_offset += count;
    return true;
  }

  std::optional<std::uint8_t> u8() noexcept { return readLE<std::uint8_t>(); }
  std::optional<std::uint16_t> u16() noexcept { return readLE<std::uint16_t>(); }
  std::optional<std::uint32_t> u32() noexcept { return readLE<std::uint32_t>(); }
  std::optional<std::uint64_t> u64() noexcept { return readLE<std::uint64_t>(); }

  // The next `count` bytes as a view, or nothing when fewer remain.
  std::optional<Bytes> bytes(std::size_t count) noexcept {
    if (count > remaining()) return std::nullopt;
    Bytes out = m_data.subspan(m_offset, count);
    m_offset += count;
    return out;
  }

  // A little-endian value at an absolute offset, without moving the cursor.
  template <typename T>
  std::optional<T> peekAt(std::size_t offset) const noexcept {
    if (!rangeFits(m_data.size(), offset, sizeof(T))) return std::nullopt;
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      value = static_cast<T>(value | (static_cast<T>(m_data[offset + i]) << (8 * i)));
    return value;
  }

 private:
  template <typename T>
  std::optional<T> readLE() noexcept {
    auto v = peekAt<T>(m_offset);
    if (v) m_offset += sizeof(T);
    return v;
  }

  Bytes m_data;
  std::size_t m_offset = 0;
};

// A little-endian value at an absolute offset of a span.
template <typename T>
std::optional<T> readAt(Bytes data, std::size_t offset) noexcept {
  return ByteReader(data).peekAt<T>(offset);
}

// A checked sub-span.
inline std::optional<Bytes> sliceAt(Bytes data, std::size_t offset, std::size_t length) noexcept {
  if (!rangeFits(data.size(), offset, length)) return std::nullopt;
  return data.subspan(offset, length);
}

}  // namespace quorvane
