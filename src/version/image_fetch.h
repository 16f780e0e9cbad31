#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/byte_reader.h"
#include "version/byte_source.h"
#include "version/version_error.h"

namespace quorvane::imageFetch {

// Reads one structure of an image into the shared scratch buffer, or records why it could
// not. The returned view is valid until the next fetch.
class Fetcher {
 public:
  Fetcher(ByteSource& source, std::vector<std::uint8_t>& scratch) : m_source(source), m_scratch(scratch) {}

  std::uint64_t fileSize() const { return m_source.size(); }

  std::optional<Bytes> fetch(std::uint64_t offset, std::uint64_t length, VersionError error,
                             const char* context);

  // Records a failure and returns an empty result for the caller to pass on.
  std::nullopt_t fail(VersionError error, std::uint64_t offset, const char* context);

  const VersionFault& fault() const { return m_fault; }

 private:
  ByteSource& m_source;
  std::vector<std::uint8_t>& m_scratch;
  VersionFault m_fault;
};

// The NE half of the locator: `neHeader` is the file offset of the "NE" signature.
struct NeLocation {
  std::uint64_t offset = 0;
  std::uint32_t size = 0;
};
std::optional<NeLocation> locateNeVersion(Fetcher& fetcher, std::uint64_t neHeader);

}  // namespace quorvane::imageFetch
