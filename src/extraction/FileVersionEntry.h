#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

// One file of an extraction result or of a record table. The scan creates it, the
// extraction run or the record reader completes it; its text form is a record file row.
struct FileVersionEntry {
  std::string FullPath;       // folder, separator, file name (the expanded copy after expansion)
  std::int32_t NamePos = 0;   // 1-based character position of the file name in FullPath
  std::string Ext;            // first three characters of the extension, blank-padded
  std::uint8_t Attributes = 0;
  std::string Date;           // "YY/MM/DD", exactly 8 characters for a listed file
  std::string Time;           // "HH:MM:SS", 24-hour, exactly 8 characters for a listed file
  std::int64_t Size = 0;      // bytes; 64-bit so that files of 2 GiB and more stay right
  std::string FixedVersion;   // "a.b.c.d" from the fixed part; empty without version information
  std::string StringVersion;  // the string FileVersion; empty without version information
};

}  // namespace quorvane
