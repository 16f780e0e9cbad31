#include <gtest/gtest.h>

#include <string>

#include "extraction/extraction_kinds.h"
#include "extraction/extraction_texts.h"

namespace quorvane {
namespace {

// Patterns are split at blanks; only the compressed kind, or any pattern with a "_", expands.
TEST(ExtractionKinds, PatternsAndExpansion) {
  for (std::size_t i = 0; i < kExtractionKinds.size(); ++i)
    EXPECT_EQ(PatternsOfKind(kExtractionKinds[i]).ExpandCompressed, i == 5) << kExtractionKinds[i];
  EXPECT_EQ(PatternsOfKind("  *.DLL   *.OCX *.OLB  ").Patterns, (std::vector<std::string>{"*.DLL", "*.OCX", "*.OLB"}));
  EXPECT_EQ(PatternsOfKind(kExtractionKinds[4]).Patterns.size(), 5u);
  EXPECT_TRUE(PatternsOfKind("").Patterns.empty());
  EXPECT_TRUE(PatternsOfKind("*.DLL my_*.*").ExpandCompressed);
}

TEST(ExtractionTexts, ScanMessages) {
  using basDirUtil::ScanResult;
  EXPECT_STREQ(extractionText::scanMessage(ScanResult::FolderMissing), "指定されたフォルダーは存在しません");
  EXPECT_STREQ(extractionText::scanMessage(ScanResult::NoFolder), "フォルダーが指定されていません");
  EXPECT_STREQ(extractionText::scanMessage(ScanResult::NothingMatched), "対象となるファイルは有りませんでした");
  EXPECT_EQ(extractionText::scanMessage(ScanResult::NoPatterns), nullptr);
  EXPECT_EQ(extractionText::scanMessage(ScanResult::Found), nullptr);
}

}  // namespace
}  // namespace quorvane
