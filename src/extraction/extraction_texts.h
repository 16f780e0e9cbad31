#pragma once

#include "extraction/dir_scan.h"

// The words the extraction shows, shared by both front ends so they say the same thing.
namespace quorvane::extractionText {

// Status-bar texts.
inline constexpr const char* kListing = "ファイル一覧取得中";
inline constexpr const char* kFailed = "バージョン情報抽出は出来ませんでした";
inline constexpr const char* kCancelled = "バージョン情報抽出を中止しました";
// Progress captions; the second is also the status text of a completed run. Both end in
// one blank on purpose.
inline constexpr const char* kExtracting = "バージョン情報抽出中 ";
inline constexpr const char* kFinished = "バージョン情報抽出完了 ";

// Message-box texts for the scan results that stop a run.
inline constexpr const char* kFolderMissing = "指定されたフォルダーは存在しません";
inline constexpr const char* kFolderDenied = "指定されたフォルダーを読み取る権限がありません";
inline constexpr const char* kNoFolder = "フォルダーが指定されていません";
inline constexpr const char* kNothingFound = "対象となるファイルは有りませんでした";
// Compressed files are never expanded among the files being listed.
inline constexpr const char* kExpansionIntoListedFolder = "圧縮復元先フォルダーが情報抽出先フォルダーと同じです";
// The run's own expansion folder inside the temporary folder could not be made.
inline constexpr const char* kNoPrivateFolder = "一時フォルダーに展開用のフォルダーを作成できません";

// The message for a scan result, or nullptr when none is shown (files found, no kind
// chosen yet, or a listing the user stopped, which reads as a cancelled run).
inline const char* scanMessage(basDirUtil::ScanResult result) {
  switch (result) {
    case basDirUtil::ScanResult::FolderMissing: return kFolderMissing;
    case basDirUtil::ScanResult::FolderDenied: return kFolderDenied;
    case basDirUtil::ScanResult::NoFolder: return kNoFolder;
    case basDirUtil::ScanResult::NothingMatched: return kNothingFound;
    case basDirUtil::ScanResult::NoPatterns:
    case basDirUtil::ScanResult::Stopped:
    case basDirUtil::ScanResult::Found: return nullptr;
  }
  return nullptr;
}

}  // namespace quorvane::extractionText
