#include "extraction/dir_scan.h"

#include <chrono>
#include <filesystem>
#include <set>
#include <system_error>

#include "common/basDirUtil.h"
#include "common/local_stamp.h"
#include "common/platform.h"
#include "common/same_file.h"
#include "common/utf8.h"

namespace quorvane::basDirUtil {

namespace fs = std::filesystem;

namespace {

// Folders already scanned in this run, by device and inode, so that a link pointing back
// up the tree (or a second way to one folder) cannot make a descending scan go round
// forever or list a folder twice.
using VisitedSet = std::set<FileIdentity>;

// What one scan carries from level to level: the folders already entered and the
// heartbeat with its clock.
struct ScanContext {
  explicit ScanContext(const ScanHeartbeat& beat) : heartbeat(beat) {}

  // Counts one entry and gives the heartbeat its turn when it is due; false once the
  // scan is to stop. The clock is read only every kHeartbeatStride entries, which keeps
  // the check far cheaper than the file-system calls it sits between.
  bool goOn() {
    if (stopped) return false;
    if (!heartbeat.stillWorking || ++sinceLook < kHeartbeatStride) return true;
    sinceLook = 0;
    if (std::chrono::steady_clock::now() - lastTurn < heartbeat.interval) return true;
    if (!heartbeat.stillWorking()) {
      stopped = true;
      return false;
    }
    // Measured from the end of the turn, so a slow turn cannot starve the scan.
    lastTurn = std::chrono::steady_clock::now();
    return true;
  }

  VisitedSet visited;
  // Length of the top folder's text with its separator, to tell the top folder from the
  // subfolders below it.
  std::size_t topLength = 0;
  const ScanHeartbeat& heartbeat;
  std::vector<SkippedFile>* skipped = nullptr;
  std::chrono::steady_clock::time_point lastTurn = std::chrono::steady_clock::now();
  int sinceLook = 0;
  bool stopped = false;
};

// The stamp of a file as the record shows it, from what the system tells about it.
std::optional<FileStamp> statStamp(const std::string& path) {
  const auto facts = platform::fileFacts(path);
  if (!facts) return std::nullopt;
  FileStamp stamp;
  stamp.isFolder = facts->isFolder;
  stamp.isSpecial = facts->isSpecial;
  if (stamp.isSpecial) return stamp;
  stamp.attributes = facts->attributes;
  if (stamp.isFolder) return stamp;
  // Years outside 1900 to 9999 have no honest two-digit form, so such a date is marked
  // rather than written.
  const platform::LocalTime& t = facts->written;
  stamp.dateFits = facts->writtenKnown && t.year >= 1900 && t.year <= 9999;
  if (stamp.dateFits) {
    const LocalStamp local = localStampOf(t);
    stamp.date = local.date;
    stamp.time = local.time;
  }
  stamp.size = static_cast<std::int64_t>(facts->size);
  return stamp;
}

bool isVisitedAlready(const std::string& folder, VisitedSet& visited) {
  const auto id = fileIdentity(folder);
  if (!id) return true;  // cannot tell where it leads: do not enter it
  return !visited.insert(*id).second;
}

bool listsFolders(std::int16_t mode) { return mode != kListFiles && mode != kListFilesDeep; }
bool listsFiles(std::int16_t mode) { return mode != kListFolders && mode != kListFoldersDeep; }
bool descends(std::int16_t mode) {
  return mode == kListAllDeep || mode == kListFoldersDeep || mode == kListFilesDeep;
}

bool matchesAny(const std::string& name, const std::vector<std::string>& patterns) {
  const std::string matchName = EnsureDotForMatch(ConvertSingleByteCase(name, 2));
  for (const std::string& p : patterns)
    if (LikeMatch(matchName, p)) return true;
  return false;
}

FileVersionEntry makeEntry(const std::string& base, const std::string& name, const FileStamp& stamp) {
  FileVersionEntry e;
  e.FullPath = base + name;
  e.NamePos = static_cast<std::int32_t>(utf8::length(base) + 1);
  e.Attributes = stamp.attributes;
  if (!stamp.isFolder) {
    e.Ext = ExtField(name);
    e.Date = stamp.date;
    e.Time = stamp.time;
    e.Size = stamp.size;
  }
  return e;
}

bool scanLevel(const std::string& folder, const std::vector<std::string>& patterns,
               std::vector<FileVersionEntry>& entries, std::int16_t mode, ScanContext& context) {
  const std::string base = AddOrRemoveSlash(folder, 1);
  bool found = false;
  std::vector<std::string> subfolders;
  std::error_code ec;
  fs::directory_iterator it(fs::u8path(base), ec);
  // A subfolder that cannot be listed (or whose listing breaks off) is reported like an
  // unreadable file, and the scan goes on with the rest of the tree. The top folder's own
  // failures are told by ScanFolder's result instead.
  const auto reportUnlisted = [&] {
    if (ec && context.skipped && base.size() > context.topLength)
      context.skipped->push_back({AddOrRemoveSlash(base, 0), ec == std::errc::permission_denied
                                                                 ? SkipReason::AccessDenied
                                                                 : SkipReason::CannotOpen});
  };
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    if (!context.goOn()) return found;
    // UTF-8 on every platform (string() would give Windows' ANSI code page).
    const std::u8string utf8Name = it->path().filename().u8string();
    const std::string name(utf8Name.begin(), utf8Name.end());
    if (name == "." || name == "..") continue;
    // The listing usually knows an entry's kind already; a file that no pattern takes is
    // then passed over without asking the file system about it.
    std::error_code kindError;
    const bool knownFile = it->is_regular_file(kindError) && !kindError;
    if (knownFile && (!listsFiles(mode) || !matchesAny(name, patterns))) continue;
    const auto stamp = ReadFileStamp(base + name);
    if (stamp && stamp->isFolder) {
      subfolders.push_back(name);
      if (!listsFolders(mode)) continue;
    } else if (!knownFile && (!listsFiles(mode) || !matchesAny(name, patterns))) {
      continue;
    }
    // A file the patterns take but that cannot be listed honestly is reported, not
    // passed over in silence.
    if (!stamp || stamp->isSpecial || !stamp->dateFits) {
      const SkipReason why = !stamp ? SkipReason::Missing
                             : stamp->isSpecial ? SkipReason::NotAFile : SkipReason::DateNotHeld;
      if (context.skipped) context.skipped->push_back({base + name, why});
      continue;
    }
    entries.push_back(makeEntry(base, name, *stamp));
    found = true;
  }
  reportUnlisted();
  if (descends(mode)) {
    for (const std::string& sub : subfolders) {
      if (context.stopped) break;
      if (isVisitedAlready(base + sub, context.visited)) continue;
      if (scanLevel(base + sub, patterns, entries, mode, context)) found = true;
    }
  }
  return found;
}

std::vector<std::string> lowerCased(const std::vector<std::string>& patterns) {
  std::vector<std::string> out;
  out.reserve(patterns.size());
  for (const std::string& p : patterns) out.push_back(ConvertSingleByteCase(p, 2));
  return out;
}

}  // namespace

