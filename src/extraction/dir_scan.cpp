#include "extraction/dir_scan.h"

#include <chrono>
#include <memory>
#include <optional>
#include <set>

#include "common/basDirUtil.h"
#include "common/local_stamp.h"
#include "common/platform.h"
#include "common/same_file.h"
#include "common/utf8.h"
#include "extraction/read_ahead_pool.h"
#include "extraction/stat_ahead.h"

namespace quorvane::basDirUtil {

namespace {

// Folders already scanned in this run, by device and inode, so that a link pointing back
// up the tree (or a second way to one folder) cannot make a descending scan go round
// forever or list a folder twice.
using VisitedSet = std::set<FileIdentity>;

// One thing the scan found: a file or folder with its facts (once examined), or a
// subfolder that could not be listed.
struct Found {
  ListedFile file;
  std::uint32_t nameStart = 0;         // byte offset of the name in the path
  std::int32_t namePos = 0;            // 1-based character position of the name
  bool examinedLater = false;          // a file queued for the workers
  std::optional<SkipReason> unlisted;  // a subfolder that could not be listed
};

// What the scan found, in listing order, in blocks of a fixed size: the workers hold
// pointers into it while it grows, and each block is given back as soon as it has been
// turned into entries, so that a large scan does not hold both at their full size.
class FoundList {
 public:
  Found& add() {
    if (m_blocks.empty() || m_lastCount == kBlock) {
      m_blocks.push_back(std::make_unique<Found[]>(kBlock));
      m_lastCount = 0;
    }
    ++m_size;
    return m_blocks.back()[m_lastCount++];
  }
  std::size_t size() const { return m_size; }

  // Calls `each` for everything found, in order, and empties the list.
  template <typename Each>
  void drain(Each each) {
    for (std::size_t b = 0; b < m_blocks.size(); ++b) {
      const std::size_t count = b + 1 == m_blocks.size() ? m_lastCount : kBlock;
      for (std::size_t i = 0; i < count; ++i) each(m_blocks[b][i]);
      m_blocks[b].reset();
    }
    m_blocks.clear();
    m_lastCount = m_size = 0;
  }

