#include "compare/record_reader.h"

#include <algorithm>

#include "common/file_reader.h"

namespace quorvane {

using recordFormat::RowSplit;

RecordRowReader::Status RecordRowReader::next(FileVersionEntry& entry) {
  for (;;) {
    std::string_view raw;
    switch (m_lines.next(raw)) {
      case TextLineReader::Status::End: return Status::End;
      case TextLineReader::Status::TooLong: return Status::TooLong;
      case TextLineReader::Status::ReadFailed: return Status::ReadFailed;
      case TextLineReader::Status::Line: break;
    }
    // The kind depends on ASCII bytes only, which neither encoding uses inside a
    // multi-byte character, so the raw bytes can be classified before decoding.
    const int kind = recordFormat::CheckComment(raw);
    if (kind == recordFormat::kIgnoreLine) continue;
    auto text = decodeText(raw, m_lines.encoding());
    if (kind == recordFormat::kColumnHeader) {
      m_layout = text ? recordFormat::CheckColumnHeader(*text)
                      : recordFormat::RecordLayout::Unrecognised;
      if (m_layout != recordFormat::RecordLayout::Unrecognised) m_sawColumnHeader = true;
      continue;
    }
    entry = FileVersionEntry{};
    m_splitError = text ? recordFormat::ParseRecordLine(*text, m_layout, entry) : RowSplit::BadText;
    return m_splitError == RowSplit::Ok ? Status::Row : Status::RowFailed;
  }
}

// An upper bound of the number of rows, so that the table is allocated once, at its
// final size, instead of growing by doubling: with rows of a dozen bytes the spare half
// of a doubled table, and the copy made while it grows, would cost more than the rows
// themselves. A row holds at least three TABs, so only such lines are counted; and the
// shortest row that splits ("\t\t0\t " and its line end) takes six bytes, which bounds
// what a hostile file of bare TABs can make the reader reserve.
std::size_t estimateRecordRows(FileReader& file) {
  constexpr std::size_t kBlock = std::size_t{1} << 20;
  constexpr std::size_t kShortestRow = 6;
  std::vector<std::uint8_t> block;
  std::size_t rows = 0, tabsInLine = 0;
  for (std::uint64_t offset = 0; offset < file.size(); offset += kBlock) {
    const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, file.size() - offset));
    if (!file.readAt(offset, length, block)) return 0;
    for (std::uint8_t b : block) {
      if (b == '\t') {
        rows += ++tabsInLine == 3;
      } else if (b == '\r' || b == '\n') {
        tabsInLine = 0;
      }
    }
  }
  return std::min<std::size_t>(rows, static_cast<std::size_t>(file.size() / kShortestRow) + 1);
}

RecordReadResult ReadRecord(TextLineReader& lines, std::size_t expectedRows) {
  RecordReadResult result;
  // One more than the rows: each row is split into a place appended before it is read.
  result.Entries.reserve(expectedRows + 1);
  RecordRowReader rows(lines);
  for (;;) {
    // Rows are split straight into their place in the table.
    const auto status = rows.next(result.Entries.emplace_back());
    if (status == RecordRowReader::Status::Row) continue;
    result.Entries.pop_back();
    switch (status) {
      case RecordRowReader::Status::Row:
      case RecordRowReader::Status::End:
        if (result.Entries.empty() && !rows.sawColumnHeader()) result.Error = RecordReadError::NotARecord;
        return result;
      case RecordRowReader::Status::RowFailed:
        result.Error = RecordReadError::RowFailedToSplit;
        result.SplitError = rows.splitError();
        break;
      case RecordRowReader::Status::TooLong:
        result.Error = RecordReadError::LineTooLong;
        break;
      case RecordRowReader::Status::ReadFailed:
        result.Error = RecordReadError::ReadFailed;
        break;
    }
    result.Line = rows.lineNumber() + (result.Error == RecordReadError::RowFailedToSplit ? 0 : 1);
    return result;
  }
}

RecordReadResult ReadRecordFile(const std::string& path) {
  FileReader file;
  if (path.empty() || !file.open(path)) {
    RecordReadResult result;
    result.Error = RecordReadError::CannotOpen;
    return result;
  }
  const std::size_t expected = estimateRecordRows(file);
  TextLineReader lines(file);
  return ReadRecord(lines, expected);
}

}  // namespace quorvane
