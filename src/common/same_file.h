#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// True when both names exist and lead to the same file or folder (same device and
// inode, after following links), however differently they are spelled.
bool sameFile(std::string_view a, std::string_view b);

// What tells one file or folder from every other, after following links: device and
// inode on POSIX, volume serial number and file index on Windows. Two names with equal
// identities lead to the same place.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  auto operator<=>(const FileIdentity&) const = default;
};

// Nothing when the name does not exist or cannot be examined.
std::optional<FileIdentity> fileIdentity(std::string_view path);

}  // namespace quorvane
