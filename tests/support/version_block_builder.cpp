// The version-block half of the test image builder: a tree of nodes written with the
// header, key, value and children of the 32-bit or 16-bit layout, aligned to 32 bits from
// the start of the block.
#include <stdexcept>

#include "common/sjis.h"
#include "common/utf8.h"
#include "support/byte_writers.h"
#include "support/version_block_builder.h"

namespace quorvane::testsupport {

namespace {

struct Node {
  std::string key;
  std::vector<std::uint8_t> value;
  std::uint16_t valueLength = 0;
  std::uint16_t type = 0;  // 1 for text
  std::vector<Node> children;
};

void pad4(std::vector<std::uint8_t>& out) {
  while (out.size() % 4) out.push_back(0);
}

std::vector<std::uint8_t> utf16(const std::string& text) {
  std::vector<std::uint8_t> out;
  for (char32_t cp : utf8::toCodePoints(text)) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      appendLe16(out, 0xD800 + (cp >> 10));
      appendLe16(out, 0xDC00 + (cp & 0x3FF));
    } else {
      appendLe16(out, cp);
    }
  }
  return out;
}

std::vector<std::uint8_t> cp932(const std::string& text) {
  auto encoded = sjis::encode(text);
  if (!encoded.ok()) throw std::invalid_argument("text not representable in code page 932: " + text);
  return {encoded.bytes->begin(), encoded.bytes->end()};
}

std::vector<std::uint8_t> encodeText(const std::string& text, BlockFormat format) {
  return format == BlockFormat::Wide ? utf16(text) : cp932(text);
}

void emit(const Node& node, BlockFormat format, std::vector<std::uint8_t>& out) {
  const std::size_t start = out.size();
  appendLe16(out, 0);  // wLength, filled in below
  appendLe16(out, node.valueLength);
  if (format == BlockFormat::Wide) appendLe16(out, node.type);
  const auto key = encodeText(node.key, format);
  out.insert(out.end(), key.begin(), key.end());
  out.push_back(0);
  if (format == BlockFormat::Wide) out.push_back(0);
  pad4(out);
  out.insert(out.end(), node.value.begin(), node.value.end());
  for (const Node& child : node.children) {
    pad4(out);
    emit(child, format, out);
  }
  const std::size_t length = out.size() - start;
  if (length > 0xFFFF) throw std::length_error("version block node too long");
  putLe16(out, start, static_cast<std::uint32_t>(length));
}

Node stringNode(const StringValue& s, const VersionInfoPlan& plan, BlockFormat format) {
  Node n{s.name, encodeText(s.value, format), 0, 1, {}};
  const std::size_t nulBytes = (format == BlockFormat::Wide ? 2 : 1) * (1 + plan.extraNuls);
  n.value.insert(n.value.end(), nulBytes, 0);
  std::size_t length = n.value.size();
  if (plan.stringLengthUnit == LengthUnit::Characters)
    length = (format == BlockFormat::Wide ? length / 2 : utf8::length(s.value) + 1 + plan.extraNuls);
  n.valueLength = static_cast<std::uint16_t>(length);
  return n;
}

Node fixedNode(const VersionInfoPlan& plan) {
  Node root{"VS_VERSION_INFO", {}, 0, 0, {}};
  if (!plan.hasFixedInfo) return root;
  const FixedInfoPlan& f = plan.fixed;
  auto& v = root.value;
  appendLe32(v, f.signature);
  appendLe32(v, f.structVersion);
  appendLe32(v, (std::uint32_t{f.fileVersion[0]} << 16) | f.fileVersion[1]);
  appendLe32(v, (std::uint32_t{f.fileVersion[2]} << 16) | f.fileVersion[3]);
  appendLe32(v, (std::uint32_t{f.productVersion[0]} << 16) | f.productVersion[1]);
  appendLe32(v, (std::uint32_t{f.productVersion[2]} << 16) | f.productVersion[3]);
  for (std::uint32_t x : {f.flagsMask, f.flags, f.os, f.type, f.subtype}) appendLe32(v, x);
  appendLe32(v, static_cast<std::uint32_t>(f.fileTime >> 32));
  appendLe32(v, static_cast<std::uint32_t>(f.fileTime & 0xFFFFFFFF));
  root.valueLength = static_cast<std::uint16_t>(v.size());
  return root;
}

}  // namespace

VersionInfoPlan simpleVersionInfo(std::array<std::uint16_t, 4> parts, const std::string& stringVersion) {
  VersionInfoPlan plan;
  plan.fixed.fileVersion = parts;
  plan.fixed.productVersion = parts;
  plan.tables.push_back({"040904B0",
                         {{"CompanyName", "Quorvane Test Corporation"},
                          {"FileDescription", "Test library"},
                          {"FileVersion", stringVersion},
                          {"ProductVersion", stringVersion}}});
  return plan;
}

std::vector<std::uint8_t> buildVersionBlock(const VersionInfoPlan& plan, BlockFormat format) {
  Node root = fixedNode(plan);
  Node strings{"StringFileInfo", {}, 0, 1, {}};
  for (const StringTable& t : plan.tables) {
    Node table{t.key, {}, 0, 1, {}};
    for (const StringValue& s : t.values) table.children.push_back(stringNode(s, plan, format));
    strings.children.push_back(std::move(table));
  }
  Node vars{"VarFileInfo", {}, 0, 1, {}};
  if (plan.hasTranslationTable) {
    Node translation{"Translation", {}, 0, 0, {}};
    for (auto [language, codePage] : plan.translations) {
      appendLe16(translation.value, language);
      appendLe16(translation.value, codePage);
    }
    translation.valueLength = static_cast<std::uint16_t>(translation.value.size());
    vars.children.push_back(std::move(translation));
  }
  const bool withStrings = !plan.tables.empty();
  if (plan.varFileInfoFirst && plan.hasTranslationTable) root.children.push_back(vars);
  if (withStrings) root.children.push_back(std::move(strings));
  if (!plan.varFileInfoFirst && plan.hasTranslationTable) root.children.push_back(vars);

  std::vector<std::uint8_t> out;
  emit(root, format, out);
  return out;
}

}  // namespace quorvane::testsupport
