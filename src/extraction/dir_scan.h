#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "extraction/FileVersionEntry.h"
#include "extraction/skipped_file.h"
#include "extraction/stat_ahead.h"

// The folder scan: lists a folder's entries that match name patterns, optionally with its
// subfolders, as FileVersionEntry records without version information.
namespace quorvane::basDirUtil {

// What ScanFolder found. The values are the ones stored and shown by callers.
enum class ScanResult : std::int16_t {
  Found = -1,          // at least one entry; the entry list was replaced
  NothingMatched = 0,  // the folder exists but nothing matched
  NoPatterns = 1,      // no pattern list (no kind chosen yet)
  FolderMissing = 2,   // the folder does not exist (or is not a folder)
  NoFolder = 3,        // the folder text is empty
  Stopped = 4,         // the heartbeat asked to stop; the entry list was left as it was
  FolderDenied = 5,    // the folder exists but may not be listed
};

// Lets a long listing give its caller a turn now and then, so that a window can repaint
// and notice a cancel while a large folder is listed. The scan looks at the clock every
// kHeartbeatStride entries and calls `stillWorking` when `interval` has passed since the
// scan began or since the previous call. Returning false stops the scan (Stopped).
// The default interval keeps a window's turns far below the tenth of a second in which a
// person notices a stuck window, at a cost the scan hardly feels.
inline constexpr std::chrono::milliseconds kHeartbeatInterval{20};
inline constexpr int kHeartbeatStride = 16;
struct ScanHeartbeat {
  std::function<bool()> stillWorking;
  std::chrono::milliseconds interval = kHeartbeatInterval;
};

// Listing modes: which entries are listed and whether subfolders are scanned too.
inline constexpr std::int16_t kListFolders = 1;           // folders of this folder
inline constexpr std::int16_t kListFiles = 2;             // files of this folder
inline constexpr std::int16_t kListAllDeep = 3;           // folders and files, descending
inline constexpr std::int16_t kListFoldersDeep = 4;       // folders, descending
inline constexpr std::int16_t kListFilesDeep = 5;         // files, descending
// Any other value lists folders and files of this folder only.

// Windows attribute bits as the listing reports them. On POSIX: a folder has
// kAttrDirectory; a file has kAttrArchive; an entry without the owner's write
// permission has kAttrReadOnly; an entry whose name starts with "." has kAttrHidden.
inline constexpr std::uint8_t kAttrReadOnly = 1;
inline constexpr std::uint8_t kAttrHidden = 2;
inline constexpr std::uint8_t kAttrDirectory = 16;
inline constexpr std::uint8_t kAttrArchive = 32;

// Lets a run read each file where the scan examines it: on the scan's workers while the
// listing goes on, so that a file is looked up and opened once and the reading overlaps
// the listing. `read` is called once for every file the patterns take, on worker
// `worker` (below `workers`, so that each worker can keep a reader of its own). It fills
// the file's version texts and `early`, and, where the listing has not given them
// already, the file's facts as platform::fileFacts would.
struct ReadWhileListing {
  unsigned workers = 1;
  StatAhead::Examine read;
  // Given by the scan when it found something: what was read of each entry, in the
  // entries' order. The texts themselves are in the entries.
  std::vector<EarlyRead> results;
};

// Lists `folder` (with or without a trailing separator) by `patterns` (wildcards, matched
// without regard to the case of single-byte letters; an empty list means no kind was
// chosen). Only on Found is `entries` replaced; otherwise it is left as it was.
// Entries that are neither files nor folders (devices, pipes, sockets, dangling links)
// are not listed, nor is an entry that vanishes or cannot be examined while the scan
// runs, nor a file whose date lies outside the years a record can hold; those whose
// names the patterns take are appended to `skipped` (when given) with the reason.
// A linked folder that leads to a folder already scanned (same device and inode) is not
// entered again. In a descending scan a subfolder that cannot be listed is appended to
// `skipped` too (AccessDenied or CannotOpen), and the scan goes on with the rest.
// An empty heartbeat, the default, never interrupts the scan.
ScanResult ScanFolder(std::string_view folder, const std::vector<std::string>& patterns,
                      std::vector<FileVersionEntry>& entries, std::int16_t mode,
                      const ScanHeartbeat& heartbeat = {}, std::vector<SkippedFile>* skipped = nullptr,
                      ReadWhileListing* reading = nullptr);

// Lists one folder (and by mode its subfolders), appending to `entries`. The patterns
// must already be lower-cased. True when anything was appended. When the heartbeat stops
// the scan, `stopped` (if given) is set and what was appended so far stays appended.
bool ScanFolderLevel(std::string_view folder, const std::vector<std::string>& patterns,
                     std::vector<FileVersionEntry>& entries, std::int16_t mode,
                     const ScanHeartbeat& heartbeat = {}, bool* stopped = nullptr,
                     std::vector<SkippedFile>* skipped = nullptr, ReadWhileListing* reading = nullptr);

// Size, last-write date and time ("YY/MM/DD", "HH:MM:SS", local time) and attributes of
// one file or folder; nothing when it does not exist or cannot be examined. A pipe,
// socket or device gives a stamp marked `isSpecial` and nothing else. A date before 1900
// or after 9999 (or one the system cannot convert) leaves date and time empty and
// `dateFits` false: a two-digit year cannot stand for it.
struct FileStamp {
  bool isFolder = false;
  bool isSpecial = false;
  bool dateFits = true;
  std::int64_t size = 0;
  std::string date;
  std::string time;
  std::uint8_t attributes = 0;
};
std::optional<FileStamp> ReadFileStamp(const std::string& path);

// The first three characters of a name's extension, padded with blanks.
std::string ExtField(std::string_view name);

}  // namespace quorvane::basDirUtil
