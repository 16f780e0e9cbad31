#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform_config.h"

// The few places where the core asks the operating system something. Each platform has
// its own implementation (platform_posix.cpp, platform_windows.cpp), chosen by the build;
// paths and texts are UTF-8 on this side on every platform.
namespace quorvane::platform {

// A local calendar date and time as the system converts it.
struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// A file time (100-nanosecond units since 1601-01-01 UTC) in local time; nothing when
// the system cannot convert it.
std::optional<LocalTime> localFromFileTime(std::uint64_t fileTime);

// The present moment in local time, to whole seconds.
LocalTime localNow();

// The C library's local calendar time of `t`; false when it cannot convert it.
bool localCalendarTime(std::time_t t, std::tm& out);

// What the system tells about one file or folder. `attributes` are the low 8 bits of
// the Windows attribute word (read-only 1, hidden 2, system 4, folder 16, archive 32);
// elsewhere they are derived from the file's mode and name.
struct FileFacts {
  bool isFolder = false;
  bool isSpecial = false;     // a device, pipe or socket: reported, never read
  bool writtenKnown = true;   // false when the system cannot convert the time
  std::uint64_t size = 0;
  std::uint8_t attributes = 0;
  LocalTime written;  // last write, whole seconds
};

// Facts of a file or a folder (links followed); nothing when it cannot be examined. Of
// a device, pipe or socket only that it is one.
std::optional<FileFacts> fileFacts(const std::string& path);

// What a folder listing tells of one entry without asking anything more: its kind, and
// where the system gives them with the listing itself (Windows always; elsewhere for a
// link or an entry of unknown kind, which the listing has to examine anyway) its facts.
enum class EntryKind : std::uint8_t {
  File,     // a regular file
  Folder,
  Special,  // a device, pipe or socket
  Unknown,  // cannot be examined: a dangling link, or an entry gone while listed
};
struct FolderEntry {
  std::string name;  // UTF-8, never "." or ".."
  EntryKind kind = EntryKind::Unknown;
  std::optional<FileFacts> facts;
};

// Why a folder could not be listed (in full).
enum class ListError : std::uint8_t {
  None,
  Denied,   // the folder may not be listed
  Missing,  // there is no such folder
  Failed,   // any other failure, also one that broke the listing off part-way
};

// Calls `each` for every entry of `folder` (a trailing separator is allowed), in the
// order the system gives them, until it returns false. Links are followed, so a link to
// a file is a File. Works on paths longer than the system's classic limit.
ListError listFolder(const std::string& folder, const std::function<bool(const FolderEntry&)>& each);

// std::fopen with a UTF-8 name.
std::FILE* openFile(const std::string& path, const char* mode);

// Flushes the file's data to the disk.
bool syncFile(std::FILE* file);

// Gives `to` the last-write time of `from`, as exactly as the file system keeps it.
bool copyWriteTime(const std::string& from, const std::string& to);

// Renames `from` to `to`, replacing a file at `to`, in one step. 0 or an errno value.
int replaceFile(const std::string& from, const std::string& to);

// Makes a new folder named `prefix` and a few characters of its own, never an existing
// one, open to its owner only. Its path, or the empty text with errno set.
std::string createPrivateFolder(const std::string& prefix);

// When the descriptor (0 to 2) is not open, gives it the null device and says true, so
// that no file opened later takes its number.
bool occupyIfClosed(int fd, bool forWriting);

// The computer's name; empty when the system reports none.
std::string computerName();

// The folder for temporary files, with a trailing separator; empty when none is known.
std::string tempFolder();

// The Windows system folder, with a trailing separator. Elsewhere the system32 folder
// of the user's Wine prefix when it exists, else the home folder.
std::string systemFolder();

// True when the stream (1 standard output, 2 standard error) is a terminal or console.
bool isTerminal(int stream);

// Makes the standard streams ready for the command-line program and returns its
// arguments in UTF-8: standard output and error carry exact bytes (no line-end
// translation), and text written to a console is shown as the UTF-8 it is.
std::vector<std::string> prepareCommandLine(int argc, char** argv);

}  // namespace quorvane::platform
