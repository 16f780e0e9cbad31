// The platform layer on Windows: UTF-16 at every system call, UTF-8 on our side.
#include "common/platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <memory>
#include <random>
#include <streambuf>

#include "common/basDirUtil.h"
#include "common/platform_windows_facts.h"
#include "common/wide_text.h"

namespace quorvane::platform {

namespace {

// Paths and the mode texts of fopen; long paths get the prefix that lets them through.
std::wstring wide(const std::string& utf8) { return wideText::systemPath(utf8).value_or(std::wstring()); }

std::optional<LocalTime> localFromFileTimeStruct(const FILETIME& utc) {
  FILETIME local{};
  SYSTEMTIME st{};
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return std::nullopt;
  return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

std::string withSeparator(const std::string& path) { return basDirUtil::AddOrRemoveSlash(path, 1); }

int errnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EACCES;
    case ERROR_NOT_READY: return EIO;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    default: return EIO;
  }
}

// Writes UTF-8 text to a console as UTF-16, so that Japanese messages read right
// whatever the console's code page; a redirected stream never comes here.
class ConsoleBuffer : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : m_console(console) {}

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) m_pending += traits_type::to_char_type(c);
    if (c == traits_type::eof() || c == '\n') flushComplete();
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    m_pending.append(s, static_cast<std::size_t>(n));
    flushComplete();
    return n;
  }
  int sync() override {
    flushComplete();
    return 0;
  }

 private:
  // Writes what forms whole characters; a character split between two writes waits.
  void flushComplete() {
    std::size_t end = m_pending.size();
    std::size_t back = 0;
    while (back < 4 && back < end && (static_cast<unsigned char>(m_pending[end - 1 - back]) & 0xC0) == 0x80) ++back;
    if (back < end) {
      const auto lead = static_cast<unsigned char>(m_pending[end - 1 - back]);
      const std::size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      if (need > back + 1) end -= back + 1;
    }
    if (end == 0) return;
    const std::wstring text = wideText::fromUtf8(std::string_view(m_pending).substr(0, end))
                                  .value_or(L"\uFFFD");
    DWORD written = 0;
    WriteConsoleW(m_console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    m_pending.erase(0, end);
  }

  HANDLE m_console;
  std::string m_pending;
};

// What the listing gives of an entry that is not a link: all that fileFacts would ask.
FileFacts factsOf(const WIN32_FIND_DATAW& data) {
  FileFacts facts;
  facts.isSpecial = (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0;
  if (facts.isSpecial) return facts;
  facts.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  facts.attributes = static_cast<std::uint8_t>(data.dwFileAttributes & 0xFF);
  if (facts.isFolder) return facts;
  const auto written = localFromFileTimeStruct(data.ftLastWriteTime);
  facts.writtenKnown = written.has_value();
  if (written) facts.written = *written;
  facts.written.millisecond = 0;  // the record keeps whole seconds, cut as the listing shows them
  facts.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return facts;
}

EntryKind kindOf(const FileFacts& facts) {
  return facts.isFolder ? EntryKind::Folder : facts.isSpecial ? EntryKind::Special : EntryKind::File;
}

// Closes the search on every way out.
struct FindCloser {
  void operator()(HANDLE h) const { FindClose(h); }
};

HANDLE consoleOf(int stream) {
  const HANDLE h = GetStdHandle(stream == 1 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  return (h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &mode)) ? h : nullptr;
}

}  // namespace

FileFacts factsOfFindData(const WIN32_FIND_DATAW& data) { return factsOf(data); }

std::optional<LocalTime> localFromFileTime(std::uint64_t fileTime) {
  if (fileTime >= 0x8000000000000000ull) return std::nullopt;
  FILETIME utc{static_cast<DWORD>(fileTime & 0xFFFFFFFFu), static_cast<DWORD>(fileTime >> 32)};
  return localFromFileTimeStruct(utc);
}

bool localCalendarTime(std::time_t t, std::tm& out) { return localtime_s(&out, &t) == 0; }

LocalTime localNow() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, 0};
}

std::optional<FileFacts> fileFacts(const std::string& path) {
  const std::wstring name = wide(path);
  if (name.empty()) return std::nullopt;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  WIN32_FIND_DATAW found{};
  found.dwFileAttributes = data.dwFileAttributes;
  found.ftLastWriteTime = data.ftLastWriteTime;
  found.nFileSizeHigh = data.nFileSizeHigh;
  found.nFileSizeLow = data.nFileSizeLow;
  return factsOf(found);
}

