#include "compare/compare_engine.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "common/basDirUtil.h"
#include "common/file_reader.h"
#include "common/utf8.h"
#include "compare/record_reader.h"
#include "extraction/extraction_order.h"

namespace quorvane {

using recordFormat::fixed8;

std::size_t ComparisonResult::count(CompareCategory category) const {
  switch (category) {
    case CompareCategory::Added: return Added.size();
    case CompareCategory::Updated: return Updated.size();
    case CompareCategory::Deleted: return Deleted.size();
    case CompareCategory::Unchanged: return Unchanged.size();
  }
  return 0;
}

const FileVersionEntry& ComparisonResult::entry(CompareCategory category, std::size_t row) const {
  switch (category) {
    case CompareCategory::Added: return Added.at(row);
    case CompareCategory::Updated: return Updated.at(row).Entry;
    case CompareCategory::Deleted: return FirstRecord.at(static_cast<std::size_t>(Deleted.at(row)));
    case CompareCategory::Unchanged: break;
  }
  return FirstRecord.at(static_cast<std::size_t>(Unchanged.at(row)));
}

const FileVersionEntry* ComparisonResult::oldEntry(CompareCategory category, std::size_t row) const {
  if (category != CompareCategory::Updated) return nullptr;
  return &FirstRecord.at(static_cast<std::size_t>(Updated.at(row).FirstIndex));
}

std::array<std::size_t, kUpdateClassCount> ComparisonResult::classCounts() const {
  std::array<std::size_t, kUpdateClassCount> counts{};
  for (const UpdatedRow& row : Updated) ++counts[static_cast<std::size_t>(row.Class)];
  return counts;
}

bool IsEntryChanged(const FileVersionEntry& second, const FileVersionEntry& first, bool ignoreFileDate) {
  if (second.Size != first.Size) return true;
  if (ignoreFileDate) return false;
  return fixed8(second.Date) != fixed8(first.Date) || fixed8(second.Time) != fixed8(first.Time);
}

ComparisonBuilder::ComparisonBuilder(std::vector<FileVersionEntry> firstRecord, CompareOptions options)
    : m_options(options), m_index((m_result.FirstRecord = std::move(firstRecord), m_result.FirstRecord)) {
  m_result.Mode = m_index.mode();
  m_state.assign(m_result.FirstRecord.size(), Match::None);
}

void ComparisonBuilder::add(FileVersionEntry entry, std::int64_t occurrence) {
  ++m_result.SecondCount;
  const std::int32_t j = occurrence < 0 ? m_index.pairNext(entry.FullPath)
                                        : m_index.pairOccurrence(entry.FullPath, static_cast<std::size_t>(occurrence));
  if (j < 0) {
    m_result.Added.push_back(std::move(entry));
    return;
  }
  const FileVersionEntry& first = m_result.FirstRecord[static_cast<std::size_t>(j)];
  const bool changed = IsEntryChanged(entry, first, m_options.IgnoreFileDate) ||
                       entry.FixedVersion != first.FixedVersion ||
                       (!m_options.IgnoreStringVersion && entry.StringVersion != first.StringVersion);
  Match& state = m_state[static_cast<std::size_t>(j)];
  if (changed) {
    // Once updated, a file stays updated: a second, unchanged match of a name listed
    // twice on the second side must not also list it as unchanged.
    state = Match::Updated;
    const UpdateClass updateClass = ClassifyUpdate(entry, first, m_options.IgnoreFileDate);
    m_result.Updated.push_back({std::move(entry), j, updateClass});
  } else if (state != Match::Updated) {
    state = Match::Unchanged;
  }
}

ComparisonResult ComparisonBuilder::finish() {
  for (std::size_t i = 0; i < m_state.size(); ++i) {
    if (m_state[i] == Match::None) m_result.Deleted.push_back(static_cast<std::int32_t>(i));
    if (m_state[i] == Match::Unchanged) m_result.Unchanged.push_back(static_cast<std::int32_t>(i));
  }
  return std::move(m_result);
}

const char* compareErrorMessage(CompareError error) {
  switch (error) {
    case CompareError::None: return "ファイル比較完了";
    case CompareError::FirstCannotOpen:
    case CompareError::SecondCannotOpen: return "ファイル名が間違っています";
    case CompareError::FirstRowFailedToSplit:
    case CompareError::FirstReadFailed:
    case CompareError::SecondReadFailed: return "ファイル読込でエラーが発生しました";
    case CompareError::FirstNotARecord:
    case CompareError::SecondNotARecord: return "バージョン記録ファイルではありません";
  }
  return "原因不明のエラーです";
}

namespace {

CompareError firstReadError(const RecordReadResult& read) {
  switch (read.Error) {
    case RecordReadError::RowFailedToSplit: return CompareError::FirstRowFailedToSplit;
    case RecordReadError::NotARecord: return CompareError::FirstNotARecord;
    default: return CompareError::FirstReadFailed;
  }
}

// Feeds the rows of a second record; rows that do not split are left out. A file with
// neither a record column header nor one row that splits is no record at all.
bool addRecordRows(ComparisonBuilder& builder, TextLineReader& lines, CompareRun& run) {
  RecordRowReader rows(lines);
  FileVersionEntry entry;
  bool anyRow = false;
  for (;;) {
    switch (rows.next(entry)) {
      case RecordRowReader::Status::Row:
        anyRow = true;
        builder.add(std::move(entry));
        break;
      case RecordRowReader::Status::RowFailed: builder.leaveOut(); break;
      case RecordRowReader::Status::End:
        if (anyRow || rows.sawColumnHeader()) return true;
        run.Error = CompareError::SecondNotARecord;
        return false;
      case RecordRowReader::Status::TooLong:
      case RecordRowReader::Status::ReadFailed:
        run.Error = CompareError::SecondReadFailed;
        run.ErrorLine = rows.lineNumber() + 1;
        return false;
    }
  }
}

// For each entry, how many entries of the same display name come before it in the
// display order, the order in which a record of this extraction lists its rows. Empty
// when the display order does not cover the entries.
std::vector<std::int64_t> occurrencesInDisplayOrder(const ExtractionResult& result, std::size_t count) {
  if (result.Order.size() != count || result.DisplayNames.size() < count) return {};
  std::vector<std::int64_t> occurrence(count, -1);
  std::unordered_map<std::string_view, std::int64_t> seen;
  for (const std::int32_t i : result.Order) {
    if (i < 0 || static_cast<std::size_t>(i) >= count) return {};
    occurrence[static_cast<std::size_t>(i)] = seen[result.DisplayNames[static_cast<std::size_t>(i)]]++;
  }
  return occurrence;
}

// Extraction entries in storage order, each under its display name. Entries of one name
// pair with the first record's rows of that name in display order.
void addExtraction(ComparisonBuilder& builder, const ExtractionResult& result) {
  const std::size_t count = result.LastIndex < 0 ? 0
      : std::min(result.Entries.size(), static_cast<std::size_t>(result.LastIndex) + 1);
  const std::vector<std::int64_t> occurrence = occurrencesInDisplayOrder(result, count);
  for (std::size_t i = 0; i < count; ++i) {
    FileVersionEntry e = result.Entries[i];
    if (i < result.DisplayNames.size()) {
      e.FullPath = result.DisplayNames[i];
    } else {
      e.FullPath = EntryName(e, true);
    }
    e.NamePos = 1;
    e.Date = fixed8(e.Date);
    e.Time = fixed8(e.Time);
    builder.add(std::move(e), occurrence.empty() ? -1 : occurrence[i]);
  }
}

CompareRun compareOpened(TextLineReader& first, TextLineReader* secondLines,
                         const ExtractionResult* extraction, const CompareOptions& options,
                         std::size_t expectedRows = 0) {
  CompareRun run;
  RecordReadResult read = ReadRecord(first, expectedRows);
  if (!read.ok()) {
    run.Error = firstReadError(read);
    run.ErrorLine = read.Line;
    run.SplitError = read.SplitError;
    return run;
  }
  if (!secondLines && !extraction) {
    run.Result.ViewMode = true;
    run.Result.Mode = NameIndex::modeFor(read.Entries);
    run.Result.FirstRecord = std::move(read.Entries);
    return run;
  }
  ComparisonBuilder builder(std::move(read.Entries), options);
  if (extraction) {
    addExtraction(builder, *extraction);
  } else if (!addRecordRows(builder, *secondLines, run)) {
    return run;
  }
  run.Result = builder.finish();
  return run;
}

}  // namespace

CompareRun CompareRecordLines(TextLineReader& first, TextLineReader* second,
                              const CompareOptions& options) {
  return compareOpened(first, second, nullptr, options);
}

CompareRun CompareVersionRecords(const std::string& firstPath, const SecondSide& second,
                                 const CompareOptions& options) {
  CompareRun run;
  FileReader firstFile;
  if (firstPath.empty() || !firstFile.open(firstPath)) {
    run.Error = CompareError::FirstCannotOpen;
    run.OpenError = firstPath.empty() ? FileOpenError::Missing : firstFile.openError();
    return run;
  }
  FileReader secondFile;
  // An empty second file name means viewing the first record alone.
  const bool withRecord = second.kind == SecondSide::Kind::Record && !second.RecordPath.empty();
  if (withRecord && !secondFile.open(second.RecordPath)) {
    run.Error = CompareError::SecondCannotOpen;
    run.OpenError = secondFile.openError();
    return run;
  }
  const std::size_t expectedRows = estimateRecordRows(firstFile);
  TextLineReader firstLines(firstFile);
  if (second.kind == SecondSide::Kind::Extraction) {
    static const ExtractionResult kEmpty;
    return compareOpened(firstLines, nullptr, second.Extraction ? second.Extraction : &kEmpty, options,
                         expectedRows);
  }
  if (withRecord) {
    TextLineReader secondLines(secondFile);
    return compareOpened(firstLines, &secondLines, nullptr, options, expectedRows);
  }
  return compareOpened(firstLines, nullptr, nullptr, options, expectedRows);
}

}  // namespace quorvane
