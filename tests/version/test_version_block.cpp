#include <gtest/gtest.h>

#include "support/pe_image_builder.h"
#include "version/version_block.h"

namespace quorvane {
namespace {

using testsupport::BlockFormat;
using testsupport::buildVersionBlock;
using testsupport::LengthUnit;
using testsupport::VersionInfoPlan;

class VersionBlockBothLayouts : public ::testing::TestWithParam<BlockFormat> {
 protected:
  std::vector<std::uint8_t> build(const VersionInfoPlan& plan) { return buildVersionBlock(plan, GetParam()); }
  static std::string query(const std::vector<std::uint8_t>& bytes, std::string_view path) {
    std::string out = "untouched";
    if (!VersionBlock(bytes).queryString(path, out)) return "<missing>";
    return out;
  }
};

TEST_P(VersionBlockBothLayouts, DetectsItsLayout) {
  auto bytes = build(testsupport::simpleVersionInfo({1, 2, 3, 4}, "1.2.3.4"));
  const VersionBlock block(bytes);
  EXPECT_EQ(block.layout(), GetParam() == BlockFormat::Wide ? BlockLayout::Wide : BlockLayout::Narrow);
  EXPECT_TRUE(block.valid());
}

TEST_P(VersionBlockBothLayouts, ReadsFixedInfoTranslationAndStrings) {
  VersionInfoPlan plan = testsupport::simpleVersionInfo({4, 71, 1712, 5}, "4.71.1712.5");
  plan.fixed.productVersion = {5, 0, 0, 1};
  plan.fixed.fileTime = 0x01BD0D6A12345678ull;
  plan.translations = {{0x0411, 0x03A4}, {0x0409, 0x04B0}};
  auto bytes = build(plan);
  const VersionBlock block(bytes);

  auto fixed = block.fixedFileInfo();
  ASSERT_TRUE(fixed);
  EXPECT_EQ(fixed->signature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->fileVersionMS, 0x00040047u);
  EXPECT_EQ(fixed->fileVersionLS, 0x06B00005u);
  EXPECT_EQ(fixed->productVersionMS, 0x00050000u);
  EXPECT_EQ(fixed->productVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dateMS, 0x01BD0D6Au);
  EXPECT_EQ(fixed->dateLS, 0x12345678u);

  auto t = block.firstTranslation();
  ASSERT_TRUE(t);
  EXPECT_EQ(t->language, 0x0411);
  EXPECT_EQ(t->codePage, 0x03A4);

  EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\FileVersion"), "4.71.1712.5");
  EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\CompanyName"), "Quorvane Test Corporation");
  EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\Comments"), "<missing>");
  EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904E4\\FileVersion"), "<missing>");
  EXPECT_EQ(block.firstStringTableKey().value_or(""), "040904B0");
}

TEST_P(VersionBlockBothLayouts, MatchesKeysWithoutRegardToCase) {
  VersionInfoPlan plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0");
  plan.tables[0].key = "040904b0";
  auto bytes = build(plan);
  EXPECT_EQ(query(bytes, "\\stringfileinfo\\040904B0\\FILEVERSION"), "1.0");
  EXPECT_EQ(query(bytes, "\\STRINGFILEINFO\\040904b0\\fileversion"), "1.0");
  EXPECT_TRUE(VersionBlock(bytes).find("\\varfileinfo\\TRANSLATION"));
}

TEST_P(VersionBlockBothLayouts, ValueLengthInBytesOrCharactersGivesTheSameText) {
  for (LengthUnit unit : {LengthUnit::Characters, LengthUnit::Bytes}) {
    VersionInfoPlan plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "6.00.2900.5512 (xpsp.080413-2105)");
    plan.tables[0].values.push_back({"Comments", "日本語のコメント"});
    plan.stringLengthUnit = unit;
    auto bytes = build(plan);
    EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\FileVersion"), "6.00.2900.5512 (xpsp.080413-2105)");
    EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\Comments"), "日本語のコメント");
    EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\CompanyName"), "Quorvane Test Corporation");
  }
}

TEST_P(VersionBlockBothLayouts, TrailingNulsAreCut) {
  VersionInfoPlan plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "2.5");
  plan.extraNuls = 3;
  auto bytes = build(plan);
  EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\FileVersion"), "2.5");
}

