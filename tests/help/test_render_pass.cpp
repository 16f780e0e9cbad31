#include <gtest/gtest.h>

#include "support_render.h"

using namespace quorvane::help;
using quorvane::help::testing::Rendered;

// Html in, plain text out: the tag rules of a pass.
TEST(RenderPass, TagsGiveThePlainText) {
  const std::pair<const char*, const char*> cases[] = {
      {"<BODY>a<B>b</B> c</BODY>", "abc"},  // runs are trimmed; spaces beside tags vanish
      {"<BODY>a&nbsp;<B>b</B></BODY>", "a b"},
      {"<BODY>&lt;&gt;&amp;&quot;&copy;</BODY>", "<>&\"copy"},
      // "&" without a later ";" draws nothing; text after the last tag goes one character
      // at a time and is not trimmed.
      {"<BODY>x & y", "x  y"},
      {"<BODY>a<BR>b<P>c<TABLE BORDER=1>d</TABLE><TABLE>e</BODY>", "a\r\n\r\nb\r\nc\r\n\r\nde"},
      {"<body>a<br>b<b>c</b></body>", "a\r\n\r\nbc"},  // tags match in any case
      {"<BODY><OL><LI>a<LI>b<LI>c</OL><UL><LI>d</UL></BODY>",
       "\r\n\u30001 . a\r\n\u30002 . b\r\n\u30003 . c\r\n\u30FBd"},
      {"<BODY><OL><LI>x<LI>x<LI>x<LI>x<LI>x<LI>x<LI>x<LI>x<LI>x<LI>y</OL></BODY>",
       "\r\n\u30001 . x\r\n\u30002 . x\r\n\u30003 . x\r\n\u30004 . x\r\n\u30005 . x\r\n\u30006 . x"
       "\r\n\u30007 . x\r\n\u30008 . x\r\n\u30009 . x\r\n10 . y"},  // the last two characters of the number
      // A stray closing list tag leaves later lists working.
      {"<BODY></OL></OL><OL><LI>a</OL></BODY>", "\r\n\r\n\u30001 . a"},
      // Closing list tags break the line unless they follow another list tag.
      {"<BODY><UL><LI>a</LI></UL>b<DL><DT>t<DD>d</DL>e</BODY>", "\r\n\u30FBab\r\nt\r\nd\r\ne"},
      // Centred and right-aligned lines start with a space.
      {"<BODY><BLOCKQUOTE>q</BLOCKQUOTE><CENTER>c</CENTER><HR>h<P ALIGN=RIGHT>r</P>", "q ch r\r\n"},
      {"<BODY><H2 ALIGN=CENTER>Title</H2>text", " Title\r\ntext"},  // ALIGN: a space, not a break
      {"<BODY><FONT><TABLE><TD><XYZ a=b>x</BODY>", "x"},  // attribute-less and unknown tags
      {"<BODY>first<!-- zqHTML.EndOfTopic --><A NAME=\"two\"></A>second</BODY>", "first"},
  };
  for (const auto& [source, text] : cases) {
    Rendered r;
    ASSERT_TRUE(r.render(source).ok) << source;
    EXPECT_EQ(r.result.plainText, text) << source;
  }
}

TEST(RenderPass, FontStateIsSwitchedNotStackedAndSurvivesPasses) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><B><STRONG>x</B>y<I>z<S>").ok);
  for (const auto& op : r.canvas.ops())
    if (op.text == "x" || op.text == "y") EXPECT_EQ(op.font.bold, op.text == "x");
  ASSERT_TRUE(r.render("<BODY>w").ok);
  EXPECT_TRUE(r.canvas.font().italic && r.canvas.font().strikethrough);  // not reset at the start of a pass
  ASSERT_TRUE(r.render("<BODY></I></S><A HREF=x>l</A>").ok);
  EXPECT_FALSE(r.canvas.font().italic || r.canvas.font().strikethrough || r.canvas.font().underline);
}

TEST(RenderPass, FontSizesAndColors) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><FONT SIZE=+1 COLOR=#00FF00>x</FONT>y").ok);
  for (const auto& op : r.canvas.ops()) {
    if (op.text == "x") EXPECT_EQ(std::make_pair(op.font.points, op.color), std::make_pair(18.0, Color{0x00FF00}));
    if (op.text == "y") EXPECT_EQ(op.font.points, 14);
  }
  r.settings.displayScale = 1.3;
  ASSERT_TRUE(r.render("<BODY><FONT SIZE=2>x").ok);
  EXPECT_DOUBLE_EQ(r.canvas.font().points, 13.0);
  ASSERT_TRUE(r.render("<BODY><H1>t</H1>").ok);
  EXPECT_DOUBLE_EQ(r.canvas.font().points, 14 * 1.3);
  r.settings.displayScale = 1.0;
  ASSERT_TRUE(r.render("<BODY><H7>t").ok);  // no size of its own: the body's, no failure
  EXPECT_EQ(r.canvas.font().points, 14);
  ASSERT_TRUE(r.render("<BODY BGCOLOR=yellow TEXT=navy LINK=red>x<BASEFONT SIZE=2>").ok);
  EXPECT_EQ(std::make_tuple(r.settings.colors.background, r.settings.colors.text, r.settings.colors.link),
            std::make_tuple(Color{0x00FFFF}, Color{0x800000}, Color{0x0000FF}));
  EXPECT_EQ(r.settings.baseSizeIndex, 2);
}

TEST(RenderPass, FailuresStopThePass) {
  using F = RenderFailure;
  const std::pair<const char*, RenderFailure> cases[] = {
      {"<HTML>no body</HTML>", F::NoBody}, {"<BODY>a <B", F::UnclosedTag}, {"<BODY><P ALIGN=>", F::EmptyAttribute},
      {"<BODY><H1 ALIGN= x>", F::EmptyAttribute}, {"<BODY><FONT SIZE=9>", F::BadFontSize},
      {"<BODY><FONT SIZE=>", F::EmptyAttribute}, {"<BODY><FONT COLOR=reddish>", F::NotAColor},
      {"<BODY BGCOLOR=>", F::EmptyAttribute}, {"<BODY TEXT=nope>", F::NotAColor}, {"<BODY LINK=#GG>", F::NotAColor},
      {"<BODY><BASEFONT FACE=x>", F::BaseFontWithoutSize}, {"<BODY><BASEFONT SIZE=>", F::EmptyAttribute},
  };
  Rendered r;
  for (const auto& [source, failure] : cases) {
    const RenderResult result = r.render(source);
    EXPECT_FALSE(result.ok) << source;
    EXPECT_EQ(result.failure, failure) << source;
    EXPECT_TRUE(result.plainText.empty()) << source;
  }
}
