// The platform layer on POSIX systems (Linux).
#include "common/platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "common/basDirUtil.h"
#include "common/platform_posix_stat.h"

namespace quorvane::platform {

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kTicksPerMillisecond = 10'000;
constexpr std::int64_t kSeconds1601To1970 = 11'644'473'600;

std::optional<LocalTime> localFromSeconds(std::time_t t, int millisecond) {
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return std::nullopt;
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, millisecond};
}

// Read-only is a property of the file, as on Windows, not of who asks: the owner's
// write permission decides, so the answer does not change when root runs the scan.
std::uint8_t attributesOf(bool isFolder, bool ownerWritable, const std::string& name) {
  constexpr std::uint8_t kReadOnly = 1, kHidden = 2, kDirectory = 16, kArchive = 32;
  std::uint8_t a = isFolder ? kDirectory : kArchive;
  if (!ownerWritable) a |= kReadOnly;
  if (!name.empty() && name.front() == '.') a |= kHidden;
  return a;
}

FileFacts factsOf(const struct stat& st, const std::string& name) {
  const bool isFolder = S_ISDIR(st.st_mode);
  FileFacts facts;
  facts.isFolder = isFolder;
  facts.isSpecial = !isFolder && !S_ISREG(st.st_mode);
  if (facts.isSpecial) return facts;
  facts.attributes = attributesOf(isFolder, (st.st_mode & S_IWUSR) != 0, name);
  if (isFolder) return facts;
  const auto written = localFromSeconds(st.st_mtime, 0);
  facts.writtenKnown = written.has_value();
  if (written) facts.written = *written;
  facts.size = static_cast<std::uint64_t>(st.st_size);
  return facts;
}

EntryKind kindOf(const FileFacts& facts) {
  return facts.isFolder ? EntryKind::Folder : facts.isSpecial ? EntryKind::Special : EntryKind::File;
}

ListError listErrorOf(int code) {
  switch (code) {
    case EACCES:
    case EPERM: return ListError::Denied;
    case ENOENT:
    case ENOTDIR: return ListError::Missing;
    default: return ListError::Failed;
  }
}

// Closes the listing on every way out.
struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string withSeparator(const std::string& path) { return basDirUtil::AddOrRemoveSlash(path, 1); }

}  // namespace

std::optional<LocalTime> localFromFileTime(std::uint64_t fileTime) {
  if (fileTime >= 0x8000000000000000ull) return std::nullopt;
  const auto ticks = static_cast<std::int64_t>(fileTime);
  return localFromSeconds(static_cast<std::time_t>(ticks / kTicksPerSecond - kSeconds1601To1970),
                          static_cast<int>((ticks % kTicksPerSecond) / kTicksPerMillisecond));
}

LocalTime localNow() { return localFromSeconds(std::time(nullptr), 0).value_or(LocalTime{}); }

bool localCalendarTime(std::time_t t, std::tm& out) { return localtime_r(&t, &out) != nullptr; }

FileFacts factsOfStat(const struct stat& st, const std::string& path) {
  return factsOf(st, basDirUtil::FileNamePart(path));
}

// One stat call gives kind, size, permissions and time.
std::optional<FileFacts> fileFacts(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return factsOfStat(st, path);
}

// The kind comes with the listing on the usual file systems, so a file is listed without
// a call of its own; only a link (to be followed) or an entry of a file system that does
// not tell the kind is examined, relative to the open folder.
ListError listFolder(const std::string& folder, const std::function<bool(const FolderEntry&)>& each) {
  const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) return listErrorOf(errno);
  FolderEntry entry;
  for (;;) {
    errno = 0;
    const dirent* d = ::readdir(dir.get());
    if (d == nullptr) return errno == 0 ? ListError::None : ListError::Failed;
    const char* name = d->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    entry.name.assign(name);
    entry.facts.reset();
    switch (d->d_type) {
      case DT_REG: entry.kind = EntryKind::File; break;
      case DT_DIR: entry.kind = EntryKind::Folder; break;
      case DT_FIFO:
      case DT_CHR:
      case DT_BLK:
      case DT_SOCK: entry.kind = EntryKind::Special; break;
      default: {
        struct stat st {};
        if (::fstatat(::dirfd(dir.get()), name, &st, 0) != 0) {
          entry.kind = EntryKind::Unknown;
          break;
        }
        entry.facts = factsOf(st, entry.name);
        entry.kind = kindOf(*entry.facts);
      }
    }
    if (!each(entry)) return ListError::None;
  }
}

std::FILE* openFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool syncFile(std::FILE* file) { return fsync(fileno(file)) == 0; }

bool copyWriteTime(const std::string& from, const std::string& to) {
  struct stat st {};
  if (::stat(from.c_str(), &st) != 0) return false;
  const struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
  return utimensat(AT_FDCWD, to.c_str(), times, 0) == 0;
}

int replaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

std::string createPrivateFolder(const std::string& prefix) {
  // mkdtemp makes a new folder (never an existing one, never through a link) with mode 0700.
  std::vector<char> pattern(prefix.begin(), prefix.end());
  for (char c : std::string("XXXXXX")) pattern.push_back(c);
  pattern.push_back('\0');
  if (!mkdtemp(pattern.data())) return {};
  return pattern.data();
}

bool occupyIfClosed(int fd, bool forWriting) {
  if (fcntl(fd, F_GETFD) != -1) return false;
  const int opened = ::open("/dev/null", forWriting ? O_WRONLY : O_RDONLY);
  if (opened >= 0 && opened != fd) {
    dup2(opened, fd);
    ::close(opened);
  }
  return true;
}

std::string computerName() {
  std::array<char, 256> buffer{};
  if (gethostname(buffer.data(), buffer.size() - 1) != 0) return {};
  return basDirUtil::TrimAtNul(std::string_view(buffer.data(), buffer.size()));
}

std::string tempFolder() {
  const std::string tmp = environment("TMPDIR");
  return withSeparator(tmp.empty() ? "/tmp" : tmp);
}

std::string systemFolder() {
  const std::string home = environment("HOME");
  std::string prefix = environment("WINEPREFIX");
  if (prefix.empty() && !home.empty()) prefix = withSeparator(home) + ".wine";
  if (!prefix.empty()) {
    const std::string system32 = withSeparator(prefix) + "drive_c/windows/system32";
    if (basDirUtil::PathExists(system32, true)) return withSeparator(system32);
  }
  return withSeparator(home.empty() ? "/" : home);
}

bool isTerminal(int stream) { return isatty(stream) == 1; }

std::vector<std::string> prepareCommandLine(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace quorvane::platform
