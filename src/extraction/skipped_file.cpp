#include "extraction/skipped_file.h"

#include "common/utf8.h"

namespace quorvane {

const char* SkippedFile::describe() const {
  switch (Reason) {
    case SkipReason::Missing: return describeOpenError(FileOpenError::Missing);
    case SkipReason::AccessDenied: return describeOpenError(FileOpenError::AccessDenied);
    case SkipReason::NotAFile: return describeOpenError(FileOpenError::NotAFile);
    case SkipReason::CannotOpen: return describeOpenError(FileOpenError::Other);
    case SkipReason::ReadFailed: return "ファイルの読み込みでエラーが発生しました";
    case SkipReason::NameNotText: return "ファイル名に記録できない文字 (不正な文字コード・タブ・改行) が含まれています";
    case SkipReason::DateNotHeld: return "ファイルの日付が記録できる範囲 (1900～9999 年) にありません";
  }
  return "ファイルを読み込めません";
}

SkipReason skipReasonOf(FileOpenError error) {
  switch (error) {
    case FileOpenError::Missing: return SkipReason::Missing;
    case FileOpenError::AccessDenied: return SkipReason::AccessDenied;
    case FileOpenError::NotAFile: return SkipReason::NotAFile;
    case FileOpenError::None:
    case FileOpenError::Other: break;
  }
  return SkipReason::CannotOpen;
}

bool isRecordableName(std::string_view name) {
  return name.find_first_of("\t\r\n") == std::string_view::npos && utf8::isValid(name);
}

}  // namespace quorvane