std::string ExtField(std::string_view name) {
  std::string ext = utf8::mid(ExtensionPart(name), 1, 3);
  for (std::size_t n = utf8::length(ext); n < 3; ++n) ext += ' ';
  return ext;
}

std::optional<FileStamp> ReadFileStamp(const std::string& path) { return statStamp(path); }

bool ScanFolderLevel(std::string_view folder, const std::vector<std::string>& patterns,
                     std::vector<FileVersionEntry>& entries, std::int16_t mode, const ScanHeartbeat& heartbeat,
                     bool* stopped, std::vector<SkippedFile>* skipped) {
  ScanContext context(heartbeat);
  context.skipped = skipped;
  context.topLength = AddOrRemoveSlash(folder, 1).size();
  isVisitedAlready(std::string(folder), context.visited);
  const bool found = scanLevel(std::string(folder), patterns, entries, mode, context);
  if (stopped != nullptr) *stopped = context.stopped;
  return found;
}

ScanResult ScanFolder(std::string_view folder, const std::vector<std::string>& patterns,
                      std::vector<FileVersionEntry>& entries, std::int16_t mode, const ScanHeartbeat& heartbeat,
                      std::vector<SkippedFile>* skipped) {
  if (patterns.empty()) return ScanResult::NoPatterns;
  if (folder.empty()) return ScanResult::NoFolder;
  const std::string base = AddOrRemoveSlash(folder, 1);
  std::error_code ec;
  if (!fs::is_directory(fs::u8path(base), ec) || ec) return ScanResult::FolderMissing;
  fs::directory_iterator probe(fs::u8path(base), ec);
  if (ec == std::errc::permission_denied) return ScanResult::FolderDenied;
  if (ec) return ScanResult::FolderMissing;
  std::vector<FileVersionEntry> fresh;
  bool stopped = false;
  const bool found = ScanFolderLevel(folder, lowerCased(patterns), fresh, mode, heartbeat, &stopped, skipped);
  if (stopped) return ScanResult::Stopped;
  if (!found) return ScanResult::NothingMatched;
  entries = std::move(fresh);
  return ScanResult::Found;
}

}  // namespace quorvane::basDirUtil
