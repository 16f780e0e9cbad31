#include "help/anchor_table.h"

namespace quorvane::help {

std::int32_t AnchorTable::indexOf(const std::string& name) const {
  const auto it = m_index.find(name);
  return it == m_index.end() ? -1 : it->second;
}

void AnchorTable::add(std::int32_t position, const std::string& name) {
  if (m_index.count(name) != 0) return;
  m_index.emplace(name, static_cast<std::int32_t>(m_rows.size()));
  m_rows.push_back(AnchorEntry{position, name});
}

void AnchorTable::clear() {
  m_rows.clear();
  m_index.clear();
}

}  // namespace quorvane::help
