#include "common/same_file.h"

namespace quorvane {

bool sameFile(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return false;
  const auto first = fileIdentity(a);
  const auto second = first ? fileIdentity(b) : std::nullopt;
  return first && second && *first == *second;
}

}  // namespace quorvane
