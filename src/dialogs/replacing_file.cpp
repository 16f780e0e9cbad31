#include "dialogs/replacing_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "common/platform.h"
#include "dialogs/file_error.h"

namespace quorvane {

namespace fs = std::filesystem;

namespace {

bool hasNoWritePermission(fs::perms p) {
  return (p & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
         fs::perms::none;
}

std::string utf8Of(const fs::path& p) {
  const std::u8string text = p.u8string();
  return std::string(text.begin(), text.end());
}

std::string tempNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path target = fs::u8path(path);
  std::string name = ".";
  name += utf8Of(target.filename());
  name += ".~";
  name += std::to_string(tick % 1000000007);
  name += '-';
  name += std::to_string(counter++);
  return utf8Of(target.parent_path() / fs::u8path(name));
}

}  // namespace

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::fail(int errnoValue, bool readOnly) {
  m_errno = errnoValue;
  m_classification = fileError::classifyOpenError(errnoValue, readOnly);
  return false;
}

bool ReplacingFile::open(const std::string& path) {
  discard();
  m_errno = 0;
  m_classification = 0;
  m_writeFailed = false;
  if (path.empty()) return fail(ENOENT);
  std::error_code ec;
  const fs::path target = fs::u8path(path);
  const auto status = fs::status(target, ec);
  if (!ec && fs::exists(status)) {
    if (fs::is_directory(status)) return fail(EISDIR);
    // Writing is refused where opening the file itself for writing would be refused.
    if (hasNoWritePermission(status.permissions())) return fail(EACCES, true);
    std::FILE* probe = platform::openFile(path, "r+b");
    if (!probe) return fail(errno);
    std::fclose(probe);
  }
  for (int attempt = 0; attempt < 16 && !m_temp; ++attempt) {
    m_tempPath = tempNameBeside(path);
    m_temp = platform::openFile(m_tempPath, "wbx");
    if (!m_temp && errno != EEXIST) return fail(errno);
  }
  if (!m_temp) return fail(EEXIST);
  std::setvbuf(m_temp, nullptr, _IOFBF, std::size_t{1} << 20);
  m_path = path;
  if (!ec && fs::exists(status))
    fs::permissions(fs::u8path(m_tempPath), status.permissions(), ec);  // keep the old mode
  return true;
}

bool ReplacingFile::write(std::string_view bytes) {
  if (!m_temp || m_writeFailed) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_temp) != bytes.size()) {
    m_writeFailed = true;
    fail(errno);
  }
  return !m_writeFailed;
}

bool ReplacingFile::commit() {
  if (!m_temp) return false;
  bool ok = !m_writeFailed;
  if (ok && (std::fflush(m_temp) != 0 || !platform::syncFile(m_temp))) ok = fail(errno);
  if (std::fclose(m_temp) != 0 && ok) ok = fail(errno);
  m_temp = nullptr;
  std::error_code ec;
  if (ok) {
    if (const int e = platform::replaceFile(m_tempPath, m_path); e != 0) ok = fail(e);
  }
  if (!ok) fs::remove(fs::u8path(m_tempPath), ec);
  m_tempPath.clear();
  return ok;
}

void ReplacingFile::discard() {
  if (!m_temp) return;
  std::fclose(m_temp);
  m_temp = nullptr;
  std::error_code ec;
  fs::remove(fs::u8path(m_tempPath), ec);
  m_tempPath.clear();
}

}  // namespace quorvane
