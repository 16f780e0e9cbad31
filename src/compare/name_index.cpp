#include "compare/name_index.h"

#include <algorithm>

#include "common/ascii_case.h"
#include "common/basDirUtil.h"

namespace quorvane {

namespace {

unsigned char foldAscii(char c) { return static_cast<unsigned char>(asciiLower(c)); }

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

// FNV-1a over the name's bytes, folded in scan mode, so that equal keys hash equally.
std::uint64_t hashName(std::string_view name, LookupMode mode) {
  std::uint64_t h = 14695981039346656037ull;
  for (char c : name) {
    h ^= mode == LookupMode::Index ? static_cast<unsigned char>(c) : foldAscii(c);
    h *= 1099511628211ull;
  }
  return h;
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
  for (std::size_t i = 0; i < table.size(); ++i)
    m_sorted[i] = {hashName(table[i].FullPath, m_mode), static_cast<std::int32_t>(i)};
  // Ordered by hash first, so a lookup mostly compares numbers in one array; equal
  // hashes fall back to the names, so even colliding names keep lookups logarithmic.
  std::sort(m_sorted.begin(), m_sorted.end(), [&](const Key& x, const Key& y) {
    if (x.hash != y.hash) return x.hash < y.hash;
    const int c = compareNames(nameOf(x.pos), nameOf(y.pos), m_mode);
    return c != 0 ? c < 0 : x.pos < y.pos;
  });
  // The top bits of the hash pick a bucket of about four keys, so a lookup starts next
  // to its place instead of searching the whole array.
  while (m_bucketBits < 40 && (std::size_t{1} << (m_bucketBits + 2)) < table.size()) ++m_bucketBits;
  m_bucketStart.assign((std::size_t{1} << m_bucketBits) + 1, 0);
  std::size_t k = 0;
  for (std::size_t b = 0; b + 1 < m_bucketStart.size(); ++b) {
    while (k < m_sorted.size() && bucketOf(m_sorted[k].hash) < b) ++k;
    m_bucketStart[b] = static_cast<std::uint32_t>(k);
  }
  m_bucketStart.back() = static_cast<std::uint32_t>(m_sorted.size());
}

std::size_t NameIndex::bucketOf(std::uint64_t hash) const {
  return m_bucketBits == 0 ? 0 : static_cast<std::size_t>(hash >> (64 - m_bucketBits));
}

std::string_view NameIndex::nameOf(std::int32_t pos) const {
  return m_table[static_cast<std::size_t>(pos)].FullPath;
}

std::pair<std::size_t, std::size_t> NameIndex::matches(std::string_view name) const {
  const std::uint64_t h = hashName(name, m_mode);
  const auto before = [&](const Key& k, std::string_view n) {
    return k.hash != h ? k.hash < h : compareNames(nameOf(k.pos), n, m_mode) < 0;
  };
  const std::size_t b = bucketOf(h);
  const auto begin = m_sorted.begin() + m_bucketStart[b];
  const auto end = m_sorted.begin() + m_bucketStart[b + 1];
  const auto first = std::lower_bound(begin, end, name, before);
  if (first == end || first->hash != h || compareNames(nameOf(first->pos), name, m_mode) != 0) return {0, 0};
  const auto after = [&](std::string_view n, const Key& k) {
    return k.hash != h ? h < k.hash : compareNames(n, nameOf(k.pos), m_mode) < 0;
  };
  const auto last = std::upper_bound(first, end, name, after);
  return {static_cast<std::size_t>(first - m_sorted.begin()), static_cast<std::size_t>(last - m_sorted.begin())};
}

// Equal names sit side by side in the index, in file order.
std::int32_t NameIndex::find(std::string_view name) const {
  const auto [first, last] = matches(name);
  if (first == last) return -1;
  // Index mode: the last of several identical names, as the sorted list's neighbour test
  // finds it; scan mode: the first in file order.
  return m_sorted[m_mode == LookupMode::Scan ? first : last - 1].pos;
}

std::int32_t NameIndex::pairOccurrence(std::string_view name, std::size_t occurrence) const {
  const auto [first, last] = matches(name);
  if (first == last) return -1;
  if (occurrence < last - first) return m_sorted[first + occurrence].pos;
  return find(name);
}

std::int32_t NameIndex::pairNext(std::string_view name) {
  const auto [first, last] = matches(name);
  if (last - first <= 1) return first == last ? -1 : m_sorted[first].pos;
  const std::size_t occurrence = m_occurrences[first]++;
  return occurrence < last - first ? m_sorted[first + occurrence].pos : find(name);
}

}  // namespace quorvane
