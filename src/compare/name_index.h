#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <utility>
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

  // The first-record entry that the `occurrence`-th (from 0) second-side name matching
  // `name` pairs with, or -1. Names that match several entries (A.DLL and a.dll of one
  // folder are both a.dll in a record) pair in order, so that a record compared with
  // itself pairs every row with itself; occurrences beyond the first record's count pair
  // with the entry find() gives.
  std::int32_t pairOccurrence(std::string_view name, std::size_t occurrence) const;
  // The same, counting the occurrences of each name in the order of the calls.
  std::int32_t pairNext(std::string_view name);

 private:
  struct Key {
    std::uint64_t hash;
    std::int32_t pos;
  };
  std::string_view nameOf(std::int32_t pos) const;
  // The keys matching `name`, as indices into m_sorted (empty when none).
  std::pair<std::size_t, std::size_t> matches(std::string_view name) const;
  std::size_t bucketOf(std::uint64_t hash) const;

  const std::vector<FileVersionEntry>& m_table;
  LookupMode m_mode = LookupMode::Index;
  std::vector<Key> m_sorted;  // ordered by hash, then name, then position
  unsigned m_bucketBits = 0;
  std::vector<std::uint32_t> m_bucketStart;  // first key of each bucket, and the end
  // For names matching several entries only: how often pairNext has met them, by the
  // index of their first key.
  std::unordered_map<std::size_t, std::size_t> m_occurrences;
};

}  // namespace quorvane
