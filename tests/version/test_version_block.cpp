#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "support/byte_writers.h"
#include "support/pe_image_builder.h"
#include "version/string_tables.h"
#include "version/version_block.h"

namespace quorvane {
namespace {

using testsupport::BlockFormat;
using testsupport::buildVersionBlock;
using testsupport::VersionInfoPlan;

std::string query(const std::vector<std::uint8_t>& bytes, std::string_view path) {
  std::string out = "untouched";
  return VersionBlock(bytes).queryString(path, out) ? out : "<missing>";
}

class VersionBlockBothLayouts : public ::testing::TestWithParam<BlockFormat> {};

TEST_P(VersionBlockBothLayouts, LayoutFixedInfoAndTranslation) {
  VersionInfoPlan plan = testsupport::simpleVersionInfo({4, 71, 1712, 5}, "4.71.1712.5");
  plan.fixed.productVersion = {5, 0, 0, 1};
  plan.fixed.fileTime = 0x01BD0D6A12345678ull;
  plan.translations = {{0x0411, 0x03A4}, {0x0409, 0x04B0}};
  const auto bytes = buildVersionBlock(plan, GetParam());
  const VersionBlock block(bytes);
  EXPECT_TRUE(block.valid());
  EXPECT_EQ(block.layout(), GetParam() == BlockFormat::Wide ? BlockLayout::Wide : BlockLayout::Narrow);
  const auto fixed = block.fixedFileInfo();
  ASSERT_TRUE(fixed);
  EXPECT_EQ(std::tuple(fixed->signature, fixed->fileVersionMS, fixed->fileVersionLS, fixed->productVersionMS,
                       fixed->productVersionLS, fixed->dateMS, fixed->dateLS),
            std::tuple(0xFEEF04BDu, 0x00040047u, 0x06B00005u, 0x00050000u, 0x00000001u, 0x01BD0D6Au, 0x12345678u));
  const auto t = block.firstTranslation();
  ASSERT_TRUE(t);
  EXPECT_EQ(std::pair(t->language, t->codePage), std::pair(std::uint16_t{0x0411}, std::uint16_t{0x03A4}));
  EXPECT_EQ(block.firstStringTableKey().value_or(""), "040904B0");
  ASSERT_TRUE(block.find("\\"));
  EXPECT_EQ(block.find("\\")->start, 0u);
  EXPECT_TRUE(block.find("\\\\StringFileInfo\\\\040904B0\\"));
  EXPECT_TRUE(block.find("\\varfileinfo\\TRANSLATION"));
  EXPECT_FALSE(block.find("\\StringFileInfo\\040904B0\\FileVersion\\x"));
  EXPECT_FALSE(block.find("\\StringFileInfo\\040904B0\\FileVersion\\a\\b\\c\\d\\e\\f"));
}

// One change to the simple plan (FileVersion "1.0" in table 040904B0), one query.
TEST_P(VersionBlockBothLayouts, StringQueries) {
  const std::string fv = "\\StringFileInfo\\040904B0\\FileVersion";
  struct Case {
    const char* what;
    std::function<void(VersionInfoPlan&)> change;
    std::string path;
    const char* expected;
  } const cases[] = {
      {"plain", [](auto&) {}, fv, "1.0"},
      {"another value", [](auto&) {}, "\\StringFileInfo\\040904B0\\CompanyName", "Quorvane Test Corporation"},
      {"absent value", [](auto&) {}, "\\StringFileInfo\\040904B0\\Comments", "<missing>"},
      {"absent table", [](auto&) {}, "\\StringFileInfo\\040904E4\\FileVersion", "<missing>"},
      {"keys without case", [](auto& p) { p.tables[0].key = "040904b0"; }, "\\stringfileinfo\\040904B0\\FILEVERSION", "1.0"},
      {"lengths in bytes", [](auto& p) {
         p.stringLengthUnit = testsupport::LengthUnit::Bytes;
         p.tables[0].values.push_back({"Comments", "日本語のコメント"}); },
       "\\StringFileInfo\\040904B0\\Comments", "日本語のコメント"},
      {"trailing NULs cut", [](auto& p) { p.extraNuls = 3; }, fv, "1.0"},
      {"empty value", [](auto& p) { p.tables[0].values.push_back({"Comments", ""}); },
       "\\StringFileInfo\\040904B0\\Comments", ""},
      {"VarFileInfo first", [](auto& p) { p.varFileInfoFirst = true; }, fv, "1.0"},
      {"Japanese value name", [](auto& p) { p.tables.push_back({"041103A4", {{"特別な名前", "第２版"}}}); },
       "\\StringFileInfo\\041103A4\\特別な名前", "第２版"},
      {"no fixed info, no translation", [](auto& p) { p.hasFixedInfo = p.hasTranslationTable = false; }, fv, "1.0"},
  };
  for (const Case& c : cases) {
    VersionInfoPlan plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0");
    c.change(plan);
    EXPECT_EQ(query(buildVersionBlock(plan, GetParam()), c.path), c.expected) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, VersionBlockBothLayouts, ::testing::Values(BlockFormat::Wide, BlockFormat::Narrow),
                         [](const auto& info) { return info.param == BlockFormat::Wide ? "Wide" : "Narrow"; });

// A hand-made node of the 32-bit layout: wLength, wValueLength, wType, key, padding.
std::vector<std::uint8_t> wideNode(std::uint16_t length, std::uint16_t valueLength, std::uint16_t type,
                                   const std::u16string& key) {
  std::vector<std::uint8_t> b;
  for (std::uint32_t v : {std::uint32_t{length}, std::uint32_t{valueLength}, std::uint32_t{type}})
    testsupport::appendLe16(b, v);
  for (char16_t c : key + u'\0') testsupport::appendLe16(b, c);
  while (b.size() % 4) b.push_back(0);
  return b;
}

// Appends `child` and sets the wLength of `parent` to its new size.
void adopt(std::vector<std::uint8_t>& parent, const std::vector<std::uint8_t>& child) {
  parent.insert(parent.end(), child.begin(), child.end());
  testsupport::putLe16(parent, 0, static_cast<std::uint32_t>(parent.size()));
}

TEST(VersionBlockHostile, MalformedBlocksAreInvalidOrEndEarly) {
  for (std::size_t n = 0; n < 8; ++n) {
    const std::vector<std::uint8_t> zeros(n, 0);
    const VersionBlock tiny(zeros);
    EXPECT_FALSE(tiny.valid() || tiny.find("\\") || tiny.fixedFileInfo()) << n;
  }
  EXPECT_FALSE(VersionBlock(std::vector<std::uint8_t>{9, 0, 0, 0, 0, 0, 'V', 0, 'S'}, BlockLayout::Wide).valid());
  EXPECT_FALSE(VersionBlock(std::vector<std::uint8_t>{7, 0, 0, 0, 'V', 'S', '_'}, BlockLayout::Narrow).valid());

  auto shortFixed = wideNode(0, 52, 0, u"VS_VERSION_INFO");  // wValueLength 52, 40 bytes there
  adopt(shortFixed, std::vector<std::uint8_t>(40, 0));
  EXPECT_FALSE(VersionBlock(shortFixed).fixedFileInfo());

  auto root = wideNode(0, 0, 0, u"VS_VERSION_INFO");
  adopt(root, wideNode(0, 0, 1, u"StringFileInfo"));  // wLength 0 ends the list of children
  auto after = wideNode(0, 0, 1, u"VarFileInfo");
  testsupport::putLe16(after, 0, static_cast<std::uint32_t>(after.size()));
  adopt(root, after);
  const VersionBlock block(root);
  ASSERT_TRUE(block.valid());
  EXPECT_FALSE(block.find("\\StringFileInfo"));
  EXPECT_FALSE(block.find("\\VarFileInfo"));
}

TEST(VersionBlockHostile, ChildIsBoundedByItsParent) {
  // A value that claims far more than its table holds, followed (outside the table) by
  // text that must not be read as part of it.
  auto value = wideNode(0xFFFF, 0x7FFF, 1, u"FileVersion");
  for (char16_t c : std::u16string(u"1.0")) testsupport::appendLe16(value, c);
  auto table = wideNode(0, 0, 1, u"040904B0");
  adopt(table, value);
  auto info = wideNode(0, 0, 1, u"StringFileInfo");
  adopt(info, table);
  auto root = wideNode(0, 0, 0, u"VS_VERSION_INFO");
  adopt(root, info);
  for (char16_t c : std::u16string(u"XYZ")) testsupport::appendLe16(root, c);
  testsupport::putLe16(root, 0, static_cast<std::uint32_t>(root.size()));
  EXPECT_EQ(query(root, "\\StringFileInfo\\040904B0\\FileVersion"), "1.0");
}

TEST(VersionBlockHostile, EveryTruncationOfARealBlockIsSafe) {
  for (BlockFormat format : {BlockFormat::Wide, BlockFormat::Narrow}) {
    VersionInfoPlan plan = testsupport::simpleVersionInfo({1, 2, 3, 4}, "1.2.3.4");
    plan.tables[0].values.push_back({"Comments", "コメント"});
    const auto full = buildVersionBlock(plan, format);
    for (std::size_t n = 0; n <= full.size(); ++n) {
      const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
      const VersionBlock block(cut, VersionBlock::detectLayout(full));
      std::string out;
      const bool found = block.queryString("\\StringFileInfo\\040904B0\\Comments", out);
      EXPECT_TRUE(n < full.size() || (found && out == "コメント"));
      EXPECT_TRUE(!found || out.size() <= std::string("コメント").size()) << n;
      block.fixedFileInfo();
      block.firstTranslation();
    }
  }
}

// Every table and every value, in block order, whatever the translation table says.
TEST(StringTables, ListsEveryTableWithItsLanguageAndAllValues) {
  for (const BlockFormat format : {BlockFormat::Wide, BlockFormat::Narrow}) {
    auto plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0");
    plan.translations = {{0x0411, 0x04B0}};  // names a table the file does not have
    plan.tables = {{"040904B0", {{"FileVersion", "1.0"}, {"PrivateBuild", "nightly"}}},
                   {"041104b0", {{"CompanyName", "株式会社クオーヴェイン"}}},
                   {"neutral", {}}};
    const auto block = testsupport::buildVersionBlock(plan, format);
    const auto tables = readStringTables(Bytes(block.data(), block.size()));
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(std::tuple(tables[0].Key, tables[0].LanguageName, tables[0].CodePage), std::tuple("040904B0", "英語 (米国)", 0x04B0));
    ASSERT_EQ(tables[0].Values.size(), 2u);
    EXPECT_EQ(std::tuple(tables[0].Values[1].Name, tables[0].Values[1].Text), std::tuple("PrivateBuild", "nightly"));
    EXPECT_EQ(tables[1].LanguageName, "日本語");  // lower-case hexadecimal digits read too
    EXPECT_EQ(tables[1].Values.at(0).Text, "株式会社クオーヴェイン");
    EXPECT_FALSE(tables[2].KeyIsHex);
    EXPECT_EQ(tables[2].LanguageName, "");
    EXPECT_TRUE(tables[2].Values.empty());
  }
  EXPECT_TRUE(readStringTables({}).empty());
}

}  // namespace
}  // namespace quorvane
