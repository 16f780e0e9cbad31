// A file's identity on POSIX systems: device and inode.
#include <sys/stat.h>

#include <string>

#include "common/same_file.h"

namespace quorvane {

std::optional<FileIdentity> fileIdentity(std::string_view path) {
  struct stat st {};
  if (::stat(std::string(path).c_str(), &st) != 0) return std::nullopt;
  FileIdentity id;
  id.device = static_cast<std::uint64_t>(st.st_dev);
  id.inode = static_cast<std::uint64_t>(st.st_ino);
  return id;
}

}  // namespace quorvane
