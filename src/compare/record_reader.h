#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_reader.h"
#include "compare/record_format.h"
#include "dialogs/text_lines.h"
#include "extraction/FileVersionEntry.h"

namespace quorvane {

// Reads the data rows of one version record file in file order, applying its column
// header lines. Every file starts in the unrecognised layout, so what was read before
// never changes how a file is read.
class RecordRowReader {
 public:
  enum class Status { Row, RowFailed, End, TooLong, ReadFailed };

  explicit RecordRowReader(TextLineReader& lines) : m_lines(lines) {}

  // Row: `entry` holds the next row. RowFailed: the row at lineNumber() did not split
  // (splitError() says why; `entry` holds what was split). The reader may go on after
  // a failed row; TooLong and ReadFailed end the file.
  Status next(FileVersionEntry& entry);

  std::int64_t lineNumber() const { return m_lines.lineNumber(); }
  recordFormat::RowSplit splitError() const { return m_splitError; }
  recordFormat::RecordLayout layout() const { return m_layout; }
  // True once one of the two column header lines a record carries has been read.
  bool sawColumnHeader() const { return m_sawColumnHeader; }
  FileTextEncoding encoding() const { return m_lines.encoding(); }

 private:
  TextLineReader& m_lines;
  recordFormat::RecordLayout m_layout = recordFormat::RecordLayout::Unrecognised;
  recordFormat::RowSplit m_splitError = recordFormat::RowSplit::Ok;
  bool m_sawColumnHeader = false;
};

// Why reading a whole record stopped. NotARecord: the file ended without a record column
// header line and without a single row that splits (an empty file, a byte-order mark
// alone, a comparison result file, text of any other kind); it is refused rather than
// read as an empty record, which would show every file of the other side as added.
enum class RecordReadError { None, CannotOpen, RowFailedToSplit, LineTooLong, ReadFailed, NotARecord };

struct RecordReadResult {
  RecordReadError Error = RecordReadError::None;
  std::int64_t Line = 0;  // the line of a row that failed, or of the read error
  recordFormat::RowSplit SplitError = recordFormat::RowSplit::Ok;
  std::vector<FileVersionEntry> Entries;  // in file order
  bool ok() const { return Error == RecordReadError::None; }
};

// Reads every row; stops at the first row that fails to split. `expectedRows` is only
// a hint for the table's allocation. A file that is not a record gives NotARecord.
RecordReadResult ReadRecord(TextLineReader& lines, std::size_t expectedRows = 0);
RecordReadResult ReadRecordFile(const std::string& path);

// An upper bound of a record file's number of rows, for ReadRecord's hint.
std::size_t estimateRecordRows(FileReader& file);

}  // namespace quorvane
