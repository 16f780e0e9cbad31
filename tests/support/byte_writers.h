#pragma once

// Little-endian writers for the byte-vector fixtures: `put` writes at an offset (growing
// the vector when the offset lies past its end), `append` adds at the end.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvane::testsupport {

inline void putLe16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  if (b.size() < at + 2) b.resize(at + 2);
  b[at] = static_cast<std::uint8_t>(v & 0xFF);
  b[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

inline void putLe32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  putLe16(b, at, v & 0xFFFF);
  putLe16(b, at + 2, v >> 16);
}

inline void appendLe16(std::vector<std::uint8_t>& b, std::uint32_t v) { putLe16(b, b.size(), v); }

inline void appendLe32(std::vector<std::uint8_t>& b, std::uint32_t v) { putLe32(b, b.size(), v); }

}  // namespace quorvane::testsupport
