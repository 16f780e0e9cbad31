#include <gtest/gtest.h>

#include "help/help_source.h"
#include "help/html_text.h"
#include "support_help_files.h"

using namespace quorvane::help;

TEST(HelpSource, LinesAreTrimmedAndJoinedWithOneSpace) {
  EXPECT_EQ(buildHelpSource("  <B>a</B>  \r\n\tb\t\r\nc"), U"<B>a</B> \tb\t c ");
  EXPECT_EQ(buildHelpSource("a\nb\rc\r\n"), U"a b c ");
  EXPECT_EQ(buildHelpSource("\r\n\r\n"), U"  ");
  EXPECT_EQ(buildHelpSource(""), U"");
}

TEST(HelpSource, CodePage932AndUtf8WithByteOrderMark) {
  // "ヘルプ" in code page 932.
  EXPECT_EQ(buildHelpSource("\x83\x77\x83\x8B\x83\x76\r\n"), U"ヘルプ ");
  EXPECT_EQ(buildHelpSource("\xEF\xBB\xBF\xE3\x83\x98\xE3\x83\xAB\xE3\x83\x97"), U"ヘルプ ");
  // A byte that is not code page 932 costs one character, not the file.
  const Text lenient = buildHelpSource("a\xA0" "b");
  EXPECT_EQ(lenient.front(), U'a');
  EXPECT_EQ(lenient.substr(lenient.size() - 2), U"b ");
}
