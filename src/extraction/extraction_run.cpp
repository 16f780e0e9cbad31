#include "extraction/extraction_run.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "common/basDirUtil.h"
#include "common/file_reader.h"
#include "common/local_stamp.h"
#include "common/platform.h"
#include "common/same_file.h"
#include "common/utf8.h"
#include "extraction/basDecompress.h"
#include "extraction/extraction_order.h"
#include "extraction/extraction_texts.h"
#include "extraction/read_ahead_pool.h"
#include "version/clsFileVersion.h"

namespace quorvane {

namespace {

using basDirUtil::ScanResult;

void showStatus(const ExtractionCallbacks& cb, const std::string& text) {
  if (cb.status) cb.status(text);
}

bool askCancelled(const ExtractionCallbacks& cb) { return cb.cancelled && cb.cancelled(); }

void stampRun(ExtractionResult& result, const ExtractionRequest& request) {
  const LocalStamp stamp = localStampOf(platform::localNow());
  result.RunDate = stamp.date;
  result.RunTime = stamp.time;
  result.RunFolder = request.Folder;
  result.RunKind = request.KindText;
}

enum class Expansion { Done, Failed, SourceUnreadable };

// Expands a compressed entry and lets the entry describe the expanded copy. When the
// expansion fails, an older copy at the target path stays as it was, and the entry is
// never pointed at it: it keeps describing the compressed file, whose size and date are
// real. A source that cannot even be opened is not described at all.
// A file of a subfolder goes into the same subfolder below the target folder, so that
// its name below the target folder stays its name below the listed folder.
Expansion expandEntry(FileVersionEntry& entry, const std::string& targetFolder) {
  const std::string relative = utf8::mid(entry.FullPath, static_cast<std::size_t>(std::max(entry.NamePos, 1)));
  const std::size_t cut = relative.find_last_of(basDirUtil::kSeparator);
  const std::size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
  const std::string folder = targetFolder + relative.substr(0, nameStart);
  const std::string name = basDecompress::ExpandedFileName(std::string_view(relative).substr(nameStart));
  const auto error = basDecompress::ExpandFileChecked(entry.FullPath, folder, name);
  if (error == basDecompress::ExpandError::SourceUnreadable) return Expansion::SourceUnreadable;
  if (error != basDecompress::ExpandError::None) return Expansion::Failed;
  const std::string path = folder + name;
  const auto stamp = basDirUtil::ReadFileStamp(path);
  if (!stamp || stamp->isFolder || stamp->isSpecial || !stamp->dateFits) return Expansion::Failed;
  entry.FullPath = path;
  entry.NamePos = static_cast<std::int32_t>(utf8::length(targetFolder) + 1);
  entry.Ext = basDirUtil::ExtField(name);
  entry.Size = stamp->size;
  entry.Date = stamp->date;
  entry.Time = stamp->time;
  entry.Attributes = stamp->attributes;
  return Expansion::Done;
}

// Why a file that could not be opened just now failed; asked again only on that rare path.
SkipReason whyUnopenable(const std::string& path) {
  FileReader probe;
  return probe.open(path) ? SkipReason::ReadFailed : skipReasonOf(probe.openError());
}

// The two version texts of a file; both empty without version information. A file that
// cannot be opened or read is not one without version information: its reason is
// returned and the caller leaves it out. `facts` as clsFileVersion::GetFileVersion.
std::optional<SkipReason> readVersions(clsFileVersion& reader, const std::string& path, std::string& fixed,
                                       std::string& text, platform::FileFacts* facts = nullptr) {
  fixed.clear();
  text.clear();
  if (!reader.GetFileVersion(path, facts)) {
    const VersionError error = reader.LastFault().error;
    if (error == VersionError::CannotOpen) return skipReasonOf(reader.LastOpenError());
    if (error == VersionError::ReadFailed) return SkipReason::ReadFailed;
    return std::nullopt;
  }
  fixed = reader.FixedFileInfo().FileVersion();
  text = reader.StringFileInfo().FileVersion();
  return std::nullopt;
}

std::optional<SkipReason> readVersions(clsFileVersion& reader, FileVersionEntry& entry) {
  return readVersions(reader, entry.FullPath, entry.FixedVersion, entry.StringVersion);
}

// Reads a listed file on a scan worker. The open that reads it also tells the scan what
// it needs to know of the file, unless the listing told that already; a file that could
// not be opened is examined by its name, so that the scan still tells a vanished file or
// a swapped-in pipe from one the user may not read.
void readListedFile(clsFileVersion& reader, basDirUtil::ListedFile& file) {
  platform::FileFacts opened;
  const bool needsFacts = !file.facts.has_value();
  file.early.fault = readVersions(reader, file.path, file.fixedVersion, file.stringVersion,
                                  needsFacts ? &opened : nullptr);
  file.early.done = true;
  if (!needsFacts) return;
  if (reader.LastOpenError() == FileOpenError::None) file.facts = opened;
  else file.facts = platform::fileFacts(file.path);
}

// Threads that read the files of a run.
unsigned readThreadsOf(const ExtractionRequest& request) {
  return request.ReadThreads != 0 ? request.ReadThreads : defaultReadThreads();
}

// A run that nobody follows file by file (no progress, no cancel, no listing turns, no
// reader handed out) and that expands nothing reads its files while the folder is still
// listed. Everything a run reports stays as it was; only a window or a terminal that
// shows the files one by one needs the listing to end before the first file is read.
bool readsWhileListing(const ExtractionRequest& request, const ExtractionCallbacks& cb) {
  return readThreadsOf(request) > 1 && !request.ExpandCompressed && !cb.progress && !cb.cancelled &&
         !cb.listing && !cb.fileRead;
}

// The entry's file name as a record row would carry it. Asked for every file on the
// loop and on the pool, so it looks at the name in place instead of copying it.
bool hasRecordableName(const FileVersionEntry& entry) {
  const std::string_view path = entry.FullPath;
  const std::size_t start = static_cast<std::size_t>(std::max(entry.NamePos, 1)) - 1;
  return isRecordableName(path.substr(utf8::byteOffset(path, start)));
}

// Drops the entries the run skipped, keeping the order of the others.
void dropSkipped(ExtractionResult& result, const std::vector<bool>& skipped) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < result.Entries.size(); ++i) {
    if (skipped[i]) continue;
    if (kept != i) result.Entries[kept] = std::move(result.Entries[i]);
    ++kept;
  }
  result.Entries.resize(kept);
  result.LastIndex = static_cast<std::int32_t>(kept) - 1;
}

