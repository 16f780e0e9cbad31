#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/compare_engine.h"
#include "dialogs/file_text_encoding.h"

namespace quorvane {

// What the header of a result file names besides the result itself.
struct ResultFileHeader {
  std::string CreatedDate;   // "yy/mm/dd"
  std::string CreatedTime;   // "hh:mm:ss"
  std::string ComputerName;
  std::string Target1;       // the first record's file name as typed
  std::string Target2;       // the second record's name as typed, or the extraction folder

  // Created now on this computer.
  static ResultFileHeader now(std::string target1, std::string target2);
};

enum class ResultWriteError {
  None,
  NoDestination,
  CannotOpen,
  WriteFailed,
  DestinationIsRecord,  // the destination is one of the records compared
};

struct ResultWriteResult {
  ResultWriteError Error = ResultWriteError::None;
  int FileError = 0;  // clsFileIO's Error after a failed open or close
  FileTextEncoding Encoding = FileTextEncoding::ShiftJis;
  bool ok() const { return Error == ResultWriteError::None; }
};

// The message for a failed save ("ファイル出力完了" on success).
const char* resultWriteMessage(const ResultWriteResult& result);

// Refuses (DestinationIsRecord) a destination that is the same file as one of the
// records a comparison reads, however it is spelled: saving would destroy the record.
// Checked before the records are read, so nothing is read or written.
ResultWriteResult checkResultDestination(const std::string& destination, const std::vector<std::string>& records);

// Hands every value of the result file to `output` with clsFileIO's ending kind
// (0 value and line end, 3 value alone). After a view-mode run the file holds the
// header with a second-side total of 0 and four empty categories: a view compares
// nothing, and lists of an earlier comparison must not be written as if they belonged
// to this record.
bool WriteCompareResult(const ComparisonResult& result, const ResultFileHeader& header,
                        const std::function<bool(std::string_view value, int kind)>& output);

// The encoding the file needs: Shift_JIS unless some text cannot be held in it.
FileTextEncoding compareResultEncoding(const ComparisonResult& result, const ResultFileHeader& header);

// Writes the result file through clsFileIO, replacing `destination` only when complete.
ResultWriteResult OutputCompareResult(const ComparisonResult& result, const ResultFileHeader& header,
                                      const std::string& destination);

// The bytes of the same file, for standard output.
std::string FormatCompareResult(const ComparisonResult& result, const ResultFileHeader& header);

}  // namespace quorvane
