#include "common/same_file.h"

#include <filesystem>
#include <string>
#include <system_error>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace quorvane {

bool sameFile(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return false;
  namespace fs = std::filesystem;
  std::error_code ec;
  // equivalent() compares the device and the inode (volume and file index on Windows).
  const bool same = fs::equivalent(fs::u8path(std::string(a)), fs::u8path(std::string(b)), ec);
  return same && !ec;
}

#if !defined(_WIN32)
std::optional<FileIdentity> fileIdentity(std::string_view path) {
  struct stat st {};
  if (::stat(std::string(path).c_str(), &st) != 0) return std::nullopt;
  FileIdentity id;
  id.device = static_cast<std::uint64_t>(st.st_dev);
  id.inode = static_cast<std::uint64_t>(st.st_ino);
  return id;
}
#else
std::optional<FileIdentity> fileIdentity(std::string_view path) {
  std::error_code ec;
  const std::filesystem::path real = std::filesystem::canonical(std::filesystem::u8path(std::string(path)), ec);
  if (ec) return std::nullopt;
  FileIdentity id;
  const auto text = real.u8string();
  id.canonicalPath.assign(text.begin(), text.end());
  return id;
}
#endif

}  // namespace quorvane
