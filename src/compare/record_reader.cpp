#include "compare/record_reader.h"

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
      continue;
    }
    entry = FileVersionEntry{};
    m_splitError = text ? recordFormat::ParseRecordLine(*text, m_layout, entry) : RowSplit::BadText;
    return m_splitError == RowSplit::Ok ? Status::Row : Status::RowFailed;
  }
}

RecordReadResult ReadRecord(TextLineReader& lines) {
  RecordReadResult result;
  RecordRowReader rows(lines);
  FileVersionEntry entry;
  for (;;) {
    switch (rows.next(entry)) {
      case RecordRowReader::Status::Row:
        result.Entries.push_back(std::move(entry));
        continue;
      case RecordRowReader::Status::End:
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
  TextLineReader lines(file);
  return ReadRecord(lines);
}

}  // namespace quorvane
