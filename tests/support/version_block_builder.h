#pragma once

// Builds version blocks (the resource data of RT_VERSION) in the 32-bit or the 16-bit
// layout from a plan, so that tests can make every case of the version reader.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quorvane::testsupport {

// The fixed-information structure.
struct FixedInfoPlan {
  std::uint32_t signature = 0xFEEF04BD;
  std::uint32_t structVersion = 0x00010000;
  std::array<std::uint16_t, 4> fileVersion{1, 0, 0, 0};     // major, minor, revision, build
  std::array<std::uint16_t, 4> productVersion{1, 0, 0, 0};
  std::uint32_t flagsMask = 0x3F;
  std::uint32_t flags = 0;
  std::uint32_t os = 0x00040004;  // VOS_NT_WINDOWS32
  std::uint32_t type = 2;         // VFT_DLL
  std::uint32_t subtype = 0;
  std::uint64_t fileTime = 0;     // 100 ns units since 1601, split into the two date fields
};

struct StringValue {
  std::string name;   // "FileVersion"
  std::string value;  // UTF-8; written as UTF-16 (32-bit layout) or code page 932 (16-bit)
};

struct StringTable {
  std::string key;  // "040904B0"
  std::vector<StringValue> values;
};

// How a string's wValueLength counts: characters including the NUL (the rule), or bytes
// (what some tools write).
enum class LengthUnit { Characters, Bytes };

struct VersionInfoPlan {
  FixedInfoPlan fixed;
  bool hasFixedInfo = true;  // false: the root has no value at all
  std::vector<StringTable> tables;
  bool hasTranslationTable = true;  // false: no VarFileInfo at all
  std::vector<std::pair<std::uint16_t, std::uint16_t>> translations{{0x0409, 0x04B0}};
  bool varFileInfoFirst = false;
  LengthUnit stringLengthUnit = LengthUnit::Characters;
  std::size_t extraNuls = 0;  // NULs written after each string value's own NUL (and counted)
};

// Fixed version `parts`, translation 0409/04B0 and one table "040904B0" holding
// FileVersion = `stringVersion` plus CompanyName, FileDescription and ProductVersion.
VersionInfoPlan simpleVersionInfo(std::array<std::uint16_t, 4> parts, const std::string& stringVersion);

enum class BlockFormat { Wide, Narrow };  // the 32-bit layout, the 16-bit (NE) layout

std::vector<std::uint8_t> buildVersionBlock(const VersionInfoPlan& plan, BlockFormat format);

}  // namespace quorvane::testsupport