// The find data carries attributes, size and time, so a listed file needs no call of its
// own; only a link is examined on its own, by its path, as fileFacts does. The short
// (8.3) names are not asked for, and the system fetches the entries in large blocks.
ListError listFolder(const std::string& folder, const std::function<bool(const FolderEntry&)>& each) {
  const std::string base = withSeparator(folder.empty() ? std::string(".") : folder);
  const auto pattern = wideText::systemPath(base + "*");
  if (!pattern) return ListError::Missing;
  WIN32_FIND_DATAW data{};
  const HANDLE first = FindFirstFileExW(pattern->c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                        FIND_FIRST_EX_LARGE_FETCH);
  if (first == INVALID_HANDLE_VALUE) {
    switch (GetLastError()) {
      case ERROR_FILE_NOT_FOUND: return ListError::None;  // a drive's root without a single entry
      case ERROR_ACCESS_DENIED: return ListError::Denied;
      case ERROR_PATH_NOT_FOUND:
      case ERROR_DIRECTORY:
      case ERROR_INVALID_NAME:
      case ERROR_BAD_PATHNAME:
      case ERROR_BAD_NETPATH:
      case ERROR_NOT_READY: return ListError::Missing;
      default: return ListError::Failed;
    }
  }
  const std::unique_ptr<void, FindCloser> search(first);
  FolderEntry entry;
  do {
    const wchar_t* name = data.cFileName;
    if (name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'))) continue;
    entry.name = wideText::toUtf8(name);
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      entry.facts = fileFacts(base + entry.name);
      entry.kind = entry.facts ? kindOf(*entry.facts) : EntryKind::Unknown;
    } else {
      entry.facts = factsOf(data);
      entry.kind = kindOf(*entry.facts);
    }
    if (!each(entry)) return ListError::None;
  } while (FindNextFileW(search.get(), &data));
  return GetLastError() == ERROR_NO_MORE_FILES ? ListError::None : ListError::Failed;
}

std::FILE* openFile(const std::string& path, const char* mode) {
  const std::wstring name = wide(path);
  const std::wstring wideMode = wide(mode);
  if (name.empty() || wideMode.empty()) {
    errno = ENOENT;
    return nullptr;
  }
  return _wfopen(name.c_str(), wideMode.c_str());
}

bool syncFile(std::FILE* file) { return _commit(_fileno(file)) == 0; }

bool copyWriteTime(const std::string& from, const std::string& to) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(wide(from).c_str(), GetFileExInfoStandard, &data)) return false;
  const HANDLE h = CreateFileW(wide(to).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool ok = SetFileTime(h, nullptr, nullptr, &data.ftLastWriteTime) != 0;
  CloseHandle(h);
  return ok;
}

int replaceFile(const std::string& from, const std::string& to) {
  const std::wstring source = wide(from);
  const std::wstring target = wide(to);
  if (source.empty() || target.empty()) return ENOENT;
  if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  return errnoOf(GetLastError());
}

std::string createPrivateFolder(const std::string& prefix) {
  // The temporary folder of a Windows user is the user's own; a new name is enough.
  std::mt19937 gen{std::random_device{}()};
  for (int attempt = 0; attempt < 16; ++attempt) {
    const std::string candidate = prefix + std::to_string(gen() % 1000000000u);
    const std::wstring name = wide(candidate);
    if (name.empty()) break;
    if (CreateDirectoryW(name.c_str(), nullptr)) return candidate;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      errno = errnoOf(GetLastError());
      return {};
    }
  }
  errno = EEXIST;
  return {};
}

// A console program keeps the streams it was given; a missing one stays missing, and
// writing to it fails.
bool occupyIfClosed(int fd, bool) { return _get_osfhandle(fd) == -1; }

std::string computerName() {
  wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(buffer, &size)) return {};
  return wideText::toUtf8(std::wstring_view(buffer, size));
}

std::string tempFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
  if (n == 0 || n > MAX_PATH) return {};
  return withSeparator(wideText::toUtf8(std::wstring_view(buffer, n)));
}

std::string systemFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const UINT n = GetSystemDirectoryW(buffer, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return {};
  return withSeparator(wideText::toUtf8(std::wstring_view(buffer, n)));
}

bool isTerminal(int stream) { return consoleOf(stream) != nullptr; }

std::vector<std::string> prepareCommandLine(int, char**) {
  // Exact bytes on redirected output: no "\n" to CR LF translation.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  static ConsoleBuffer* outBuffer = nullptr;
  static ConsoleBuffer* errBuffer = nullptr;
  if (const HANDLE h = consoleOf(1); h && !outBuffer) {
    outBuffer = new ConsoleBuffer(h);
    std::cout.rdbuf(outBuffer);
  }
  if (const HANDLE h = consoleOf(2); h && !errBuffer) {
    errBuffer = new ConsoleBuffer(h);
    std::cerr.rdbuf(errBuffer);
  }
  // The arguments as the system holds them (UTF-16), not in the ANSI code page.
  std::vector<std::string> args;
  int count = 0;
  wchar_t** argvW = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argvW) return args;
  for (int i = 1; i < count; ++i) args.push_back(wideText::toUtf8(argvW[i]));
  LocalFree(argvW);
  return args;
}

}  // namespace quorvane::platform
