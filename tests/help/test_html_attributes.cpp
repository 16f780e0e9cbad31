#include <gtest/gtest.h>

#include "help/html_attributes.h"
#include "help/html_text.h"

using namespace quorvane::help;

TEST(ColorFromHtml, NamesHexadecimalAndWhatIsNotAColor) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"red", 0x0000FF},    {"BLUE", 0xFF0000},  // red is the lowest byte
      {"gray", 0xC0C0C0},   {"orange", 0x0055FF}, {"pink", 0xCBC0FF},
      {"#00FF00", 0x00FF00}, {"#FF0000", 0x0000FF}, {"0000ff", 0xFF0000}, {"#123456", 0x563412},
      {"", -1}, {"#", -1}, {"reddish", -1}, {"#12345G", -1}, {"123456789", -1},
  };
  for (const auto& [text, color] : cases) EXPECT_EQ(ColorFromHtml(std::string_view(text)), color) << text;
  // The format's own table names some colours twice.
  EXPECT_EQ(ColorFromHtml(std::string_view("green")), ColorFromHtml(std::string_view("lime")));
  EXPECT_EQ(ColorFromHtml(std::string_view("purple")), ColorFromHtml(std::string_view("fuchsia")));
}

TEST(AttributeValue, RunsToTheNextSpaceInclusiveAndQuotesAreStrippedOnce) {
  const std::tuple<const char*, int, const char*> values[] = {
      {"A NAME=x y", 1, "x "},        {"A NAME=\"x y\"", 1, "\"x "},  {"FONT COLOR=red", 1, "red"},
      {"FONT COLOR=red SIZE=2", 12, "2"}, {"FONT COLOR", 1, ""},      {"X=", 1, ""},
      {"X=1", 99, ""},                {"名前=値 次", 1, "値 "},
  };
  for (const auto& [tag, from, value] : values) EXPECT_EQ(AttributeValue(std::string_view(tag), from), value) << tag;
  const std::pair<const char*, const char*> quoted[] = {{"\"abc\"", "abc"}, {"\"abc", "abc"}, {"abc\"", "abc"},
                                                        {"\"\"x\"\"", "\"x\""}, {"\"", ""}, {"", ""}};
  for (const auto& [in, out] : quoted) EXPECT_EQ(StripQuotes(std::string_view(in)), out) << in;
}

TEST(HtmlText, NumberValueAndPatterns) {
  const std::pair<Text, std::int32_t> numbers[] = {{U"12", 12}, {U"+1", 1},      {U"-3", -3}, {U"2.5", 2},
                                                   {U"3.5", 4}, {U"12px", 0},    {U"", 0},
                                                   {U"99999999999999", 2147483647}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(numberValue(text), value);
  EXPECT_TRUE(wildMatch(U"H1 ALIGN=CENTER", U"H# *"));
  EXPECT_FALSE(wildMatch(U"HR", U"H#"));
  EXPECT_TRUE(wildMatch(U"!--", U"!--*"));
  EXPECT_FALSE(wildMatch(U"A", U"A *"));
  EXPECT_EQ(trimSpaces(U"  a b  "), U"a b");
  EXPECT_EQ(upperAscii(U"abcあ"), U"ABCあ");
}