 private:
  static constexpr std::size_t kBlock = 2048;
  std::vector<std::unique_ptr<Found[]>> m_blocks;
  std::size_t m_lastCount = 0;
  std::size_t m_size = 0;
};

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
  // What the scan found, in listing order, until all are examined. The workers
  // write into these, so they go away after the workers.
  FoundList found;
  std::size_t unlistedFolders = 0;
  std::optional<StatAhead> statAhead;
  // Length of the top folder's text with its separator, to tell the top folder from the
  // subfolders below it.
  std::size_t topLength = 0;
  const ScanHeartbeat& heartbeat;
  std::vector<SkippedFile>* skipped = nullptr;
  ReadWhileListing* reading = nullptr;
  std::chrono::steady_clock::time_point lastTurn = std::chrono::steady_clock::now();
  int sinceLook = 0;
  bool stopped = false;
};

using platform::EntryKind;

// How far the listing may run ahead of the workers that examine its files: enough to
// keep them busy, little enough that the wait at the end, when no heartbeat turns come,
// stays short. A run that reads while listing has no heartbeat and lets the listing run
// to its end, so that the entries can be laid out while the last files are read.
constexpr std::size_t kStatWindow = 512;
constexpr std::size_t kReadingWindow = std::size_t{1} << 30;

// The stamp of a file as the record shows it, from what the system tells about it.
FileStamp stampOf(const platform::FileFacts& facts) {
  FileStamp stamp;
  stamp.isFolder = facts.isFolder;
  stamp.isSpecial = facts.isSpecial;
  if (stamp.isSpecial) return stamp;
  stamp.attributes = facts.attributes;
  if (stamp.isFolder) return stamp;
  // Years outside 1900 to 9999 have no honest two-digit form, so such a date is marked
  // rather than written.
  const platform::LocalTime& t = facts.written;
  stamp.dateFits = facts.writtenKnown && t.year >= 1900 && t.year <= 9999;
  if (stamp.dateFits) {
    const LocalStamp local = localStampOf(t);
    stamp.date = local.date;
    stamp.time = local.time;
  }
  stamp.size = static_cast<std::int64_t>(facts.size);
  return stamp;
}

std::optional<FileStamp> statStamp(const std::string& path) {
  const auto facts = platform::fileFacts(path);
  if (!facts) return std::nullopt;
  return stampOf(*facts);
}

// The facts of a listed entry: the listing's own when it gave them, else the file
// system's. A device, pipe or socket needs nothing more than its kind, and an entry the
// listing could not examine is gone.
std::optional<platform::FileFacts> listedFacts(const std::string& base, const platform::FolderEntry& item) {
  if (item.facts) return item.facts;
  if (item.kind == EntryKind::Unknown) return std::nullopt;
  if (item.kind == EntryKind::Special) {
    platform::FileFacts special;
    special.isSpecial = true;
    return special;
  }
  return platform::fileFacts(base + item.name);
}

SkipReason unlistedReason(platform::ListError error) {
  return error == platform::ListError::Denied ? SkipReason::AccessDenied : SkipReason::CannotOpen;
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

// Hands a listed file to the workers: to be examined, or to be read as well when the run
// reads while listing.
void examineLater(ScanContext& context, ListedFile& file) {
  if (!context.statAhead) {
    if (context.reading) context.statAhead.emplace(context.reading->workers, kReadingWindow, context.reading->read);
    else context.statAhead.emplace(defaultReadThreads(), kStatWindow);
  }
  context.statAhead->add(file);
}

// Turns what the scan found into entries and skipped-file reports, in listing order,
// once every file is examined; true when an entry was appended.
bool collect(ScanContext& context, std::vector<FileVersionEntry>& entries) {
  // The entries are laid out before the wait for the last files: a large run's entries
  // are fresh memory, and its pages are cheaper to take while the workers still read.
  const std::size_t first = entries.size();
  entries.resize(first + context.found.size() - context.unlistedFolders);
  if (context.reading) context.reading->results.reserve(entries.size() - first);
  if (context.statAhead) context.statAhead->finish();
  context.unlistedFolders = 0;
  std::size_t next = first;
  context.found.drain([&](Found& f) {
    std::optional<FileStamp> stamp;
    if (f.file.facts) stamp = stampOf(*f.file.facts);
    // A file the patterns take but that cannot be listed honestly is reported, not
    // passed over in silence; so is one that turned into a folder since it was listed.
    std::optional<SkipReason> why = f.unlisted;
    if (!why && (!stamp || (stamp->isFolder && f.examinedLater))) why = SkipReason::Missing;
    else if (!why && stamp->isSpecial) why = SkipReason::NotAFile;
    else if (!why && !stamp->dateFits) why = SkipReason::DateNotHeld;
    if (why) {
      if (context.skipped) context.skipped->push_back({std::move(f.file.path), *why});
      return;
    }
    FileVersionEntry& e = entries[next++];
    e.NamePos = f.namePos;
    e.Attributes = stamp->attributes;
    if (!stamp->isFolder) {
      e.Ext = ExtField(std::string_view(f.file.path).substr(f.nameStart));
      e.Date = std::move(stamp->date);
      e.Time = std::move(stamp->time);
      e.Size = stamp->size;
    }
    e.FullPath = std::move(f.file.path);
    e.FixedVersion = std::move(f.file.fixedVersion);
    e.StringVersion = std::move(f.file.stringVersion);
    if (context.reading) context.reading->results.push_back(f.file.early);
  });
  entries.resize(next);
  return next > first;
}

void scanLevel(const std::string& folder, const std::vector<std::string>& patterns, std::int16_t mode,
               ScanContext& context) {
  const std::string base = AddOrRemoveSlash(folder, 1);
  const auto namePos = static_cast<std::int32_t>(utf8::length(base) + 1);
  std::vector<std::string> subfolders;
  auto record = [&](const std::string& name) -> Found& {
    Found& f = context.found.add();
    f.file.path.reserve(base.size() + name.size());
    f.file.path = base;
    f.file.path += name;
    f.nameStart = static_cast<std::uint32_t>(base.size());
    f.namePos = namePos;
    return f;
  };
  const platform::ListError error = platform::listFolder(base, [&](const platform::FolderEntry& item) {
    if (!context.goOn()) return false;
    const std::string& name = item.name;
    // The listing usually knows an entry's kind already; a file that no pattern takes is
    // then passed over without asking the file system about it, one that a pattern takes
    // is examined on the workers while the listing goes on, and a folder is only
    // examined when it is listed itself.
    const bool knownFile = item.kind == EntryKind::File;
    if (knownFile && (!listsFiles(mode) || !matchesAny(name, patterns))) return true;
    if (knownFile && !item.facts) {
      Found& f = record(name);
      f.examinedLater = true;
      examineLater(context, f.file);
      return true;
    }
    if (item.kind == EntryKind::Folder) {
      subfolders.push_back(name);
      if (!listsFolders(mode)) return true;
    }
    auto facts = listedFacts(base, item);
    if (facts && facts->isFolder) {
      if (item.kind != EntryKind::Folder) subfolders.push_back(name);
      if (!listsFolders(mode)) return true;
    } else if (!knownFile && (!listsFiles(mode) || !matchesAny(name, patterns))) {
      return true;
    }
    Found& f = record(name);
    f.file.facts = facts;
    // The listing gave this file's facts, but a run that reads while listing reads it there.
    if (context.reading && facts && !facts->isFolder && !facts->isSpecial) examineLater(context, f.file);
    return true;
  });
  if (context.stopped) return;
  // A subfolder that cannot be listed (or whose listing breaks off) is reported like an
  // unreadable file, and the scan goes on with the rest of the tree. The top folder's own
  // failures are told by ScanFolder's result instead.
  if (error != platform::ListError::None && context.skipped && base.size() > context.topLength) {
    Found& f = context.found.add();
    ++context.unlistedFolders;
    f.file.path = AddOrRemoveSlash(base, 0);
    f.unlisted = unlistedReason(error);
  }
  if (descends(mode)) {
    for (const std::string& sub : subfolders) {
      if (context.stopped) break;
      if (isVisitedAlready(base + sub, context.visited)) continue;
      scanLevel(base + sub, patterns, mode, context);
    }
  }
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
                     bool* stopped, std::vector<SkippedFile>* skipped, ReadWhileListing* reading) {
  ScanContext context(heartbeat);
  context.skipped = skipped;
  context.reading = reading;
  context.topLength = AddOrRemoveSlash(folder, 1).size();
  isVisitedAlready(std::string(folder), context.visited);
  scanLevel(std::string(folder), patterns, mode, context);
  const bool found = collect(context, entries);
  if (stopped != nullptr) *stopped = context.stopped;
  return found;
}

ScanResult ScanFolder(std::string_view folder, const std::vector<std::string>& patterns,
                      std::vector<FileVersionEntry>& entries, std::int16_t mode, const ScanHeartbeat& heartbeat,
                      std::vector<SkippedFile>* skipped, ReadWhileListing* reading) {
  if (reading) reading->results.clear();
  if (patterns.empty()) return ScanResult::NoPatterns;
  if (folder.empty()) return ScanResult::NoFolder;
  const std::string base = AddOrRemoveSlash(folder, 1);
  const auto facts = platform::fileFacts(base);
  if (!facts || !facts->isFolder) return ScanResult::FolderMissing;
  const platform::ListError probe = platform::listFolder(base, [](const platform::FolderEntry&) { return false; });
  if (probe == platform::ListError::Denied) return ScanResult::FolderDenied;
  if (probe != platform::ListError::None) return ScanResult::FolderMissing;
  std::vector<FileVersionEntry> fresh;
  bool stopped = false;
  const bool found =
      ScanFolderLevel(folder, lowerCased(patterns), fresh, mode, heartbeat, &stopped, skipped, reading);
  if (stopped || !found) {
    if (reading) reading->results.clear();
    return stopped ? ScanResult::Stopped : ScanResult::NothingMatched;
  }
  entries = std::move(fresh);
  return ScanResult::Found;
}

}  // namespace quorvane::basDirUtil
