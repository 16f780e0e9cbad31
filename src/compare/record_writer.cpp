#include "compare/record_writer.h"

#include <algorithm>
#include <vector>

#include "common/basDirUtil.h"
#include "common/utf8.h"
#include "compare/computer_name.h"
#include "compare/record_format.h"
#include "dialogs/file_error.h"
#include "dialogs/replacing_file.h"
#include "extraction/extraction_order.h"
#include "extraction/skipped_file.h"

namespace quorvane {

namespace {

// Rows are gathered into blocks of this size before they are handed on: large enough that a
// file gets few writes, small enough that the block stays in the cache and is reused
// rather than grown through fresh memory.
constexpr std::size_t kFlushBytes = std::size_t{64} << 10;

// A comment line ends at a line break, so one inside a value would start a line of its own.
std::string oneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

// A version text is read back up to the next TAB, so TABs and line breaks in it (which
// a hostile version resource may hold) become spaces rather than shifting the columns.
// Appended in place: a record has a row per file and five fields per row.
void appendField(std::string& out, std::string_view text) {
  const std::size_t from = out.size();
  out += text;
  for (std::size_t k = from; k < out.size(); ++k)
    if (out[k] == '\t' || out[k] == '\r' || out[k] == '\n') out[k] = ' ';
}

bool hasLineOrTab(std::string_view text) { return text.find_first_of("\t\r\n") != std::string_view::npos; }

// The name row i carries; `spare` holds it when the result has no display names.
const std::string& displayName(const ExtractionResult& result, std::size_t i, std::string& spare) {
  if (i < result.DisplayNames.size()) return result.DisplayNames[i];
  spare = EntryName(result.Entries[i], true);
  return spare;
}

// The rows in display order; storage order when `Order` is not a permutation of the
// entries, so that no file is written twice or left out.
std::vector<std::size_t> rowOrder(const ExtractionResult& result, std::size_t count) {
  std::vector<std::size_t> order;
  std::vector<bool> seen(count, false);
  bool valid = result.Order.size() >= count;
  for (std::size_t k = 0; valid && k < count; ++k) {
    const auto idx = result.Order[k];
    valid = idx >= 0 && static_cast<std::size_t>(idx) < count && !seen[static_cast<std::size_t>(idx)];
    if (valid) seen[static_cast<std::size_t>(idx)] = true, order.push_back(static_cast<std::size_t>(idx));
  }
  if (valid) return order;
  order.clear();
  for (std::size_t i = 0; i < count; ++i) order.push_back(i);
  return order;
}

void appendRow(std::string& out, const std::string& name, const FileVersionEntry& e) {
  out += name;
  out += '\t';
  appendField(out, e.FixedVersion);
  out += '\t';
  appendField(out, e.StringVersion);
  out += "\t ";
  out += std::to_string(e.Size);
  out += " \t";
  appendField(out, e.Date);
  out += ' ';
  appendField(out, e.Time);
}

std::size_t entryCount(const ExtractionResult& result) {
  if (result.LastIndex < 0) return 0;
  return std::min(result.Entries.size(), static_cast<std::size_t>(result.LastIndex) + 1);
}

std::vector<std::string> headerLines(const ExtractionResult& result, std::string_view computerName) {
  using namespace recordFormat;
  return {std::string(kCreatedAt) + oneLine(result.RunDate) + " " + oneLine(result.RunTime),
          std::string(kComputerName) + oneLine(computerName),
          std::string(kFolder) + oneLine(result.RunFolder),
          std::string(kKind) + oneLine(result.RunKind),
          std::string(kFileCount) + " " + std::to_string(entryCount(result)) + " ",
          std::string(kFiveColumnHeader),
          std::string()};
}

// Checks every text before anything is written: a name a row cannot carry stops the
// write, and one text outside Shift_JIS makes the whole file UTF-8. A TAB in the folder
// or kind would turn its comment line into a data row, and a line break would split it,
// so either stops the write too instead of leaving a file no comparison can read.
RecordWriteResult checkTexts(const ExtractionResult& result, const std::vector<std::string>& header) {
  RecordWriteResult out;
  for (const std::string* text : {&result.RunFolder, &result.RunKind}) {
    if (hasLineOrTab(*text)) {
      out.Error = RecordWriteError::NameNotWritable;
      out.BadName = *text;
      return out;
    }
  }
  bool fits = true;
  for (const auto& line : header) fits = fits && fitsShiftJis(line);
  std::string spare;
  for (std::size_t i = 0, n = entryCount(result); i < n; ++i) {
    const std::string& name = displayName(result, i, spare);
    if (!isRecordableName(name)) {
      out.Error = RecordWriteError::NameNotWritable;
      out.BadName = name;
      return out;
    }
    const FileVersionEntry& e = result.Entries[i];
    fits = fits && fitsShiftJis(name) && fitsShiftJis(e.FixedVersion) && fitsShiftJis(e.StringVersion) &&
           fitsShiftJis(e.Date) && fitsShiftJis(e.Time);
  }
  out.Encoding = fits ? FileTextEncoding::ShiftJis : FileTextEncoding::Utf8WithBom;
  return out;
}

}  // namespace

const char* recordWriteMessage(const RecordWriteResult& result) {
  switch (result.Error) {
    case RecordWriteError::None: return "ファイル出力完了";
    case RecordWriteError::NoDestination: return "保存先ファイルが指定されていません";
    case RecordWriteError::CannotOpen:
      // A write-protected, locked or missing destination says so; any other failure keeps
      // the page's one word for a destination that cannot be opened.
      switch (result.FileError) {
        case fileError::kReadOnly:
        case fileError::kLocked:
        case fileError::kNotReady: return fileError::openErrorMessage(result.FileError);
        default: return "ファイル名が間違っています";
      }
    case RecordWriteError::NameNotWritable:
      return "ファイル名にタブまたは改行が含まれているため保存できません";
    case RecordWriteError::WriteFailed: return "ファイル出力でエラーが発生しました";
  }
  return "原因不明のエラーです";
}

RecordWriteResult WriteVersionRecord(const ExtractionResult& result, std::string_view computerName,
                                     const std::function<bool(std::string_view)>& sink) {
  const std::vector<std::string> header = headerLines(result, computerName);
  RecordWriteResult out = checkTexts(result, header);
  if (!out.ok()) return out;
  std::string buffer;
  buffer.reserve(kFlushBytes + 1024);
  if (out.Encoding == FileTextEncoding::Utf8WithBom) buffer = kUtf8Bom;
  std::string line;
  std::string spare;
  auto put = [&](const std::string& text) {
    if (!appendEncoded(buffer, text, out.Encoding)) return false;
    buffer += "\r\n";
    if (buffer.size() < kFlushBytes) return true;
    const bool written = sink(buffer);
    buffer.clear();
    return written;
  };
  bool ok = true;
  for (const auto& text : header) ok = ok && put(text);
  const std::size_t count = entryCount(result);
  for (std::size_t i : rowOrder(result, count)) {
    if (!ok) break;
    line.clear();
    appendRow(line, displayName(result, i, spare), result.Entries[i]);
    ok = put(line);
  }
  if (ok && !buffer.empty()) ok = sink(buffer);
  if (!ok) out.Error = RecordWriteError::WriteFailed;
  return out;
}

RecordWriteResult OutputVersionRecord(const ExtractionResult& result, const std::string& path) {
  RecordWriteResult out;
  if (path.empty()) {
    out.Error = RecordWriteError::NoDestination;
    return out;
  }
  ReplacingFile file;
  if (!file.open(path)) {
    out.Error = RecordWriteError::CannotOpen;
    out.FileError = file.classification();
    out.Errno = file.lastErrno();
    return out;
  }
  out = WriteVersionRecord(result, ComputerName(),
                           [&](std::string_view bytes) { return file.write(bytes); });
  if (!out.ok()) {
    file.discard();
    if (out.Error == RecordWriteError::WriteFailed) out.Errno = file.lastErrno();
    return out;
  }
  if (!file.commit()) {
    out.Error = RecordWriteError::WriteFailed;
    out.FileError = file.classification();
    out.Errno = file.lastErrno();
  }
  return out;
}

}  // namespace quorvane
