#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "extraction/ExtractionResult.h"
#include "extraction/dir_scan.h"

namespace quorvane {

class clsFileVersion;

// What the user chose on the extraction page.
struct ExtractionRequest {
  std::string Folder;                 // the folder as typed
  std::string KindText;               // the kind text shown
  std::vector<std::string> Patterns;  // from PatternsOfKind; empty when no kind is chosen
  bool ExpandCompressed = false;
  std::string ExpansionFolder;        // where compressed files are expanded
  bool StrictOrder = false;           // order names strictly (see UpadateList)
  // List the files of every subfolder too. Each is then named by its path below Folder
  // (see UpadateList), and a compressed one expands into the same subfolder below
  // ExpansionFolder.
  bool Recurse = false;
  // Threads that read the files; 0 means defaultReadThreads(). The result, its order and
  // every callback are the same whatever the number. A run that expands compressed files
  // reads them one by one, right after each is expanded.
  unsigned ReadThreads = 0;
};

// How the run talks to a front end. Every callback may be left empty.
struct ExtractionCallbacks {
  // Before each file: fraction done (file i of N gives i / N), the caption and "i/N".
  // Returning false means the progress display could not be shown: the run is abandoned.
  std::function<bool(float fraction, const std::string& caption, const std::string& count)> progress;
  // Asked after each progress update and once after the last file: true stops the run.
  std::function<bool()> cancelled;
  // Status-bar text; the empty text clears it.
  std::function<void(const std::string&)> status;
  // While the folder is listed, once `listingInterval` has passed since the listing began
  // or since the previous call: a turn for the front end (repaint, notice a cancel).
  // Returning false stops the listing; the run then ends as a cancelled run.
  std::function<bool()> listing;
  std::chrono::milliseconds listingInterval = basDirUtil::kHeartbeatInterval;
  // Right after the version information of a file was read (not for a file whose
  // expansion failed, nor for one left out): `index` is the file's entry in the completed
  // result, and the reader still holds everything of that file, for callers that want
  // more than the two version texts.
  std::function<void(std::size_t index, clsFileVersion& reader)> fileRead;
};

enum class RunOutcome {
  ScanStopped,  // the scan found nothing to do; the previous result is untouched
  Refused,      // the expansion folder is the listed folder; nothing was listed or written
  Completed,    // every file was read; the result is complete and ordered
  Cancelled,    // the user stopped it (while listing or between files); the result is not done
  Abandoned,    // the progress display could not be shown; stopped at once
};

struct ExtractionRunReport {
  basDirUtil::ScanResult Scan = basDirUtil::ScanResult::NoPatterns;
  RunOutcome Outcome = RunOutcome::ScanStopped;
  // Compressed files that could not be expanded; their entries describe the compressed
  // file itself (its name still ends in "_"), without version information.
  std::vector<std::string> ExpansionFailures;
  // Listed files left out of the result: unreadable, not regular files, or with a name
  // or date a record cannot hold. In listing order.
  std::vector<SkippedFile> Skipped;

  // True when the run went through every file but some were skipped or not expanded.
  bool incomplete() const { return !ExpansionFailures.empty() || !Skipped.empty(); }
};

// The extraction run: lists the folder, expands compressed files when asked, reads each
// file's version information into `result` and orders it for display.
//
// - A scan that finds nothing to do (see Report.Scan) leaves `result` whole, and so does a
//   request to expand into the folder being listed (Refused): expanding A.DL_ there
//   would overwrite A.DLL.
// - A file that cannot be opened or read, or whose name or date a record cannot hold, is
//   left out of the entries and listed in Report.Skipped; the run goes on with the rest.
// - Otherwise the entries are replaced. A completed run sets ExtractionDone, DisplayNames,
//   Order and the run date, time, folder and kind.
// - A cancelled or abandoned run leaves ExtractionDone false, DisplayNames and Order empty,
//   and keeps the run date, time, folder and kind of the last completed run. A run
//   cancelled while the folder is listed (Report.Scan is Stopped) applies nothing of the
//   unfinished listing: the entries stay those of the previous run.
// - HasDoubleByteNames is only ever set, never cleared.
//
// `reader` is meant to be kept by the caller and reused for every run, so that its
// buffers are allocated once.
ExtractionRunReport ExtractVersionInfo(const ExtractionRequest& request, ExtractionResult& result,
                                       clsFileVersion& reader, const ExtractionCallbacks& callbacks);

// The same with a reader of its own, for callers that run once.
ExtractionRunReport ExtractVersionInfo(const ExtractionRequest& request, ExtractionResult& result,
                                       const ExtractionCallbacks& callbacks);

}  // namespace quorvane
