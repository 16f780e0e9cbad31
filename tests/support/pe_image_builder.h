#pragma once

// Builds small PE32, PE32+ and NE images holding a version resource, in memory, so that
// tests can make every case of the version reader (and real-looking DLLs for the tests
// of the extraction and the GUI) without keeping binaries in the repository.
//
//   auto plan = simpleVersionInfo({4, 71, 1712, 5}, "4.71.1712.5");
//   writeFile(dir + "/a.dll", buildImage(ImageFormat::Pe32, plan).bytes);

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

enum class ImageFormat { Pe32, Pe32Plus, Ne };

struct ImageOptions {
  std::uint16_t language = 0x0409;  // language of the version resource (PE)
  bool misalignBlock = false;       // place the block 2 bytes off a 4-byte boundary (PE)
  bool extraResources = true;       // an icon and a named resource type besides the version
};

// File offsets of the structures, for tests that corrupt one field at a time.
struct ImageOffsets {
  std::size_t newHeader = 0;       // "PE\0\0" or "NE"
  std::size_t optionalHeader = 0;  // PE
  std::size_t sectionTable = 0;    // PE
  std::size_t resourceSection = 0; // PE: file offset of the resource directory
  std::size_t versionDataEntry = 0;// PE: IMAGE_RESOURCE_DATA_ENTRY of the version
  std::size_t resourceTable = 0;   // NE
  std::size_t versionNameInfo = 0; // NE: NAMEINFO of the version
  std::size_t versionBlock = 0;
};

struct BuiltImage {
  std::vector<std::uint8_t> bytes;
  ImageOffsets at;
};

// An image whose RT_VERSION resource is `versionBlock`; without a version resource when
// the block is empty (the image then still has other resources, unless they are off).
BuiltImage buildImage(ImageFormat format, const std::vector<std::uint8_t>& versionBlock,
                      const ImageOptions& options = {});
// An image holding the block built from `plan` in the layout of the format.
BuiltImage buildImage(ImageFormat format, const VersionInfoPlan& plan, const ImageOptions& options = {});

// Writes the bytes to a file; false when it cannot.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace quorvane::testsupport
