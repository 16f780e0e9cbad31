#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "dialogs/file_text_encoding.h"
#include "extraction/ExtractionResult.h"

namespace quorvane {

enum class RecordWriteError {
  None,
  NoDestination,    // "保存先ファイルが指定されていません"
  CannotOpen,       // "ファイル名が間違っています"; FileError classifies it further
  NameNotWritable,  // a file name, the folder or the kind holds a TAB or line break (or a
                    // name is not valid text), which the file cannot carry
  WriteFailed,      // writing or replacing failed; the previous file is untouched
};

struct RecordWriteResult {
  RecordWriteError Error = RecordWriteError::None;
  int FileError = 0;  // fileError classification of a failed open or write
  int Errno = 0;
  std::string BadName;  // the name, folder or kind behind NameNotWritable
  FileTextEncoding Encoding = FileTextEncoding::ShiftJis;
  bool ok() const { return Error == RecordWriteError::None; }
};

// The message the extraction page shows for a failed write.
const char* recordWriteMessage(const RecordWriteResult& result);

// Writes the record of an extraction result through `sink` (called with consecutive
// byte blocks; false stops writing). Shift_JIS unless some text cannot be held in it,
// then UTF-8 with a byte-order mark. Rows follow the display order `Order`.
RecordWriteResult WriteVersionRecord(const ExtractionResult& result, std::string_view computerName,
                                     const std::function<bool(std::string_view)>& sink);

// Writes the record file `path`, replacing any file of that name only once the new one
// is complete. The computer name is the one the system reports.
RecordWriteResult OutputVersionRecord(const ExtractionResult& result, const std::string& path);

}  // namespace quorvane
