// The platform layer on POSIX systems (Linux).
#include "common/platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "common/basDirUtil.h"

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

// One stat call gives kind, size, permissions and time; the scan calls this for every
// listed file, so it is kept to that single call.
std::optional<FileFacts> fileFacts(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  const bool isFolder = S_ISDIR(st.st_mode);
  FileFacts facts;
  facts.isFolder = isFolder;
  facts.isSpecial = !isFolder && !S_ISREG(st.st_mode);
  if (facts.isSpecial) return facts;
  facts.attributes = attributesOf(isFolder, (st.st_mode & S_IWUSR) != 0, basDirUtil::FileNamePart(path));
  if (isFolder) return facts;
  const auto written = localFromSeconds(st.st_mtime, 0);
  facts.writtenKnown = written.has_value();
  if (written) facts.written = *written;
  facts.size = static_cast<std::uint64_t>(st.st_size);
  return facts;
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
