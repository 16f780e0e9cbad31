#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "extraction/FileVersionEntry.h"

namespace quorvane {

// How names of the second side are looked up among the first record.
//  Index: while every first-record name is single-byte, names match exactly
//         (case-sensitive); among exact duplicates the last one in file order is found.
//  Scan:  once a name holds a double-byte character, names match under IsSameFileName
//         (single-byte letters without case); the first match in file order is found.
enum class LookupMode { Index, Scan };

// Both modes answer from one sorted index of the first record, so a lookup costs
// O(log n) in either mode instead of a walk over the whole record.
class NameIndex {
 public:
  // `table` must outlive the index and stay unchanged.
  explicit NameIndex(const std::vector<FileVersionEntry>& table);

  LookupMode mode() const { return m_mode; }
  static LookupMode modeFor(const std::vector<FileVersionEntry>& table);

  // Position of the matching first-record entry, or -1.
  std::int32_t find(std::string_view name) const;

 private:
  struct Key {
    std::uint64_t hash;
    std::int32_t pos;
  };
  std::string_view nameOf(std::int32_t pos) const;
  std::size_t bucketOf(std::uint64_t hash) const;

  const std::vector<FileVersionEntry>& m_table;
  LookupMode m_mode = LookupMode::Index;
  std::vector<Key> m_sorted;  // ordered by hash, then name, then position
  unsigned m_bucketBits = 0;
  std::vector<std::uint32_t> m_bucketStart;  // first key of each bucket, and the end
};

}  // namespace quorvane