TEST_P(VersionBlockBothLayouts, EmptyValuesAreFoundAndEmpty) {
  VersionInfoPlan plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "");
  plan.tables[0].values.push_back({"Comments", ""});
  auto bytes = build(plan);
  EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\FileVersion"), "");
  EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\Comments"), "");
  EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\ProductName"), "<missing>");
}

TEST_P(VersionBlockBothLayouts, VarFileInfoBeforeStringFileInfo) {
  VersionInfoPlan plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "3.1");
  plan.varFileInfoFirst = true;
  auto bytes = build(plan);
  EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\FileVersion"), "3.1");
  ASSERT_TRUE(VersionBlock(bytes).firstTranslation());
}

TEST_P(VersionBlockBothLayouts, SecondTableAndJapaneseKeysOfValues) {
  VersionInfoPlan plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0");
  plan.tables.push_back({"041103A4", {{"FileVersion", "第２版"}, {"特別な名前", "値"}}});
  auto bytes = build(plan);
  EXPECT_EQ(query(bytes, "\\StringFileInfo\\041103A4\\FileVersion"), "第２版");
  EXPECT_EQ(query(bytes, "\\StringFileInfo\\041103A4\\特別な名前"), "値");
}

TEST_P(VersionBlockBothLayouts, NoTranslationTableAndNoFixedInfo) {
  VersionInfoPlan plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0");
  plan.hasTranslationTable = false;
  plan.hasFixedInfo = false;
  auto bytes = build(plan);
  const VersionBlock block(bytes);
  EXPECT_FALSE(block.firstTranslation());
  EXPECT_FALSE(block.fixedFileInfo());
  EXPECT_EQ(query(bytes, "\\StringFileInfo\\040904B0\\FileVersion"), "1.0");
}

