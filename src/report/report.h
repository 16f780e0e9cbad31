#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/compare_engine.h"
#include "compare/compare_result_file.h"
#include "extraction/ExtractionResult.h"

// Machine-readable forms of what info, extract and compare write, for scripts and build
// pipelines: one JSON document, or a CSV table. The schema is documented in README.md.
namespace quorvane {
class clsFileVersion;
}

namespace quorvane::report {

enum class Format { Json, Csv };

// "json" or "csv".
std::optional<Format> formatFromName(std::string_view name);

struct ReportText {
  std::string Bytes;
  // Names of the files whose texts held bytes that are not UTF-8; those bytes were
  // written as U+FFFD, so the caller must say so.
  std::vector<std::string> Replaced;
};

// What the extraction's record leaves out of a file's version information.
struct FileDetails {
  std::string FullPath;  // absolute; the entry's own path is written when empty
  bool VersionInfo = false;
  std::string FixedProductVersion;
  std::string ProductVersion;
  std::string CompanyName;
  std::string FileDescription;
  std::string LanguageName;
  std::string Key;
};

// Taken from the reader right after GetFileVersion; FullPath is left to the caller.
FileDetails readFileDetails(clsFileVersion& reader);

// `info`: one item per file, added right after the reader read it. With `allLanguages`
// the CSV form lists every value of every string table (one row each) instead of one row
// per file; the JSON form always holds the tables.
class InfoReport {
 public:
  InfoReport(Format format, bool allLanguages);
  ~InfoReport();
  InfoReport(const InfoReport&) = delete;
  InfoReport& operator=(const InfoReport&) = delete;
  // `fault` says why a file without version information has none.
  void add(const std::string& path, const std::string& fullPath, clsFileVersion& reader, const std::string& fault);
  ReportText finish();

 private:
  struct State;
  Format m_format;
  bool m_allLanguages;
  std::unique_ptr<State> m_state;
};

// `extract`: the run's header and its files in display order. `details` is indexed like
// the result's entries; entries without details get empty ones.
ReportText extractReport(Format format, const ExtractionResult& result, const std::vector<FileDetails>& details,
                         const std::string& computerName);

// The details of a second-side file by its name; null when not known. Only a fresh
// extraction has them: records carry none.
using DetailsByName = std::function<const FileDetails*(const std::string& name)>;

// `compare`: the header, the options and the four categories, each update with its class;
// after a view-mode run, the first record's files. Added and updated files carry the
// details that `secondDetails` knows.
ReportText compareReport(Format format, const ComparisonResult& result, const ResultFileHeader& header,
                         const CompareOptions& options, const DetailsByName& secondDetails = {});

}  // namespace quorvane::report
