#include <gtest/gtest.h>

#include "support_render.h"

using namespace quorvane::help;
using quorvane::help::testing::Rendered;

namespace {
std::string page(const std::string& body) { return "<HTML><BODY>" + body + "</BODY></HTML>"; }
}  // namespace

TEST(RenderPass, TextRunsAreTrimmedAndSpacesBesideTagsVanish) {
  Rendered r;
  ASSERT_TRUE(r.render(page("a<B>b</B> c")).ok);
  EXPECT_EQ(r.result.plainText, "abc");
  ASSERT_TRUE(r.render(page("a&nbsp;<B>b</B>")).ok);
  EXPECT_EQ(r.result.plainText, "a b");
}

TEST(RenderPass, Entities) {
  Rendered r;
  ASSERT_TRUE(r.render(page("&lt;&gt;&amp;&quot;&copy;")).ok);
  EXPECT_EQ(r.result.plainText, "<>&\"copy");
  // "&" without a later ";" draws nothing for the "&"; text after the last tag goes
  // one character at a time and is not trimmed.
  ASSERT_TRUE(r.render("<BODY>x & y").ok);
  EXPECT_EQ(r.result.plainText, "x  y");
}

TEST(RenderPass, LineBreaksAndPlainTextExtras) {
  Rendered r;
  ASSERT_TRUE(r.render(page("a<BR>b<P>c<TABLE BORDER=1>d</TABLE><TABLE>e")).ok);
  EXPECT_EQ(r.result.plainText, "a\r\n\r\nb\r\nc\r\n\r\nde");
}

TEST(RenderPass, TagsAreMatchedInUpperCase) {
  Rendered r;
  ASSERT_TRUE(r.render("<body>a<br>b<b>c</b>").ok);
  EXPECT_EQ(r.result.plainText.substr(0, 6), "a\r\n\r\nb");
  EXPECT_FALSE(r.canvas.font().bold);
}

TEST(RenderPass, FontStateIsNotStackedAndSurvivesPasses) {
  Rendered r;
  ASSERT_TRUE(r.render(page("<B><STRONG>x</B>y<I>z<S>")).ok);
  const auto& ops = r.canvas.ops();
  bool sawBoldX = false, sawPlainY = false;
  for (const auto& op : ops) {
    if (op.text == "x") sawBoldX = op.font.bold;
    if (op.text == "y") sawPlainY = !op.font.bold;
  }
  EXPECT_TRUE(sawBoldX);
  EXPECT_TRUE(sawPlainY);
  EXPECT_TRUE(r.canvas.font().italic);
  ASSERT_TRUE(r.render(page("w")).ok);
  EXPECT_TRUE(r.canvas.font().italic);  // not reset at the start of a pass
  EXPECT_TRUE(r.canvas.font().strikethrough);
}

TEST(RenderPass, FontSizesAndColors) {
  Rendered r;
  ASSERT_TRUE(r.render(page("<FONT SIZE=+1 COLOR=#00FF00>x</FONT>y")).ok);
  double xPoints = 0, yPoints = 0;
  quorvane::help::Color xColor = 0;
  for (const auto& op : r.canvas.ops()) {
    if (op.text == "x") xPoints = op.font.points, xColor = op.color;
    if (op.text == "y") yPoints = op.font.points;
  }
  EXPECT_EQ(xPoints, 18);
  EXPECT_EQ(xColor, 0x00FF00u);
  EXPECT_EQ(yPoints, 14);
  r.settings.displayScale = 1.3;
  ASSERT_TRUE(r.render(page("<FONT SIZE=2>x")).ok);
  EXPECT_DOUBLE_EQ(r.canvas.font().points, 13.0);
  ASSERT_TRUE(r.render(page("<H1>t</H1>")).ok);
  EXPECT_DOUBLE_EQ(r.canvas.font().points, 14 * 1.3);
  r.settings.displayScale = 1.0;
  ASSERT_TRUE(r.render(page("<H7>t")).ok);  // no size of its own: the body's, no failure
  EXPECT_EQ(r.canvas.font().points, 14);
}

TEST(RenderPass, BodyColorsAndBaseFont) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY BGCOLOR=yellow TEXT=navy LINK=red>x<BASEFONT SIZE=2>").ok);
  EXPECT_EQ(r.settings.colors.background, 0x00FFFFu);
  EXPECT_EQ(r.settings.colors.text, 0x800000u);
  EXPECT_EQ(r.settings.colors.link, 0x0000FFu);
  EXPECT_EQ(r.settings.baseSizeIndex, 2);
}

