#include "dialogs/replacing_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "common/platform.h"
#include "dialogs/file_error.h"

namespace quorvane {

namespace fs = std::filesystem;

namespace {

constexpr unsigned kNewFilePermissions = 0666;  // narrowed by the user's creation mask
constexpr int kMaxLinkHops = 40;

bool hasNoWritePermission(fs::perms p) {
  return (p & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
         fs::perms::none;
}

// A link in a process's descriptor table (/dev/stdout leads to /proc/self/fd/1): it
// stands for a file the shell has already opened, perhaps for appending, so the program
// writes into that file instead of replacing it.
bool isDescriptorLink(const fs::path& path) {
  std::error_code ec;
  const fs::path folder = fs::canonical(path.parent_path().empty() ? fs::path(".") : path.parent_path(), ec);
  const std::string text = folder.generic_string();
  return !ec && text.rfind("/proc/", 0) == 0 && folder.filename() == "fd";
}

struct LinkEnd {
  fs::path path;
  bool descriptor = false;  // a descriptor link was passed on the way
};

// The file a chain of symbolic links leads to, or the path itself when it is no link.
// A link whose target does not exist yet leads to that target, which is then created.
LinkEnd followLinks(fs::path path, std::error_code& ec) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    const fs::file_status s = fs::symlink_status(path, ec);
    if (ec || !fs::is_symlink(s)) {
      if (s.type() == fs::file_type::not_found) ec.clear();
      return {path, false};
    }
    if (isDescriptorLink(path)) return {path, true};
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) return {path, false};
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return {path, false};
}

}  // namespace

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::fail(int errnoValue, bool readOnly) {
  m_errno = errnoValue;
  m_classification = fileError::classifyOpenError(errnoValue, readOnly);
  return false;
}

bool ReplacingFile::openDirect(const std::string& path) {
  // Appending changes nothing for a FIFO or a device, and keeps what a file opened by
  // the shell for appending (">>") already holds.
  m_direct = std::fopen(path.c_str(), "ab");
  if (!m_direct) return fail(errno);
  m_path = path;
  return true;
}

bool ReplacingFile::open(const std::string& path) {
  discard();
  m_errno = 0;
  m_classification = 0;
  m_writeFailed = false;
  if (path.empty()) return fail(ENOENT);
  std::error_code ec;
  const auto status = fs::status(fs::u8path(path), ec);
  const bool exists = !ec && fs::exists(status);
  if (exists && fs::is_directory(status)) return fail(EISDIR);
  if (exists && !fs::is_regular_file(status)) return openDirect(path);
  const LinkEnd end = followLinks(fs::u8path(path), ec);
  if (ec) return fail(ec.value());
  if (end.descriptor) return openDirect(path);
  const fs::path& target = end.path;
  if (exists) {
    // Writing is refused where opening the file itself for writing would be refused.
    if (hasNoWritePermission(status.permissions())) return fail(EACCES, true);
    std::FILE* probe = platform::openFile(path, "r+b");
    if (!probe) return fail(errno);
    std::fclose(probe);
  }
  // The new file keeps the mode of the one it replaces.
  const bool created = exists ? m_temp.create(target.parent_path().string(),
                                              static_cast<unsigned>(status.permissions()), TempPermissions::Exact)
                              : m_temp.create(target.parent_path().string(), kNewFilePermissions,
                                              TempPermissions::Masked);
  if (!created) return fail(m_temp.error());
  std::setvbuf(m_temp.stream(), nullptr, _IOFBF, std::size_t{1} << 20);
  m_path = target.string();
  return true;
}

bool ReplacingFile::write(std::string_view bytes) {
  std::FILE* out = stream();
  if (!out || m_writeFailed) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
    m_writeFailed = true;
    fail(errno);
  }
  return !m_writeFailed;
}

bool ReplacingFile::commit() {
  if (m_direct) {
    bool ok = !m_writeFailed;
    if (ok && std::fflush(m_direct) != 0) ok = fail(errno);
    if (std::fclose(m_direct) != 0 && ok) ok = fail(errno);
    m_direct = nullptr;
    return ok;
  }
  if (!m_temp.isOpen()) return false;
  if (m_writeFailed) {
    m_temp.remove();
    return false;
  }
  if (!m_temp.placeAs(m_path, true)) return fail(m_temp.error());
  return true;
}

void ReplacingFile::discard() {
  if (m_direct) std::fclose(m_direct);
  m_direct = nullptr;
  m_temp.remove();
}

}  // namespace quorvane
