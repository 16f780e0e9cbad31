#pragma once

#include <cstdint>
#include <vector>

#include "version/byte_source.h"
#include "version/version_error.h"

namespace quorvane {

enum class ImageKind : std::uint8_t { Pe32, Pe32Plus, Ne };

// Where an image keeps its version block. `size` never exceeds the block limit; the
// declared size has been checked against the file before it was clamped.
struct VersionResource {
  ImageKind kind = ImageKind::Pe32;
  std::uint64_t offset = 0;
  std::uint32_t size = 0;
};

struct LocateResult {
  VersionResource resource;
  VersionFault fault;
  bool ok() const { return fault.ok(); }
};

// Finds the version resource (RT_VERSION) of a PE32, PE32+ or 16-bit NE image. Reads only
// the headers, the section table and the resource directory; `scratch` is a buffer the
// caller keeps between files so that no read allocates once it has grown.
LocateResult locateVersionResource(ByteSource& source, std::vector<std::uint8_t>& scratch);

}  // namespace quorvane