TEST(RenderPass, FailuresStopThePass) {
  Rendered r;
  struct Case {
    const char* source;
    RenderFailure failure;
  };
  const Case cases[] = {
      {"<HTML>no body</HTML>", RenderFailure::NoBody},
      {"<BODY>a <B", RenderFailure::UnclosedTag},
      {"<BODY><P ALIGN=>", RenderFailure::EmptyAttribute},
      {"<BODY><H1 ALIGN= x>", RenderFailure::EmptyAttribute},
      {"<BODY><FONT SIZE=9>", RenderFailure::BadFontSize},
      {"<BODY><FONT SIZE=>", RenderFailure::EmptyAttribute},
      {"<BODY><FONT COLOR=reddish>", RenderFailure::NotAColor},
      {"<BODY BGCOLOR=>", RenderFailure::EmptyAttribute},
      {"<BODY TEXT=nope>", RenderFailure::NotAColor},
      {"<BODY LINK=#GG>", RenderFailure::NotAColor},
      {"<BODY><BASEFONT FACE=x>", RenderFailure::BaseFontWithoutSize},
      {"<BODY><BASEFONT SIZE=>", RenderFailure::EmptyAttribute},
  };
  for (const Case& c : cases) {
    const RenderResult result = r.render(c.source);
    EXPECT_FALSE(result.ok) << c.source;
    EXPECT_EQ(result.failure, c.failure) << c.source;
    EXPECT_TRUE(result.plainText.empty()) << c.source;
  }
  // Attribute-less FONT, TABLE and unknown tags are simply ignored.
  EXPECT_TRUE(r.render(page("<FONT><TABLE><TD><XYZ a=b>x")).ok);
}

TEST(RenderPass, EndOfTopicEndsTheFirstTopic) {
  Rendered r;
  const std::string file =
      "<HTML><BODY>first<!-- zqHTML.EndOfTopic -->"
      "<A NAME=\"two\"></A>second<!--ZQHTML.ENDOFTOPIC-->"
      "<A NAME=three></A>third</BODY>";
  ASSERT_TRUE(r.render(file).ok);
  EXPECT_EQ(r.result.plainText, "first");
  r.settings.enableDispEnd = false;
  ASSERT_TRUE(r.render(file).ok);
  EXPECT_EQ(r.result.plainText, "firstsecondthird");
}

TEST(RenderPass, TopicsThroughTheAnchorTable) {
  Rendered r;
  const std::string file =
      "<BODY><A NAME=one></A>1st<!--zqHTML.EndOfTopic-->"
      "<A NAME=two></A>2nd<!--zqHTML.EndOfTopic-->"
      "<A NAME=three></A>3rd<!--zqHTML.EndOfTopic--></BODY>";
  r.settings.topicName = "three";
  ASSERT_TRUE(r.render(file).ok);
  EXPECT_EQ(r.result.plainText, "3rd");
  ASSERT_EQ(r.anchors.upperIndex(), 2);
  EXPECT_EQ(r.anchors.at(2).Name, "three");
  EXPECT_EQ(r.anchors.at(1).Position, static_cast<std::int32_t>(std::string("<BODY><A NAME=one></A>1st<!--zqHTML.EndOfTopic-->").size()) + 1);
  // The second pass starts at the anchor before the topic and finds it again.
  r.settings.topicName = "two";
  ASSERT_TRUE(r.render(file).ok);
  EXPECT_EQ(r.result.plainText, "2nd");
  // Names are case-sensitive; an unknown topic shows nothing.
  r.settings.topicName = "TWO";
  ASSERT_TRUE(r.render(file).ok);
  EXPECT_EQ(r.result.plainText, "");
  EXPECT_EQ(r.anchors.upperIndex(), 2);
}

TEST(RenderPass, AnchorNamesAreCutAtSpacesAndKeepTheirFirstPosition) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><A NAME=\"x y\">a</A><A NAME=x>b</A><A NAME=>c</A>").ok);
  ASSERT_EQ(r.anchors.upperIndex(), 0);
  EXPECT_EQ(r.anchors.at(0).Name, "x");
  EXPECT_EQ(r.anchors.at(0).Position, 7);
}

TEST(RenderPass, OrderedAndUnorderedItems) {
  Rendered r;
  ASSERT_TRUE(r.render(page("<OL><LI>a<LI>b<LI>c</OL><UL><LI>d</UL>")).ok);
  EXPECT_EQ(r.result.plainText,
            "\r\n\u30001 . a\r\n\u30002 . b\r\n\u30003 . c\r\n\u30FBd");
  std::string ten;
  for (int i = 0; i < 10; ++i) ten += "<LI>x";
  ASSERT_TRUE(r.render(page("<OL>" + ten + "</OL>")).ok);
  EXPECT_NE(r.result.plainText.find("\r\n10 . x"), std::string::npos);
  // A stray closing list tag leaves later lists working.
  ASSERT_TRUE(r.render(page("</OL></OL><OL><LI>a</OL>")).ok);
  EXPECT_NE(r.result.plainText.find("\u30001 . a"), std::string::npos);
}

TEST(RenderPass, ClosingListTagsBreakUnlessAfterAListTag) {
  Rendered r;
  ASSERT_TRUE(r.render(page("<UL><LI>a</LI></UL>b<DL><DT>t<DD>d</DL>e")).ok);
  EXPECT_EQ(r.result.plainText, "\r\n\u30FBab\r\nt\r\nd\r\ne");
}
