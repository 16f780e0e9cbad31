#include "common/same_file.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace quorvane {

bool sameFile(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return false;
  namespace fs = std::filesystem;
  std::error_code ec;
  // equivalent() compares the device and the inode (volume and file index on Windows).
  const bool same = fs::equivalent(fs::u8path(std::string(a)), fs::u8path(std::string(b)), ec);
  return same && !ec;
}

}  // namespace quorvane
