#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "extraction/FileVersionEntry.h"

namespace quorvane {

// Which way an updated file went. The names are those of the machine-readable outputs
// and of `compare --fail-on`.
enum class UpdateClass : std::uint8_t {
  VersionUp,    // "up": the newer side has the higher version
  VersionDown,  // "down": the newer side has the lower version
  SameVersion,  // "same-version": equal versions, but the size or the date changed
  StringOnly,   // "string-only": versions, size and date agree; only a version text differs
  Unordered,    // "unordered": the versions differ but cannot be put in order
};
inline constexpr std::size_t kUpdateClassCount = 5;

enum class VersionOrder : std::uint8_t { Lower, Equal, Higher, Unordered };

// Orders the version of `second` against that of `first`. Fixed versions compare as four
// 16-bit numbers (a part written negative, as records carry parts of 32768 and more, is
// read back as that part); when a side has no fixed version, the string versions are
// compared instead: equal texts are equal (unless both are empty and only one side has a
// fixed version), dotted numbers ("2.0.10", "2.0 (beta)") compare part by part with missing
// parts as 0, and anything else is unordered.
VersionOrder compareVersions(const FileVersionEntry& second, const FileVersionEntry& first);

// The class of a pair that the comparison found updated, under the same date option.
UpdateClass ClassifyUpdate(const FileVersionEntry& second, const FileVersionEntry& first, bool ignoreFileDate);

// "up", "down", "same-version", "string-only", "unordered".
const char* updateClassName(UpdateClass c);
std::optional<UpdateClass> updateClassFromName(std::string_view name);
// The Japanese label the window shows.
const char* updateClassLabel(UpdateClass c);
// "バージョンアップ 2, ..." for the classes that occur, in the order of the enum.
std::string updateClassSummary(const std::array<std::size_t, kUpdateClassCount>& counts);

}  // namespace quorvane
