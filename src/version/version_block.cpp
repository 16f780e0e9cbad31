#include "version/version_block.h"

#include <algorithm>

#include "common/ascii_case.h"
#include "common/sjis.h"
#include "common/utf8.h"
#include "version/version_limits.h"
#include "version/version_text.h"

namespace quorvane {

namespace {

// Children and values are aligned to 32 bits from the start of the block, not of the file.
std::size_t align4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

bool isCp932Lead(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

VersionBlock::VersionBlock(Bytes block, BlockLayout layout) : m_bytes(block), m_layout(layout) {
  m_root = parseNode(0, m_bytes.size());
}

BlockLayout VersionBlock::detectLayout(Bytes block) {
  return block.size() > 4 && block[4] >= 0x20 ? BlockLayout::Narrow : BlockLayout::Wide;
}

std::optional<BlockNode> VersionBlock::parseNode(std::size_t start, std::size_t parentEnd) const {
  const bool wide = m_layout == BlockLayout::Wide;
  const std::size_t header = wide ? 6 : 4;
  if (start > parentEnd || parentEnd - start < header) return std::nullopt;
  const std::uint16_t length = *readAt<std::uint16_t>(m_bytes, start);
  if (length < header) return std::nullopt;  // includes the zero-length child

  BlockNode node;
  node.start = start;
  node.end = start + std::min<std::size_t>(length, parentEnd - start);
  node.valueLength = *readAt<std::uint16_t>(m_bytes, start + 2);
  node.type = wide ? *readAt<std::uint16_t>(m_bytes, start + 4) : 0;
  node.keyStart = start + header;

  const std::size_t step = wide ? 2 : 1;
  std::size_t nul = node.keyStart;
  while (nul + step <= node.end && (m_bytes[nul] != 0 || (wide && m_bytes[nul + 1] != 0))) nul += step;
  if (nul + step > node.end) return std::nullopt;  // a key without its NUL
  node.keyBytes = nul - node.keyStart;

  node.valueStart = std::min(align4(nul + step), node.end);
  const std::size_t declared = wide && node.type == 1 ? 2 * std::size_t{node.valueLength} : node.valueLength;
  node.childrenStart = std::min(align4(node.valueStart + declared), node.end);
  return node;
}

std::optional<BlockNode> VersionBlock::firstChild(const BlockNode& parent) const {
  return parseNode(parent.childrenStart, parent.end);
}

std::optional<BlockNode> VersionBlock::nextChild(const BlockNode& parent, const BlockNode& child) const {
  return parseNode(align4(child.end), parent.end);
}

bool VersionBlock::keyEquals(const BlockNode& node, std::string_view key) const {
  const Bytes stored = m_bytes.subspan(node.keyStart, node.keyBytes);
  if (m_layout == BlockLayout::Narrow) {
    // `key` is already code page 932 here. Only single-byte letters fold; the second
    // byte of a double-byte character may look like a letter and must match exactly.
    if (stored.size() != key.size()) return false;
    bool trail = false;
    for (std::size_t i = 0; i < stored.size(); ++i) {
      const auto a = stored[i];
      const auto b = static_cast<std::uint8_t>(key[i]);
      if (trail || isCp932Lead(a)) {
        if (a != b) return false;
        trail = !trail;
      } else if (asciiLower(char32_t{a}) != asciiLower(char32_t{b})) {
        return false;
      }
    }
    return true;
  }
  std::size_t keyPos = 0;
  for (std::size_t i = 0; i + 1 < stored.size(); i += 2) {
    char32_t unit = static_cast<char32_t>(stored[i] | (stored[i + 1] << 8));
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < stored.size()) {
      const char32_t low = static_cast<char32_t>(stored[i + 2] | (stored[i + 3] << 8));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (keyPos >= key.size()) return false;
    if (asciiLower(unit) != asciiLower(utf8::next(key, keyPos))) return false;
  }
  return keyPos == key.size();
}

std::optional<BlockNode> VersionBlock::findChild(const BlockNode& parent, std::string_view key) const {
  std::string encoded;
  if (m_layout == BlockLayout::Narrow && !isAscii(key)) {
    auto bytes = sjis::encode(key);
    if (!bytes.ok()) return std::nullopt;  // no 16-bit key can spell it
    encoded = std::move(*bytes.bytes);
    key = encoded;
  }
  for (auto child = firstChild(parent); child; child = nextChild(parent, *child))
    if (keyEquals(*child, key)) return child;
  return std::nullopt;
}

std::optional<BlockNode> VersionBlock::find(std::string_view path) const {
  if (!m_root) return std::nullopt;
  BlockNode node = *m_root;
  std::size_t depth = 0;
  std::size_t pos = 0;
  while (pos < path.size()) {
    if (path[pos] == '\\') {
      ++pos;
      continue;
    }
    const std::size_t stop = std::min(path.find('\\', pos), path.size());
    if (++depth > versionLimits::kMaxNestingDepth) return std::nullopt;
    auto child = findChild(node, path.substr(pos, stop - pos));
    if (!child) return std::nullopt;
    node = *child;
    pos = stop;
  }
  return node;
}

Bytes VersionBlock::binaryValue(const BlockNode& node) const {
  const bool text = m_layout == BlockLayout::Wide && node.type == 1;
  const std::size_t declared = text ? 2 * std::size_t{node.valueLength} : node.valueLength;
  return m_bytes.subspan(node.valueStart, std::min(declared, node.end - node.valueStart));
}

void VersionBlock::appendText(const BlockNode& node, std::string& out) const {
  const std::size_t length = std::min(2 * std::size_t{node.valueLength}, node.end - node.valueStart);
  const Bytes value = m_bytes.subspan(node.valueStart, length);
  if (m_layout == BlockLayout::Wide) versionText::appendUtf16(value, out);
  else versionText::appendCp932(value, out);
}

std::string VersionBlock::keyText(const BlockNode& node) const {
  std::string out;
  const Bytes key = m_bytes.subspan(node.keyStart, node.keyBytes);
  if (m_layout == BlockLayout::Wide) versionText::appendUtf16(key, out);
  else versionText::appendCp932(key, out);
  return out;
}

std::optional<RawFixedFileInfo> VersionBlock::fixedFileInfo() const {
  if (!m_root) return std::nullopt;
  const Bytes value = binaryValue(*m_root);
  if (value.size() < versionLimits::kFixedFileInfoBytes) return std::nullopt;
  ByteReader r(value);
  RawFixedFileInfo f;
  for (std::uint32_t* field : {&f.signature, &f.structVersion, &f.fileVersionMS, &f.fileVersionLS,
                               &f.productVersionMS, &f.productVersionLS, &f.flagsMask, &f.flags, &f.os,
                               &f.type, &f.subtype, &f.dateMS, &f.dateLS})
    *field = *r.u32();
  return f;
}

std::optional<Translation> VersionBlock::firstTranslation() const {
  auto node = find("\\VarFileInfo\\Translation");
  if (!node) return std::nullopt;
  const Bytes value = binaryValue(*node);
  if (value.size() < 4) return std::nullopt;
  return Translation{*readAt<std::uint16_t>(value, 0), *readAt<std::uint16_t>(value, 2)};
}

std::optional<std::string> VersionBlock::firstStringTableKey() const {
  auto info = find("\\StringFileInfo");
  if (!info) return std::nullopt;
  auto table = firstChild(*info);
  if (!table || table->keyBytes == 0) return std::nullopt;
  return keyText(*table);
}

bool VersionBlock::queryString(std::string_view path, std::string& out) const {
  out.clear();
  auto node = find(path);
  if (!node) return false;
  appendText(*node, out);
  return true;
}

}  // namespace quorvane
