// The extraction run as the extract and compare commands use it.
#include <iostream>
#include <ostream>

#include "cli/command.h"
#include "cli/record_cli.h"
#include "common/terminal.h"
#include "extraction/basDecompress.h"
#include "extraction/extraction_kinds.h"
#include "extraction/extraction_run.h"
#include "extraction/extraction_texts.h"
#include "extraction/run_report_text.h"

namespace quorvane::cli {

namespace {

// Progress lines only make sense to a person watching a terminal.
bool showsProgress(const std::ostream& err) { return &err == &std::cerr && terminal::isTerminal(terminal::Stream::Error); }

}  // namespace

int extractForCli(const ExtractOptions& options, ExtractionResult& result, std::ostream& err, bool& incomplete,
                  const std::function<void(std::size_t, clsFileVersion&)>& fileRead) {
  const KindPatterns kind = PatternsOfKind(options.kind);
  ExtractionRequest request;
  request.Folder = options.folder;
  request.KindText = options.kind;
  request.Patterns = kind.Patterns;
  request.ExpandCompressed = kind.ExpandCompressed;
  if (kind.ExpandCompressed) {
    request.ExpansionFolder = expansionFolderFor(options);
    if (request.ExpansionFolder.empty()) {
      err << extractionText::kNoPrivateFolder << ": " << basDecompress::TempFolder() << "\n";
      return kExitFileError;
    }
  }
  request.StrictOrder = options.strictSort;
  request.Recurse = options.recurse;

  ExtractionCallbacks callbacks;
  callbacks.fileRead = fileRead;
  if (showsProgress(err)) {
    callbacks.progress = [&err](float, const std::string&, const std::string& count) {
      err << "\r" << count << "   " << std::flush;
      return true;
    };
  }
  const ExtractionRunReport report = ExtractVersionInfo(request, result, callbacks);
  if (report.Outcome == RunOutcome::Refused) {
    err << extractionText::kExpansionIntoListedFolder << ": " << request.ExpansionFolder << "\n";
    return kExitUsage;
  }
  if (showsProgress(err) && report.Outcome != RunOutcome::ScanStopped) err << "\n";
  for (const std::string& line : incompleteLines(report)) err << line << "\n";
  incomplete = report.incomplete();
  if (report.Outcome == RunOutcome::Completed) return kExitOk;
  if (const char* message = extractionText::scanMessage(report.Scan)) err << message << ": " << options.folder << "\n";
  err << extractionText::kFailed << "\n";
  return report.Scan == basDirUtil::ScanResult::FolderDenied ? kExitFileError : kExitFailure;
}

}  // namespace quorvane::cli
