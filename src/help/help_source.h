#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/file_reader.h"
#include "help/html_text.h"

// Reading a help file into the one source text that the rendering pass walks.
namespace quorvane::help {

// Help files are small; a file beyond this is refused rather than read into memory.
inline constexpr std::uint64_t kMaxHelpFileBytes = 16u * 1024u * 1024u;

// Builds the source text from the file's bytes: code page 932 text (UTF-8 when the file
// starts with a UTF-8 byte-order mark), each line trimmed of spaces and followed by one
// space, so that line ends never reach the parser.
Text buildHelpSource(std::string_view fileBytes);

struct HelpSourceResult {
  Text text;
  ReadFileError error = ReadFileError::None;  // why the file could not be read
  bool ok() const { return error == ReadFileError::None; }
};

HelpSourceResult loadHelpSource(const std::string& path);

}  // namespace quorvane::help
