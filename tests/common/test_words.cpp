#include <gtest/gtest.h>

#include "common/basDirUtil.h"

namespace quorvane::basDirUtil {
namespace {

TEST(WordCount, BlankModeTrimsAndMergesRuns) {
  EXPECT_EQ(WordCount("*.DLL *.OCX", 1, ""), 2);
  EXPECT_EQ(WordCount("  *.DLL    *.OCX  *.OLB ", 1, ""), 3);
  EXPECT_EQ(WordCount("", 1, ""), 0);
  EXPECT_EQ(WordCount("    ", 1, ""), 0);
  EXPECT_EQ(WordCount("*.*", 1, ""), 1);
  // Mode 1 ignores the separator argument, even a malformed one.
  EXPECT_EQ(WordCount("a b", 1, ",,"), 2);
}

TEST(WordCount, SeparatorModes) {
  EXPECT_EQ(WordCount("a,b,,c", 2, ","), 4);
  EXPECT_EQ(WordCount(" a , b ", 2, ","), 2);
  EXPECT_EQ(WordCount("", 2, ","), 0);
  EXPECT_EQ(WordCount("a, ,b", 3, ","), 3);
  EXPECT_EQ(WordCount("   ", 3, ","), 0);
  EXPECT_EQ(WordCount("a\tb", 2, "\t"), 2);
  EXPECT_EQ(WordCount("あ、い、う", 2, "、"), 3);  // a separator is one character, not one byte
}

TEST(WordCount, BadSeparatorGivesMinusOne) {
  EXPECT_EQ(WordCount("a,b", 2, ""), -1);
  EXPECT_EQ(WordCount("a,b", 3, ",,"), -1);
  EXPECT_EQ(WordCount("a,b", 0, ""), -1);
}

TEST(GetWord, NthWordUnderTheSameRules) {
  EXPECT_EQ(GetWord("  *.DLL    *.OCX ", 1, 1, ""), "*.DLL");
  EXPECT_EQ(GetWord("  *.DLL    *.OCX ", 2, 1, ""), "*.OCX");
  EXPECT_EQ(GetWord("  *.DLL    *.OCX ", 3, 1, ""), "");
  EXPECT_EQ(GetWord("a", 0, 1, ""), "");
  EXPECT_EQ(GetWord("a", -1, 1, ""), "");
  EXPECT_EQ(GetWord(" a , b ", 1, 2, ","), " a ");
  EXPECT_EQ(GetWord(" a , b ", 2, 3, ","), "b");
  EXPECT_EQ(GetWord("a,,c", 2, 2, ","), "");
  EXPECT_EQ(GetWord("a,,c", 3, 2, ","), "c");
  EXPECT_EQ(GetWord("a,b", 1, 2, ""), "");
  EXPECT_EQ(GetWord("あ、い、う", 2, 2, "、"), "い");
}

TEST(GetWord, AgreesWithWordCount) {
  const char* text = "*.DLL *.OCX *.OLB *.TLB *.EXE";
  const int n = WordCount(text, 1, "");
  ASSERT_EQ(n, 5);
  std::string joined;
  for (int i = 1; i <= n; ++i) joined += (i > 1 ? " " : "") + GetWord(text, i, 1, "");
  EXPECT_EQ(joined, text);
}

}  // namespace
}  // namespace quorvane::basDirUtil
