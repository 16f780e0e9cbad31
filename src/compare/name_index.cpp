#include "compare/name_index.h"

#include <algorithm>

#include "common/basDirUtil.h"

namespace quorvane {

namespace {

unsigned char foldAscii(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

// Three-way comparison of two names, exact or with single-byte letters folded. Folded
// equality is exactly IsSameFileName: in UTF-8 only ASCII bytes are single-byte letters.
int compareNames(std::string_view a, std::string_view b, LookupMode mode) {
  if (mode == LookupMode::Index) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = foldAscii(a[i]), y = foldAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

LookupMode NameIndex::modeFor(const std::vector<FileVersionEntry>& table) {
  for (const auto& e : table)
    if (!basDirUtil::IsSingleByteText(e.FullPath)) return LookupMode::Scan;
  return LookupMode::Index;
}

NameIndex::NameIndex(const std::vector<FileVersionEntry>& table)
    : m_table(table), m_mode(modeFor(table)) {
  m_sorted.resize(table.size());
  for (std::size_t i = 0; i < table.size(); ++i) m_sorted[i] = static_cast<std::int32_t>(i);
  std::sort(m_sorted.begin(), m_sorted.end(), [&](std::int32_t x, std::int32_t y) {
    const int c = compareNames(m_table[static_cast<std::size_t>(x)].FullPath,
                               m_table[static_cast<std::size_t>(y)].FullPath, m_mode);
    return c != 0 ? c < 0 : x < y;
  });
}

std::int32_t NameIndex::find(std::string_view name) const {
  const auto nameOf = [&](std::int32_t pos) -> std::string_view {
    return m_table[static_cast<std::size_t>(pos)].FullPath;
  };
  const auto first = std::lower_bound(m_sorted.begin(), m_sorted.end(), name,
      [&](std::int32_t pos, std::string_view n) { return compareNames(nameOf(pos), n, m_mode) < 0; });
  if (first == m_sorted.end() || compareNames(nameOf(*first), name, m_mode) != 0) return -1;
  if (m_mode == LookupMode::Scan) return *first;
  // Index mode: the last of several identical names, as the sorted list's neighbour test
  // finds it.
  const auto last = std::upper_bound(first, m_sorted.end(), name,
      [&](std::string_view n, std::int32_t pos) { return compareNames(n, nameOf(pos), m_mode) < 0; });
  return *(last - 1);
}

}  // namespace quorvane
