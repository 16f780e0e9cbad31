#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/file_reader.h"
#include "compare/name_index.h"
#include "compare/record_format.h"
#include "compare/update_class.h"
#include "dialogs/text_lines.h"
#include "extraction/ExtractionResult.h"
#include "extraction/FileVersionEntry.h"

namespace quorvane {

enum class CompareCategory { Added = 0, Updated = 1, Deleted = 2, Unchanged = 3 };

struct CompareOptions {
  bool IgnoreFileDate = false;
  bool IgnoreStringVersion = true;  // the page starts with this option ticked
};

// An updated file: the second side's entry, the position of its first-record match and
// which way the update went.
struct UpdatedRow {
  FileVersionEntry Entry;
  std::int32_t FirstIndex = -1;
  UpdateClass Class = UpdateClass::SameVersion;
};

// The outcome of one run. Every entry's FullPath is the file name used as the key.
struct ComparisonResult {
  bool ViewMode = false;  // only the first record was loaded
  LookupMode Mode = LookupMode::Index;
  std::vector<FileVersionEntry> FirstRecord;  // file order
  std::vector<FileVersionEntry> Added;        // second-side order
  std::vector<UpdatedRow> Updated;            // second-side order
  std::vector<std::int32_t> Deleted;          // positions in FirstRecord, file order
  std::vector<std::int32_t> Unchanged;        // positions in FirstRecord, file order
  std::int64_t SecondCount = 0;       // second-record rows that split, or extraction entries
  std::int64_t SecondRowsLeftOut = 0; // second-record rows that did not split

  std::int64_t firstCount() const { return static_cast<std::int64_t>(FirstRecord.size()); }
  std::size_t count(CompareCategory category) const;
  // The values a row shows: the second side's for added and updated files, the first
  // record's for deleted and unchanged ones.
  const FileVersionEntry& entry(CompareCategory category, std::size_t row) const;
  // The first record's entry of an updated row; null for the other categories.
  const FileVersionEntry* oldEntry(CompareCategory category, std::size_t row) const;
  // How many updated rows fall in each class.
  std::array<std::size_t, kUpdateClassCount> classCounts() const;
};

// True when size, or (unless `ignoreFileDate`) the 8-character date or time differ.
bool IsEntryChanged(const FileVersionEntry& second, const FileVersionEntry& first, bool ignoreFileDate);

// Sorts second-side entries against a first record, one at a time.
class ComparisonBuilder {
 public:
  ComparisonBuilder(std::vector<FileVersionEntry> firstRecord, CompareOptions options);
  // `entry.FullPath` is the name to match. `occurrence` counts, from 0, the second-side
  // entries of the same name before this one in the order the other side's record would
  // list them; -1 counts them in the order of the calls (see NameIndex::pairOccurrence).
  void add(FileVersionEntry entry, std::int64_t occurrence = -1);
  void leaveOut() { ++m_result.SecondRowsLeftOut; }
  ComparisonResult finish();

 private:
  enum class Match : std::uint8_t { None, Unchanged, Updated };
  ComparisonResult m_result;
  CompareOptions m_options;
  NameIndex m_index;
  std::vector<Match> m_state;
};

// The second side of a run.
struct SecondSide {
  enum class Kind { None, Record, Extraction };
  Kind kind = Kind::None;
  std::string RecordPath;
  const ExtractionResult* Extraction = nullptr;

  static SecondSide none() { return {}; }
  static SecondSide record(std::string path) { return {Kind::Record, std::move(path), nullptr}; }
  static SecondSide extraction(const ExtractionResult& r) { return {Kind::Extraction, {}, &r}; }
};

enum class CompareError {
  None,
  FirstCannotOpen,        // focus to the first file name
  SecondCannotOpen,       // focus to the second file name
  FirstRowFailedToSplit,  // ErrorLine names the row
  FirstReadFailed,        // read error or a line too long in the first record
  SecondReadFailed,       // the same in the second record
  FirstNotARecord,        // the first file is not a version record (RecordReadError::NotARecord)
  SecondNotARecord,       // the second file has no record column header and no row that splits
};

struct CompareRun {
  CompareError Error = CompareError::None;
  std::int64_t ErrorLine = 0;
  recordFormat::RowSplit SplitError = recordFormat::RowSplit::Ok;
  FileOpenError OpenError = FileOpenError::None;  // why FirstCannotOpen or SecondCannotOpen
  ComparisonResult Result;
  bool ok() const { return Error == CompareError::None; }
};

const char* compareErrorMessage(CompareError error);

// The comparison run: reads the first record, then sorts the second side's entries.
// An empty first path cannot be opened; an empty second record path is view mode. Second-record rows that do not split are left
// out and counted in SecondRowsLeftOut.
CompareRun CompareVersionRecords(const std::string& firstPath, const SecondSide& second,
                                 const CompareOptions& options);

// The same over record texts already open as line sources; `second` null is view mode.
CompareRun CompareRecordLines(TextLineReader& first, TextLineReader* second,
                              const CompareOptions& options);

}  // namespace quorvane
