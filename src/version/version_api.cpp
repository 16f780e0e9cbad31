#include "version/version_api.h"

#include <algorithm>

#include "version/language_names.h"
#include "version/version_block.h"
#include "version/version_reader.h"

namespace quorvane::versionApi {

namespace {
// A string value is a leaf "\StringFileInfo\<key>\<name>"; every other value is binary.
bool isStringPath(std::string_view path) {
  std::size_t count = 0;
  bool underStrings = false;
  for (std::size_t pos = 0; pos < path.size();) {
    if (path[pos] == '\\') {
      ++pos;
      continue;
    }
    const std::size_t stop = std::min(path.find('\\', pos), path.size());
    if (count++ == 0) {
      const std::string_view first = path.substr(pos, stop - pos);
      underStrings = std::equal(first.begin(), first.end(), std::string_view("stringfileinfo").begin(),
                                std::string_view("stringfileinfo").end(), [](char a, char b) {
                                  return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
                                });
    }
    pos = stop;
  }
  return underStrings && count == 3;
}
}  // namespace

std::uint32_t GetFileVersionInfoSizeA(const std::string& path) {
  std::vector<std::uint8_t> block;
  VersionFileReader reader;
  if (!reader.read(path, block).ok()) return 0;
  return static_cast<std::uint32_t>(block.size());
}

bool GetFileVersionInfoA(const std::string& path, std::uint32_t size, std::vector<std::uint8_t>& data) {
  VersionFileReader reader;
  if (size == 0 || !reader.read(path, data).ok()) {
    data.clear();
    return false;
  }
  data.resize(std::min<std::size_t>(data.size(), size));
  return true;
}

bool VerQueryValueA(std::span<const std::uint8_t> bytes, std::string_view subBlock,
                    std::span<const std::uint8_t>& value) {
  const VersionBlock block(bytes);
  auto node = block.find(subBlock);
  if (!node) return false;
  if (!isStringPath(subBlock)) {
    value = block.binaryValue(*node);
    return true;
  }
  // The text runs to its first NUL, within twice wValueLength bytes and the node.
  const bool wide = block.layout() == BlockLayout::Wide;
  const std::size_t limit = std::min(2 * std::size_t{node->valueLength}, node->end - node->valueStart);
  const std::size_t step = wide ? 2 : 1;
  std::size_t length = 0;
  while (length + step <= limit && (bytes[node->valueStart + length] != 0 ||
                                    (wide && bytes[node->valueStart + length + 1] != 0)))
    length += step;
  value = bytes.subspan(node->valueStart, length);
  return true;
}

bool VerQueryStringA(std::span<const std::uint8_t> block, std::string_view subBlock, std::string& value) {
  return VersionBlock(block).queryString(subBlock, value);
}

std::string VerLanguageNameA(std::uint16_t language) { return languageName(language); }

}  // namespace quorvane::versionApi
