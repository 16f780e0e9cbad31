#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/file_reader.h"

namespace quorvane {

// Why a listed file was left out of an extraction result.
enum class SkipReason : std::uint8_t {
  Missing,       // vanished after the listing, or a link that leads nowhere
  AccessDenied,  // the user may not read it
  NotAFile,      // a pipe, socket or device (met in the listing or swapped in after it)
  CannotOpen,    // any other open failure
  ReadFailed,    // an input/output error while it was read
  NameNotText,   // its name is not valid text, or holds a TAB or a line break
  DateNotHeld,   // its date lies outside the years a record can hold
};

// A file the run listed but left out of the result, so that no row is written with
// made-up values; front ends list these after the run.
struct SkippedFile {
  std::string Path;
  SkipReason Reason = SkipReason::CannotOpen;

  // A short Japanese text saying why.
  const char* describe() const;
};

SkipReason skipReasonOf(FileOpenError error);

// True when a record row can carry the name: well-formed UTF-8 without a TAB (the column
// separator) or a line break (the row separator).
bool isRecordableName(std::string_view name);

}  // namespace quorvane