TEST_P(VersionBlockBothLayouts, RootPathsAndTooDeepPaths) {
  auto bytes = build(testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0"));
  const VersionBlock block(bytes);
  ASSERT_TRUE(block.find("\\"));
  EXPECT_EQ(block.find("\\")->start, 0u);
  EXPECT_TRUE(block.find("\\\\StringFileInfo\\\\040904B0\\"));
  EXPECT_FALSE(block.find("\\StringFileInfo\\040904B0\\FileVersion\\a\\b\\c\\d\\e\\f"));
  EXPECT_FALSE(block.find("\\StringFileInfo\\040904B0\\FileVersion\\x"));
}

INSTANTIATE_TEST_SUITE_P(Layouts, VersionBlockBothLayouts,
                         ::testing::Values(BlockFormat::Wide, BlockFormat::Narrow),
                         [](const auto& info) { return info.param == BlockFormat::Wide ? "Wide" : "Narrow"; });

// Hand-made 32-bit blocks: header fields one by one.
std::vector<std::uint8_t> wideNode(std::uint16_t length, std::uint16_t valueLength, std::uint16_t type,
                                   const std::u16string& key) {
  std::vector<std::uint8_t> b = {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                                 static_cast<std::uint8_t>(valueLength), static_cast<std::uint8_t>(valueLength >> 8),
                                 static_cast<std::uint8_t>(type), 0};
  for (char16_t c : key) b.push_back(static_cast<std::uint8_t>(c)), b.push_back(static_cast<std::uint8_t>(c >> 8));
  b.push_back(0), b.push_back(0);
  while (b.size() % 4) b.push_back(0);
  return b;
}

TEST(VersionBlockHostile, EmptyOrTinyBlocksAreInvalid) {
  for (std::size_t n = 0; n < 8; ++n) {
    std::vector<std::uint8_t> bytes(n, 0);
    const VersionBlock block(bytes);
    EXPECT_FALSE(block.valid());
    EXPECT_FALSE(block.find("\\"));
    EXPECT_FALSE(block.fixedFileInfo());
  }
}

TEST(VersionBlockHostile, ZeroLengthChildEndsTheList) {
  auto root = wideNode(0, 0, 0, u"VS_VERSION_INFO");
  auto zero = wideNode(0, 0, 1, u"StringFileInfo");  // wLength 0
  auto after = wideNode(0, 0, 1, u"VarFileInfo");
  after[0] = static_cast<std::uint8_t>(after.size());
  root.insert(root.end(), zero.begin(), zero.end());
  root.insert(root.end(), after.begin(), after.end());
  root[0] = static_cast<std::uint8_t>(root.size());
  const VersionBlock block(root);
  ASSERT_TRUE(block.valid());
  EXPECT_FALSE(block.find("\\StringFileInfo"));
  EXPECT_FALSE(block.find("\\VarFileInfo"));  // not reached past the zero-length child
}

TEST(VersionBlockHostile, ChildIsBoundedByItsParent) {
  // A string whose wLength and wValueLength claim far more than its table holds, followed
  // (outside the table) by text that must not be read as part of the value.
  auto root = wideNode(0, 0, 0, u"VS_VERSION_INFO");
  auto info = wideNode(0, 0, 1, u"StringFileInfo");
  auto table = wideNode(0, 0, 1, u"040904B0");
  auto value = wideNode(0xFFFF, 0x7FFF, 1, u"FileVersion");
  for (char16_t c : std::u16string(u"1.0")) value.push_back(static_cast<std::uint8_t>(c)), value.push_back(0);
  const std::size_t tableEnd = table.size() + value.size();
  table.insert(table.end(), value.begin(), value.end());
  table[0] = static_cast<std::uint8_t>(tableEnd);
  info.insert(info.end(), table.begin(), table.end());
  info[0] = static_cast<std::uint8_t>(info.size());
  root.insert(root.end(), info.begin(), info.end());
  for (char16_t c : std::u16string(u"XYZ")) root.push_back(static_cast<std::uint8_t>(c)), root.push_back(0);
  root[0] = static_cast<std::uint8_t>(root.size());
  std::string out;
  ASSERT_TRUE(VersionBlock(root).queryString("\\StringFileInfo\\040904B0\\FileVersion", out));
  EXPECT_EQ(out, "1.0");
}

TEST(VersionBlockHostile, KeyWithoutNulAndOddLengths) {
  std::vector<std::uint8_t> bytes = {9, 0, 0, 0, 0, 0, 'V', 0, 'S'};  // no NUL before the end
  EXPECT_FALSE(VersionBlock(bytes, BlockLayout::Wide).valid());
  std::vector<std::uint8_t> narrow = {7, 0, 0, 0, 'V', 'S', '_'};
  EXPECT_FALSE(VersionBlock(narrow, BlockLayout::Narrow).valid());
}

TEST(VersionBlockHostile, FixedInfoShorterThanItsStructure) {
  auto root = wideNode(0, 52, 0, u"VS_VERSION_INFO");
  root.resize(root.size() + 40, 0);  // wValueLength says 52, the node holds 40
  root[0] = static_cast<std::uint8_t>(root.size());
  EXPECT_FALSE(VersionBlock(root).fixedFileInfo());
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
      if (n == full.size()) {
        EXPECT_TRUE(found);
        EXPECT_EQ(out, "コメント");
      }
      if (found) {
        EXPECT_LE(out.size(), std::string("コメント").size());
      }
      block.fixedFileInfo();
      block.firstTranslation();
    }
  }
}

}  // namespace
}  // namespace quorvane
