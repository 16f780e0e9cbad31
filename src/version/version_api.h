#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_reader.h"

// The version-information service of the platform, built over the published formats:
// the same operations under the same names, for code that wants them one by one.
// clsFileVersion reads each file once through VersionFileReader instead of asking for
// the size and then the data, which would open and parse every file twice.
namespace quorvane::versionApi {

// Size in bytes of the file's version block; 0 when the file has none or cannot be read.
std::uint32_t GetFileVersionInfoSizeA(const std::string& path);

// The version block, at most `size` bytes of it, copied into `data`. False when the file
// has none or cannot be read.
bool GetFileVersionInfoA(const std::string& path, std::uint32_t size, std::vector<std::uint8_t>& data);

// The value at `subBlock` ("\", "\VarFileInfo\Translation", "\StringFileInfo\<key>\<name>")
// as bytes inside `block`. A string value ends before its first NUL. False when missing.
bool VerQueryValueA(std::span<const std::uint8_t> block, std::string_view subBlock,
                    std::span<const std::uint8_t>& value);

// A string value decoded to UTF-8 and cut at its first NUL. False (value empty) when missing.
bool VerQueryStringA(std::span<const std::uint8_t> block, std::string_view subBlock, std::string& value);

// The display name of a language identifier.
std::string VerLanguageNameA(std::uint16_t language);

}  // namespace quorvane::versionApi
