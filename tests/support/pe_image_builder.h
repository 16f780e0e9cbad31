#pragma once

// Builds small PE32, PE32+ and NE images holding a version resource, in memory, so that
// tests can make every case of the version reader (and real-looking DLLs for the tests
// of the extraction and the GUI) without keeping binaries in the repository.
//
//   auto plan = simpleVersionInfo({4, 71, 1712, 5}, "4.71.1712.5");
//   writeFile(dir + "/a.dll", buildImage(ImageFormat::Pe32, plan).bytes);

#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/files.h"  // writeFile, which every caller of buildImage wants
#include "support/version_block_builder.h"

namespace quorvane::testsupport {

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

}  // namespace quorvane::testsupport
