// Hostile version blocks for the queries. The first byte picks the layout (or lets the
// block tell it); the rest is the block. Every node reachable by walking the tree is
// visited, so bounds, alignment and termination are all exercised, and the fixed queries
// of the reader run as well.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "version/string_tables.h"
#include "version/version_block.h"

namespace {

using namespace quorvane;

void walk(const VersionBlock& block, const BlockNode& node, int depth, std::string& text) {
  if (node.end > block.bytes().size() || node.valueStart > node.end || node.childrenStart > node.end) std::abort();
  text.clear();
  block.appendText(node, text);
  block.binaryValue(node);
  const std::string key = block.keyText(node);
  if (depth >= 4) return;
  for (auto child = block.firstChild(node); child; child = block.nextChild(node, *child)) {
    if (child->start < node.start || child->end > node.end) std::abort();
    walk(block, *child, depth + 1, text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const Bytes bytes(data + 1, size - 1);
  const VersionBlock block = data[0] % 3 == 0 ? VersionBlock(bytes)
                             : data[0] % 3 == 1 ? VersionBlock(bytes, BlockLayout::Wide)
                                                : VersionBlock(bytes, BlockLayout::Narrow);
  std::string text;
  if (auto root = block.find("\\")) walk(block, *root, 0, text);
  block.fixedFileInfo();
  block.firstTranslation();
  if (auto key = block.firstStringTableKey()) {
    for (const char* name : {"FileVersion", "Comments", "ProductName", "ファイル"})
      block.queryString("\\StringFileInfo\\" + *key + "\\" + name, text);
  }
  block.queryString("\\StringFileInfo\\040904E4\\FileVersion", text);
  block.find("\\a\\b\\c\\d\\e\\f\\g\\h\\i\\j");
  if (data[0] % 3 == 0) readStringTables(bytes);
  return 0;
}
