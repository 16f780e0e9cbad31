#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/byte_reader.h"

namespace quorvane {

// The two layouts of a version block: the 32-bit one (a wType field, UTF-16 keys and
// text values) and the 16-bit one of NE images (no wType, code page 932 keys and values).
enum class BlockLayout : std::uint8_t { Wide, Narrow };

// One node of the block tree: header, key, value, children. Offsets are block offsets;
// `end` is already cut to the parent's end.
struct BlockNode {
  std::size_t start = 0;
  std::size_t end = 0;
  std::size_t keyStart = 0;
  std::size_t keyBytes = 0;  // without the terminating NUL
  std::size_t valueStart = 0;
  std::uint16_t valueLength = 0;  // wValueLength as stored
  std::uint16_t type = 0;         // wType; 0 in the 16-bit layout
  std::size_t childrenStart = 0;
};

// Fixed-information fields as stored at "\".
struct RawFixedFileInfo {
  std::uint32_t signature = 0;
  std::uint32_t structVersion = 0;
  std::uint32_t fileVersionMS = 0;
  std::uint32_t fileVersionLS = 0;
  std::uint32_t productVersionMS = 0;
  std::uint32_t productVersionLS = 0;
  std::uint32_t flagsMask = 0;
  std::uint32_t flags = 0;
  std::uint32_t os = 0;
  std::uint32_t type = 0;
  std::uint32_t subtype = 0;
  std::uint32_t dateMS = 0;
  std::uint32_t dateLS = 0;
};

struct Translation {
  std::uint16_t language = 0;
  std::uint16_t codePage = 0;
};

// Queries over one version block, in the manner of the platform's VerQueryValue: value
// paths of "\"-separated keys, matched without regard to case. The block is untrusted:
// every child is bounded by its parent, wValueLength is never trusted beyond that, paths
// are at most a few levels deep and a child of length zero ends its parent's list.
class VersionBlock {
 public:
  explicit VersionBlock(Bytes block) : VersionBlock(block, detectLayout(block)) {}
  VersionBlock(Bytes block, BlockLayout layout);

  // The 16-bit layout has the key's first letter where the 32-bit one has the low byte of
  // wType (0 or 1), which is how the platform tells them apart too.
  static BlockLayout detectLayout(Bytes block);

  BlockLayout layout() const { return m_layout; }
  Bytes bytes() const { return m_bytes; }
  bool valid() const { return m_root.has_value(); }

  // The node at `path` ("\" is the root), or nothing.
  std::optional<BlockNode> find(std::string_view path) const;

  // The first child of `parent`, and the child after `child`; nothing at the end.
  std::optional<BlockNode> firstChild(const BlockNode& parent) const;
  std::optional<BlockNode> nextChild(const BlockNode& parent, const BlockNode& child) const;

  // The value as bytes: wValueLength bytes (characters for a 32-bit text node), cut to
  // the node.
  Bytes binaryValue(const BlockNode& node) const;

  // The value as text, decoded to UTF-8 and cut at its first NUL, appended to `out`.
  // wValueLength counts bytes in some files and characters in others, so up to twice
  // its value in bytes is read, never past the node.
  void appendText(const BlockNode& node, std::string& out) const;

  std::string keyText(const BlockNode& node) const;

  // The fixed information at "\", when the root's value holds all of it.
  std::optional<RawFixedFileInfo> fixedFileInfo() const;
  // The first entry of "\VarFileInfo\Translation".
  std::optional<Translation> firstTranslation() const;
  // The key of the first string table under "\StringFileInfo".
  std::optional<std::string> firstStringTableKey() const;
  // The text value at `path`; `out` is replaced. False (and `out` emptied) when missing.
  bool queryString(std::string_view path, std::string& out) const;

 private:
  std::optional<BlockNode> parseNode(std::size_t start, std::size_t parentEnd) const;
  std::optional<BlockNode> findChild(const BlockNode& parent, std::string_view key) const;
  bool keyEquals(const BlockNode& node, std::string_view key) const;

  Bytes m_bytes;
  BlockLayout m_layout;
  std::optional<BlockNode> m_root;
};

}  // namespace quorvane
