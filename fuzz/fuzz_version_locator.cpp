// Hostile images for the resource locator: the bytes are a whole file. Whatever they hold,
// locating and reading the version block must end in a block within the limits or a
// clean error, and the block's queries must stay inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "version/byte_source.h"
#include "version/version_block.h"
#include "version/version_limits.h"
#include "version/version_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  MemoryByteSource memory(Bytes(data, size));
  PageCachedSource source(memory);
  std::vector<std::uint8_t> scratch;
  std::vector<std::uint8_t> block;
  VersionResource where;
  const VersionFault fault = readVersionBlock(source, scratch, block, &where);
  if (!fault.ok()) {
    if (!block.empty()) std::abort();
    return 0;
  }
  if (block.size() > versionLimits::kMaxVersionBlockBytes || where.offset + block.size() > size) std::abort();
  const VersionBlock parsed(Bytes(block.data(), block.size()));
  parsed.fixedFileInfo();
  parsed.firstTranslation();
  std::string value;
  if (auto key = parsed.firstStringTableKey())
    parsed.queryString("\\StringFileInfo\\" + *key + "\\FileVersion", value);
  return 0;
}
