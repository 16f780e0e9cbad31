#include "version/version_error.h"

#include <cstdio>

namespace quorvane {

const char* versionErrorText(VersionError error) {
  switch (error) {
    case VersionError::None: return "エラーはありません";
    case VersionError::CannotOpen: return "ファイルを開けません";
    case VersionError::ReadFailed: return "ファイルを読み込めません";
    case VersionError::NotAnImage: return "実行形式のファイルではありません";
    case VersionError::UnknownImage: return "対応していない実行形式です";
    case VersionError::BadHeader: return "ヘッダーが壊れています";
    case VersionError::BadSectionTable: return "セクションテーブルが壊れています";
    case VersionError::NoResources: return "リソースがありません";
    case VersionError::BadResourceTable: return "リソーステーブルが壊れています";
    case VersionError::NoVersionResource: return "バージョンリソースがありません";
    case VersionError::BadVersionResource: return "バージョンリソースの位置または大きさが不正です";
    case VersionError::BadVersionBlock: return "バージョン情報が壊れています";
  }
  return "不明なエラー";
}

std::string describeFault(const VersionFault& fault) {
  std::string text = versionErrorText(fault.error);
  if (fault.error == VersionError::None) return text;
  // An open failure has no offset; its context says why the file could not be opened.
  if (fault.error == VersionError::CannotOpen) {
    if (fault.context && *fault.context) text += std::string(" (") + fault.context + ")";
    return text;
  }
  char where[64];
  std::snprintf(where, sizeof where, " (オフセット 0x%llX", static_cast<unsigned long long>(fault.offset));
  text += where;
  if (fault.context && *fault.context) {
    text += ", ";
    text += fault.context;
  }
  text += ")";
  return text;
}

}  // namespace quorvane
