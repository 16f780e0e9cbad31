#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "extraction/FileVersionEntry.h"

// The text form of a version record file: its line kinds, its two column layouts and
// the splitting of one data row. Lines are UTF-8 text without their line ending.
namespace quorvane::recordFormat {

inline constexpr std::string_view kFiveColumnHeader = ";#FN,FV,SV,SZ,DTTM";
inline constexpr std::string_view kFourColumnHeader = ";#FN,FV,SZ,DTTM";
inline constexpr std::string_view kCreatedAt = ";作成日時：";
inline constexpr std::string_view kComputerName = ";実行PC 名：";
inline constexpr std::string_view kFolder = ";抽出先：";
inline constexpr std::string_view kKind = ";抽出ファイル種別：";
inline constexpr std::string_view kFileCount = ";抽出ファイル数：";

enum class RecordLayout { Unrecognised, FiveColumn, FourColumn };

// Line kinds as CheckComment returns them.
inline constexpr int kIgnoreLine = 0;
inline constexpr int kDataRow = 1;
inline constexpr int kColumnHeader = 2;

// 0 ignore (blank, comment or other text), 1 data row (any line with a TAB),
// 2 column header (no TAB, starts with ";#"). Looks only at ASCII bytes, so it gives the
// same answer for the Shift_JIS bytes of a line and for its UTF-8 text.
int CheckComment(std::string_view line);

// The layout a column header line selects: exact, case-sensitive, untrimmed.
RecordLayout CheckColumnHeader(std::string_view line);

// Why a data row could not be split.
enum class RowSplit { Ok, MissingTab, BadSize, MissingSpace, BadText };

const char* rowSplitText(RowSplit reason);

// Splits a data row into `entry` (FullPath = the name, NamePos = 1, FixedVersion,
// StringVersion, Size, Date, Time) under a layout. On failure the fields filled so far
// keep their new values.
RowSplit ParseRecordLine(std::string_view line, RecordLayout layout, FileVersionEntry& entry);

// The size column: decimal digits with an optional "-" and surrounding spaces, 64-bit.
std::optional<std::int64_t> parseSize(std::string_view text);

// A date or time text as its 8-character field: cut after 8 characters or padded
// with spaces.
std::string fixed8(std::string_view text);

}  // namespace quorvane::recordFormat
