#include <gtest/gtest.h>

#include "help/html_attributes.h"
#include "help/html_text.h"

using namespace quorvane::help;

TEST(ColorFromHtml, NamesUseTheFormatsOwnTable) {
  EXPECT_EQ(ColorFromHtml(std::string_view("red")), 0x0000FF);
  EXPECT_EQ(ColorFromHtml(std::string_view("BLUE")), 0xFF0000);
  EXPECT_EQ(ColorFromHtml(std::string_view("green")), ColorFromHtml(std::string_view("lime")));
  EXPECT_EQ(ColorFromHtml(std::string_view("purple")), ColorFromHtml(std::string_view("fuchsia")));
  EXPECT_EQ(ColorFromHtml(std::string_view("gray")), 0xC0C0C0);
  EXPECT_EQ(ColorFromHtml(std::string_view("orange")), 0x0055FF);  // 255, 85, 0
  EXPECT_EQ(ColorFromHtml(std::string_view("pink")), 0xCBC0FF);
}

TEST(ColorFromHtml, HexadecimalWithOrWithoutHash) {
  EXPECT_EQ(ColorFromHtml(std::string_view("#00FF00")), 0x00FF00);
  EXPECT_EQ(ColorFromHtml(std::string_view("#FF0000")), 0x0000FF);  // red lowest byte
  EXPECT_EQ(ColorFromHtml(std::string_view("0000ff")), 0xFF0000);
  EXPECT_EQ(ColorFromHtml(std::string_view("#123456")), 0x563412);
}

TEST(ColorFromHtml, RejectsWhatIsNotAColor) {
  EXPECT_EQ(ColorFromHtml(std::string_view("")), -1);
  EXPECT_EQ(ColorFromHtml(std::string_view("#")), -1);
  EXPECT_EQ(ColorFromHtml(std::string_view("reddish")), -1);
  EXPECT_EQ(ColorFromHtml(std::string_view("#12345G")), -1);
  EXPECT_EQ(ColorFromHtml(std::string_view("123456789")), -1);
}

TEST(HtmlFontPoints, TableAndOutside) {
  EXPECT_EQ(HtmlFontPoints(1, false), 8);
  EXPECT_EQ(HtmlFontPoints(4, false), 14);
  EXPECT_EQ(HtmlFontPoints(7, false), 32);
  EXPECT_EQ(HtmlFontPoints(1, true), 20);
  EXPECT_EQ(HtmlFontPoints(6, true), 7);
  EXPECT_EQ(HtmlFontPoints(7, true), 0);
  EXPECT_EQ(HtmlFontPoints(0, false), 0);
  EXPECT_EQ(HtmlFontPoints(8, false), 0);
  EXPECT_EQ(HtmlFontPoints(-1, true), 0);
}

TEST(AttributeValue, RunsToTheNextSpaceInclusive) {
  EXPECT_EQ(AttributeValue(std::string_view("A NAME=x y"), 1), "x ");
  EXPECT_EQ(AttributeValue(std::string_view("A NAME=\"x y\""), 1), "\"x ");
  EXPECT_EQ(AttributeValue(std::string_view("FONT COLOR=red"), 1), "red");
  EXPECT_EQ(AttributeValue(std::string_view("FONT COLOR=red SIZE=2"), 12), "2");
  EXPECT_EQ(AttributeValue(std::string_view("FONT COLOR"), 1), "");
  EXPECT_EQ(AttributeValue(std::string_view("X="), 1), "");
  EXPECT_EQ(AttributeValue(std::string_view("X=1"), 99), "");
  EXPECT_EQ(AttributeValue(std::string_view("名前=値 次"), 1), "値 ");
}

TEST(StripQuotes, OneQuoteEachSide) {
  EXPECT_EQ(StripQuotes(std::string_view("\"abc\"")), "abc");
  EXPECT_EQ(StripQuotes(std::string_view("\"abc")), "abc");
  EXPECT_EQ(StripQuotes(std::string_view("abc\"")), "abc");
  EXPECT_EQ(StripQuotes(std::string_view("\"\"x\"\"")), "\"x\"");
  EXPECT_EQ(StripQuotes(std::string_view("\"")), "");
  EXPECT_EQ(StripQuotes(std::string_view("")), "");
}

TEST(HtmlText, NumberValueAndPatterns) {
  EXPECT_EQ(numberValue(U"12"), 12);
  EXPECT_EQ(numberValue(U"+1"), 1);
  EXPECT_EQ(numberValue(U"-3"), -3);
  EXPECT_EQ(numberValue(U"2.5"), 2);
  EXPECT_EQ(numberValue(U"3.5"), 4);
  EXPECT_EQ(numberValue(U"12px"), 0);
  EXPECT_EQ(numberValue(U""), 0);
  EXPECT_EQ(numberValue(U"99999999999999"), 2147483647);
  EXPECT_TRUE(wildMatch(U"H1 ALIGN=CENTER", U"H# *"));
  EXPECT_FALSE(wildMatch(U"HR", U"H#"));
  EXPECT_TRUE(wildMatch(U"!--", U"!--*"));
  EXPECT_FALSE(wildMatch(U"A", U"A *"));
  EXPECT_EQ(trimSpaces(U"  a b  "), U"a b");
  EXPECT_EQ(upperAscii(U"abcあ"), U"ABCあ");
}
