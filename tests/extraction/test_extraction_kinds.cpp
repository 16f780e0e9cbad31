#include <gtest/gtest.h>

#include <string>

#include "extraction/extraction_kinds.h"
#include "extraction/extraction_texts.h"

namespace quorvane {
namespace {

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