// The scan's NamePos points at the file name. Below the listed folder a file name alone
// is not unique, so a recursive run names each file by its path below that folder: the
// record, the list and the comparison all take the name from NamePos on.
void nameBelowFolder(std::vector<FileVersionEntry>& entries, const std::string& folder) {
  const auto start = static_cast<std::int32_t>(utf8::length(basDirUtil::AddOrRemoveSlash(folder, 1)) + 1);
  for (FileVersionEntry& e : entries) e.NamePos = start;
}

// Takes over the scanned entries. The previous display order goes with the previous
// entries, so that no stale index can point into the new ones.
void startResult(ExtractionResult& result, std::vector<FileVersionEntry>&& entries) {
  result.Entries = std::move(entries);
  result.LastIndex = static_cast<std::int32_t>(result.Entries.size()) - 1;
  result.DisplayNames.clear();
  result.Order.clear();
  result.ExtractionDone = false;
}

// A run stopped before its listing ended: nothing of the listing is taken over, but the
// previous result is no longer the one shown, so it is marked not done like any cancel.
void cancelBeforeFiles(ExtractionResult& result) {
  result.DisplayNames.clear();
  result.Order.clear();
  result.ExtractionDone = false;
}

// Goes through the files: expansion, progress, cancel query, version texts, count.
// `early`, when given, holds what the scan read of each entry.
RunOutcome processFiles(const ExtractionRequest& request, ExtractionResult& result, clsFileVersion& reader,
                        const ExtractionCallbacks& cb, ExtractionRunReport& report,
                        const std::vector<basDirUtil::EarlyRead>* early) {
  const std::string targetFolder = basDirUtil::AddOrRemoveSlash(request.ExpansionFolder, 1);
  const std::size_t total = result.Entries.size();
  const std::string totalText = "/" + std::to_string(total);
  std::string count;
  const bool showsCount = cb.progress || cb.status;  // the "i/total" text is made only for someone to see
  std::vector<bool> skipped(total, false);
  std::size_t skippedSoFar = 0;  // entries before i that the result will not keep
  auto skip = [&](std::size_t i, SkipReason why) {
    skipped[i] = true;
    report.Skipped.push_back({result.Entries[i].FullPath, why});
  };
  // Without expansion the files are read ahead on the pool's threads; each worker writes
  // only its own entry's version texts and its own slot of `readFaults`, and the loop
  // below looks at them only once the pool handed that index over. An expanded file is
  // read right after its expansion, in the loop, as the expansion writes files and must
  // not run ahead of a cancel.
  const unsigned threads = readThreadsOf(request);
  if (early && early->size() != total) early = nullptr;
  std::vector<std::optional<SkipReason>> readFaults;
  std::optional<ReadAheadPool> pool;
  if (!early && !request.ExpandCompressed && threads > 1 && total > 1) {
    readFaults.resize(total);
    pool.emplace(total, threads, reader, static_cast<bool>(cb.fileRead), [&](clsFileVersion& own, std::size_t i) {
      FileVersionEntry& e = result.Entries[i];
      if (!hasRecordableName(e)) return false;
      readFaults[i] = readVersions(own, e);
      return !readFaults[i].has_value();
    });
  }
  // A stopped run leaves the files from `i` on as the loop never read them, as if the
  // pool had not read ahead: their version texts are those of the scan (none).
  auto stopAt = [&](std::size_t i, RunOutcome outcome) {
    if (pool || early) {
      pool.reset();
      for (std::size_t k = i; k < total; ++k) {
        result.Entries[k].FixedVersion.clear();
        result.Entries[k].StringVersion.clear();
      }
    }
    return outcome;
  };
  for (std::size_t i = 0; i < total; ++i) {
    FileVersionEntry& entry = result.Entries[i];
    bool readable = true;
    if (!hasRecordableName(entry)) {
      skip(i, SkipReason::NameNotText);
      readable = false;
      // As if it had never been read, like a file the loop passes over.
      entry.FixedVersion.clear();
      entry.StringVersion.clear();
    } else if (request.ExpandCompressed) {
      switch (expandEntry(entry, targetFolder)) {
        case Expansion::Done: break;
        case Expansion::Failed:
          report.ExpansionFailures.push_back(entry.FullPath);
          readable = false;
          break;
        case Expansion::SourceUnreadable:
          skip(i, whyUnopenable(entry.FullPath));
          readable = false;
          break;
      }
    }
    if (showsCount) {
      count = std::to_string(i + 1);
      count += totalText;
    }
    const bool last = i + 1 == total;
    const float fraction = static_cast<float>(i + 1) / static_cast<float>(total);
    if (cb.progress && !cb.progress(fraction, last ? extractionText::kFinished : extractionText::kExtracting, count))
      return stopAt(i, RunOutcome::Abandoned);
    if (askCancelled(cb)) return stopAt(i, RunOutcome::Cancelled);
    if (!result.HasDoubleByteNames && !basDirUtil::IsSingleByteText(entry.FullPath))
      result.HasDoubleByteNames = true;
    if (readable) {
      clsFileVersion* holder = &reader;
      std::optional<SkipReason> why;
      if (early && (*early)[i].done) {
        why = (*early)[i].fault;
      } else if (pool) {
        holder = pool->take(i);
        why = readFaults[i];
      } else {
        why = readVersions(reader, entry);
      }
      if (why)
        skip(i, *why);
      else if (cb.fileRead && holder != nullptr)
        cb.fileRead(i - skippedSoFar, *holder);
      if (pool) pool->release(i);
    }
    if (skipped[i]) ++skippedSoFar;
    showStatus(cb, count);
  }
  // A cancel pressed while the last file was read still counts.
  if (askCancelled(cb)) return stopAt(total, RunOutcome::Cancelled);
  dropSkipped(result, skipped);
  return RunOutcome::Completed;
}

}  // namespace

