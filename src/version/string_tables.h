#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/byte_reader.h"

namespace quorvane {

// One string table of a version resource: its key, what the key says, and every value
// it holds in block order (not only the ten standard ones).
struct VersionStringTable {
  struct Value {
    std::string Name;
    std::string Text;
  };
  std::string Key;              // as stored, for example "041104B0"
  bool KeyIsHex = false;        // the key is 8 hexadecimal digits
  std::uint16_t Language = 0;   // the key's first four digits
  std::uint16_t CodePage = 0;   // its last four digits
  std::string LanguageName;     // the Japanese name of the language; empty when KeyIsHex is false
  std::vector<Value> Values;
};

// Every table under "\StringFileInfo" of a version block, in block order. A file that
// disagrees with its own translation table shows here what the extraction's choice of
// one table leaves out.
std::vector<VersionStringTable> readStringTables(Bytes versionBlock);

}  // namespace quorvane
