#pragma once

#include <string_view>

namespace quorvane {

// True when both names exist and lead to the same file or folder (same device and
// inode, after following links), however differently they are spelled.
bool sameFile(std::string_view a, std::string_view b);

}  // namespace quorvane
