// A file's identity on Windows: the volume's serial number and the file index, which
// the system gives for files and folders alike (a folder opens only with backup
// semantics).
#include <windows.h>

#include "common/same_file.h"
#include "common/wide_text.h"

namespace quorvane {

std::optional<FileIdentity> fileIdentity(std::string_view path) {
  const auto name = wideText::systemPath(path);
  if (!name || name->empty()) return std::nullopt;
  const HANDLE h = CreateFileW(name->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool ok = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  if (!ok) return std::nullopt;
  FileIdentity id;
  id.device = info.dwVolumeSerialNumber;
  id.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return id;
}

}  // namespace quorvane
