#include <gtest/gtest.h>

#include "support/pe_image_builder.h"
#include "version/string_tables.h"

namespace quorvane {
namespace {

using testsupport::BlockFormat;

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
