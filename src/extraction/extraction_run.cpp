#include "extraction/extraction_run.h"

#include <chrono>
#include <ctime>

#include "common/basDirUtil.h"
#include "common/local_stamp.h"
#include "common/utf8.h"
#include "extraction/basDecompress.h"
#include "extraction/extraction_order.h"
#include "extraction/extraction_texts.h"
#include "version/clsFileVersion.h"

namespace quorvane {

namespace {

using basDirUtil::ScanResult;

void showStatus(const ExtractionCallbacks& cb, const std::string& text) {
  if (cb.status) cb.status(text);
}

bool askCancelled(const ExtractionCallbacks& cb) { return cb.cancelled && cb.cancelled(); }

void stampRun(ExtractionResult& result, const ExtractionRequest& request) {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  const LocalStamp stamp = localStamp(now).value_or(LocalStamp{"00/00/00", "00:00:00"});
  result.RunDate = stamp.date;
  result.RunTime = stamp.time;
  result.RunFolder = request.Folder;
  result.RunKind = request.KindText;
}

// Expands a compressed entry and lets the entry describe the expanded copy. When the
// expansion fails, the target path holds nothing (the expansion removes an older copy so
// that it cannot pass for this one); the entry then keeps describing the compressed file,
// whose size and date are real, and false is returned.
bool expandEntry(FileVersionEntry& entry, const std::string& targetFolder) {
  const std::string name = basDecompress::ExpandedFileName(basDirUtil::FileNamePart(entry.FullPath));
  if (!basDecompress::ExpandFile(entry.FullPath, targetFolder, name)) return false;
  const std::string path = targetFolder + name;
  const auto stamp = basDirUtil::ReadFileStamp(path);
  if (!stamp || stamp->isFolder) return false;
  entry.FullPath = path;
  entry.NamePos = static_cast<std::int32_t>(utf8::length(targetFolder) + 1);
  entry.Ext = basDirUtil::ExtField(name);
  entry.Size = stamp->size;
  entry.Date = stamp->date;
  entry.Time = stamp->time;
  entry.Attributes = stamp->attributes;
  return true;
}

// The two version texts of the file an entry describes; both empty without version
// information.
void readVersions(clsFileVersion& reader, FileVersionEntry& entry) {
  entry.FixedVersion.clear();
  entry.StringVersion.clear();
  if (!reader.GetFileVersion(entry.FullPath)) return;
  entry.FixedVersion = reader.FixedFileInfo().FileVersion();
  entry.StringVersion = reader.StringFileInfo().FileVersion();
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
RunOutcome processFiles(const ExtractionRequest& request, ExtractionResult& result, clsFileVersion& reader,
                        const ExtractionCallbacks& cb, ExtractionRunReport& report) {
  const std::string targetFolder = basDirUtil::AddOrRemoveSlash(request.ExpansionFolder, 1);
  const std::size_t total = result.Entries.size();
  const std::string totalText = "/" + std::to_string(total);
  std::string count;
  for (std::size_t i = 0; i < total; ++i) {
    FileVersionEntry& entry = result.Entries[i];
    bool readable = true;
    if (request.ExpandCompressed && !expandEntry(entry, targetFolder)) {
      report.ExpansionFailures.push_back(entry.FullPath);
      readable = false;
    }
    count = std::to_string(i + 1);
    count += totalText;
    const bool last = i + 1 == total;
    const float fraction = static_cast<float>(i + 1) / static_cast<float>(total);
    if (cb.progress && !cb.progress(fraction, last ? extractionText::kFinished : extractionText::kExtracting, count))
      return RunOutcome::Abandoned;
    if (askCancelled(cb)) return RunOutcome::Cancelled;
    if (!result.HasDoubleByteNames && !basDirUtil::IsSingleByteText(entry.FullPath))
      result.HasDoubleByteNames = true;
    if (readable) readVersions(reader, entry);
    showStatus(cb, count);
  }
  // A cancel pressed while the last file was read still counts.
  return askCancelled(cb) ? RunOutcome::Cancelled : RunOutcome::Completed;
}

}  // namespace

ExtractionRunReport ExtractVersionInfo(const ExtractionRequest& request, ExtractionResult& result,
                                       clsFileVersion& reader, const ExtractionCallbacks& cb) {
  ExtractionRunReport report;
  showStatus(cb, extractionText::kListing);
  std::vector<FileVersionEntry> entries;
  basDirUtil::ScanHeartbeat heartbeat;
  heartbeat.stillWorking = cb.listing;
  heartbeat.interval = cb.listingInterval;
  report.Scan = basDirUtil::ScanFolder(request.Folder, request.Patterns, entries, basDirUtil::kListFiles, heartbeat);
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

  startResult(result, std::move(entries));
  report.Outcome = processFiles(request, result, reader, cb, report);
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