ExtractionRunReport ExtractVersionInfo(const ExtractionRequest& request, ExtractionResult& result,
                                       clsFileVersion& reader, const ExtractionCallbacks& cb) {
  ExtractionRunReport report;
  if (request.ExpandCompressed && sameFile(request.Folder, request.ExpansionFolder)) {
    report.Outcome = RunOutcome::Refused;
    showStatus(cb, extractionText::kFailed);
    return report;
  }
  showStatus(cb, extractionText::kListing);
  std::vector<FileVersionEntry> entries;
  basDirUtil::ScanHeartbeat heartbeat;
  heartbeat.stillWorking = cb.listing;
  heartbeat.interval = cb.listingInterval;
  const std::int16_t mode = request.Recurse ? basDirUtil::kListFilesDeep : basDirUtil::kListFiles;
  // Each scan worker reads with a reader of its own, which nobody else looks at: it is
  // asked for the two versions only.
  std::optional<basDirUtil::ReadWhileListing> reading;
  std::vector<std::unique_ptr<clsFileVersion>> ownReaders;
  if (readsWhileListing(request, cb)) {
    reading.emplace();
    reading->workers = readThreadsOf(request);
    for (unsigned w = 0; w < reading->workers; ++w) {
      ownReaders.push_back(std::make_unique<clsFileVersion>());
      ownReaders.back()->SetVersionsOnly(true);
    }
    reading->read = [&](unsigned worker, basDirUtil::ListedFile& file) { readListedFile(*ownReaders[worker], file); };
  }
  report.Scan = basDirUtil::ScanFolder(request.Folder, request.Patterns, entries, mode, heartbeat, &report.Skipped,
                                       reading ? &*reading : nullptr);
  showStatus(cb, "");
  if (report.Scan == ScanResult::Stopped) {
    cancelBeforeFiles(result);
    report.Outcome = RunOutcome::Cancelled;
    showStatus(cb, extractionText::kCancelled);
    return report;
  }
  if (report.Scan != ScanResult::Found) {
    showStatus(cb, extractionText::kFailed);
    report.Outcome = RunOutcome::ScanStopped;
    return report;
  }

  if (request.Recurse) nameBelowFolder(entries, request.Folder);
  startResult(result, std::move(entries));
  report.Outcome = processFiles(request, result, reader, cb, report, reading ? &reading->results : nullptr);
  if (report.Outcome == RunOutcome::Abandoned) return report;
  if (report.Outcome == RunOutcome::Cancelled) {
    showStatus(cb, extractionText::kCancelled);
    return report;
  }
  result.ExtractionDone = true;
  UpadateList(result, request.StrictOrder);
  showStatus(cb, extractionText::kFinished);
  stampRun(result, request);
  return report;
}

ExtractionRunReport ExtractVersionInfo(const ExtractionRequest& request, ExtractionResult& result,
                                       const ExtractionCallbacks& callbacks) {
  clsFileVersion reader;
  return ExtractVersionInfo(request, result, reader, callbacks);
}

}  // namespace quorvane
