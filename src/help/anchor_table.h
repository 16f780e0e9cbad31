#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "help/anchor_entry.h"

namespace quorvane::help {

// The anchors met so far in one help file, in the order first met. It grows across
// rendering passes over the same file and is emptied when another file is set.
class AnchorTable {
 public:
  // Index of the row with this name (case-sensitive), or -1.
  std::int32_t indexOf(const std::string& name) const;
  // Appends a row unless the name is already known; the first position is kept.
  void add(std::int32_t position, const std::string& name);
  void clear();

  std::int32_t upperIndex() const { return static_cast<std::int32_t>(m_rows.size()) - 1; }
  const AnchorEntry& at(std::int32_t index) const { return m_rows.at(static_cast<std::size_t>(index)); }
  const std::vector<AnchorEntry>& rows() const { return m_rows; }

 private:
  std::vector<AnchorEntry> m_rows;
  std::unordered_map<std::string, std::int32_t> m_index;
};

}  // namespace quorvane::help
