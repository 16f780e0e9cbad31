#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "compare/compare_engine.h"
#include "report/report.h"

// The machine-readable outputs of info, extract and compare, and compare --fail-on.
namespace quorvane::cli {

// The value of --format: nothing for "text" (the command's own format), else json or csv.
// False for any other name.
bool parseFormat(const std::string& name, std::optional<report::Format>& format);
inline constexpr const char* kBadFormat = "--format には text, json, csv のいずれかを指定してください";

// The classes of a --fail-on list such as "down,same-version"; nothing when a name is
// not a class (`problem` then names it).
std::optional<std::vector<UpdateClass>> parseFailOn(const std::string& list, std::string& problem);

// The status a completed comparison ends with: kExitFailOn when an updated file of one of
// `classes` is in the result, each such file then named on `err` with its class; else
// kExitIncomplete when the extraction left files out, else kExitOk.
int failOnStatus(const ComparisonResult& result, const std::vector<UpdateClass>& classes, bool incomplete,
                 std::ostream& err);

// A hook for the extraction run that keeps each file's details in `details`, indexed like
// the entries.
std::function<void(std::size_t, clsFileVersion&)> keepDetailsIn(std::vector<report::FileDetails>& details);

// The details of the extraction's files by display name, full paths made absolute.
// `details` is indexed like the entries and is completed for the entries it lacks.
report::DetailsByName extractionDetails(const ExtractionResult& extraction, std::vector<report::FileDetails>& details);

// Writes the report to standard output, or to `output` (the file is replaced only when
// everything was written), and warns on `err` about every file whose texts were not
// UTF-8. Returns kExitOk or kExitFileError.
int emitReport(const report::ReportText& text, const std::string& output, std::ostream& out, std::ostream& err);

}  // namespace quorvane::cli
