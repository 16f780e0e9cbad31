#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

// Why an image yielded no version block. Every one of them means "no version
// information" to the caller; the detail is for messages and tests.
enum class VersionError : std::uint8_t {
  None,
  CannotOpen,           // the file could not be opened or is not a regular file
  ReadFailed,           // a read inside the file's length failed
  NotAnImage,           // no "MZ" header
  UnknownImage,         // "MZ" but neither a PE nor an NE header behind it
  BadHeader,            // a PE/NE header field points outside the file or is inconsistent
  BadSectionTable,      // section table outside the file, or too many sections
  NoResources,          // the image has no resource table
  BadResourceTable,     // a resource directory or table leaves the file or its section
  NoVersionResource,    // resources, but none of the version type
  BadVersionResource,   // the version resource's size or offset is impossible
  BadVersionBlock,      // the block's root header is unusable
};

// A parse failure as a value: what went wrong, where in the file, and in which structure.
struct VersionFault {
  VersionError error = VersionError::None;
  std::uint64_t offset = 0;
  const char* context = "";

  bool ok() const { return error == VersionError::None; }
};

// A short Japanese description of the error, for messages.
const char* versionErrorText(VersionError error);

// "<text> (offset 0x..., <context>)" for messages.
std::string describeFault(const VersionFault& fault);

}  // namespace quorvane
