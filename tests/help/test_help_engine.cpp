// The help engine's core: the attribute and text helpers of a pass, the tag rules and the
// layout it draws (on fixed-metrics surfaces that record every drawing operation), the help
// document's names, folders and font sizes, and the program's own help file: strict code
// page 932 with CR LF lines, and every topic renders.
#include <gtest/gtest.h>

#include <set>

#include "common/basDirUtil.h"
#include "common/file_reader.h"
#include "common/sjis.h"
#include "help/fixed_surface.h"
#include "help/help_document.h"
#include "help/help_render.h"
#include "help/help_source.h"
#include "help/html_attributes.h"
#include "help/html_text.h"

using namespace quorvane;
using namespace quorvane::help;
using Op = FixedMetricsSurface::DrawOp;
using Kind = Op::Kind;

namespace {

// A path written with "/" in the platform's own separator.
std::string P(std::string path) {
  for (char& c : path)
    if (c == '/') c = basDirUtil::kSeparator;
  return path;
}

// A pass over a source text on a canvas 6000 by 3000 twips (15 twips per pixel), keeping
// what it drew. Fixed metrics at 14 points: single-byte characters 140 twips wide, others
// 280; a line is 350 twips high. Text must stay left of 5700.
struct Rendered {
  FixedMetricsSurface canvas{6000, 3000};
  FixedMetricsSurface work{6000, 3000};
  RenderSettings settings;
  AnchorTable anchors;
  std::vector<LinkRegion> links;
  RenderResult result;

  RenderResult render(const std::string& utf8Source) {
    links.clear();
    settings.colors = PageColors{};
    settings.baseSizeIndex = 4;
    canvas.cls();
    canvas.setHeight(3000);
    canvas.clearOps();
    const Text source = toText(utf8Source);
    return result = RenderPage(source, settings, anchors, links, canvas, work);
  }
};

// The drawing operations of one kind; for text, those in the colour `color` only.
std::vector<Op> opsOf(const Rendered& r, Kind kind, Color color = 0) {
  std::vector<Op> out;
  for (const Op& op : r.canvas.ops())
    if (op.kind == kind && (kind != Kind::Text || op.color == color)) out.push_back(op);
  return out;
}

}  // namespace

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

TEST(HelpLayout, RulesImagesAndTheCanvasHeight) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><HR>x").ok);  // a rule at the top follows an empty line
  const auto lines = opsOf(r, Kind::Line);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(std::make_tuple(lines[0].y, lines[0].y2, lines[0].x2), std::make_tuple(350, 350, 6000));
  // A missing image: a placeholder when it has a size, else nothing.
  ASSERT_TRUE(r.render("<BODY><IMG SRC=\"missing.bmp\" WIDTH=20 HEIGHT=10>").ok);
  EXPECT_EQ(std::make_pair(opsOf(r, Kind::Box).size(), opsOf(r, Kind::Line).size()), std::make_pair(std::size_t{1}, std::size_t{2}));
  ASSERT_TRUE(r.render("<BODY><IMG SRC=missing.bmp>").ok);
  EXPECT_TRUE(opsOf(r, Kind::Box).empty());
  // A loaded image is stretched to WIDTH x HEIGHT at the current position.
  r.settings.helpFolder = "/help";
  std::string asked;
  r.work.setPictureProbe([&](const std::string& p) {
    asked = p;
    return std::optional<std::pair<int, int>>({40, 30});
  });
  ASSERT_TRUE(r.render("<BODY><img src=\"pic.png\" width=\"80\" height=\"60\">").ok);
  EXPECT_EQ(asked, "/help/pic.png");
  const auto copies = opsOf(r, Kind::Copy);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(std::make_tuple(copies[0].x2, copies[0].y2, copies[0].text), std::make_tuple(80, 60, std::string("0,0,40,30")));
  // The canvas grows, and is trimmed at the end: 30 breaks and two final line ends.
  std::string body = "<BODY>";
  for (int i = 0; i < 30; ++i) body += "line<BR>";
  ASSERT_TRUE(r.render(body).ok);
  EXPECT_EQ(r.canvas.scaleHeight(), 32 * 350);
  for (const Op& op : opsOf(r, Kind::Text)) EXPECT_LT(op.y, r.canvas.scaleHeight());
}

// The lines a text breaks into on a canvas 3101 twips wide (text stays left of 2801):
// the first line holds ten double-byte or twenty single-byte characters, a later line
// one double-byte character less (it starts after the invisible fill bullet).
TEST(HelpLayout, LinesBreakByJapaneseRulesAndKeepWordsWhole) {
  struct Row {
    const char* body;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"あいうえおかきくけこさしす", {"あいうえおかきくけこ", "さしす"}},
      {"あいうえおかきくけこ。さしす", {"あいうえおかきくけ", "こ。さしす"}},       // 。 never starts a line
      {"あいうえおかきくけこ、」さ", {"あいうえおかきくけ", "こ、」さ"}},           // nor 、 and closing brackets
      {"あいうえおかきくけコーヒー", {"あいうえおかきくけ", "コーヒー"}},           // nor ー
      {"あいうえおかきくけチョコ", {"あいうえおかきくけ", "チョコ"}},               // nor small kana
      {"あいうえおかきくけ「こ」", {"あいうえおかきくけ", "「こ」"}},               // 「 never ends one
      {"あいうえおかきく *.OLB", {"あいうえおかきく ", "*.OLB"}},                   // a pattern stays whole
      {"aaaa bbbb cccc dddddd eeee", {"aaaa bbbb cccc ", "dddddd eeee"}},         // so do words
      {"abcdefghijklmnopqrstuvwxy", {"abcdefghijklmnopqrst", "uvwxy"}},           // unless wider than the line
      {"あいうえおかきくけこ<B>」</B>さ", {"あいうえおかきくけこ」", "さ"}},       // drawn before: hangs in the margin
      {"aaaaaaaaaaaaaaaaaaaa   b", {"aaaaaaaaaaaaaaaaaaaa", "   b"}},             // a wrapped run keeps its spaces
      {"x<P>  y</P>", {"x", "y"}},                                                 // after a break they go
  };
  for (const Row& row : rows) {
    Rendered r;
    r.canvas.setWidth(3101);
    ASSERT_TRUE(r.render(std::string("<BODY>") + row.body + "<BR>").ok) << row.body;
    std::vector<std::string> lines;
    int lastY = -1;
    for (const Op& op : opsOf(r, Kind::Text)) {
      if (op.y != lastY) lines.emplace_back();
      lastY = op.y;
      lines.back() += op.text;
    }
    EXPECT_EQ(lines, row.lines) << row.body;
  }
}

// Where the first text of each line starts.
TEST(HelpLayout, DefinitionListsReturnToTheirIndent) {
  struct Row {
    std::string body;
    std::vector<std::pair<std::string, int>> starts;
  };
  const std::vector<std::pair<std::string, int>> flat = {{"a", 280}, {"b", 580}, {"c", 280}, {"d", 580}, {"e", 280}};
  const Row rows[] = {
      {"<DL><DT>a<DD>b<DT>c<DD>d</DL>e", flat},
      {"<DL><DT>a<DD>b</DD><DT>c<DD>d</DD></DL><P>e", flat},
      {"<DL><DT>a<DD><DL><DT>b<DD>c</DL><DT>d</DL>e", {{"a", 280}, {"b", 580}, {"c", 880}, {"d", 280}, {"e", 280}}},
      {"<UL><LI>u<DL><DT>a<DD>b</DL></UL><P>e", {{"a", 860}, {"b", 1160}, {"e", 280}}},  // after two fill bullets
  };
  for (const Row& row : rows) {
    Rendered r;
    ASSERT_TRUE(r.render("<BODY>" + row.body).ok) << row.body;
    for (const auto& [text, x] : row.starts) {
      const auto texts = opsOf(r, Kind::Text);
      auto op = std::find_if(texts.begin(), texts.end(), [&](const Op& o) { return o.text == text; });
      ASSERT_NE(op, texts.end()) << row.body << " " << text;
      EXPECT_EQ(op->x, x) << row.body << " " << text;
    }
  }
}

TEST(HelpDocument, NamesTopicsAndFontSizes) {
  HelpDocument doc;
  for (const auto& [set, cur] : {std::pair{"#topic", "#topic"}, {"plain", "#plain"}, {"", "#"}}) {
    doc.setCurName(set);
    EXPECT_EQ(doc.curName(), cur);
  }
  doc.setHtmlFile(P("/help/main.htm"));
  EXPECT_EQ(doc.helpFolder(), P("/help"));
  doc.setCurName("x");
  doc.setHtmlFile("other.htm");
  EXPECT_EQ(doc.htmlFile(), P("/help/other.htm"));
  EXPECT_EQ(doc.topicName(), "");
  doc.setHtmlFile("sub\\third.htm");  // written for the other separator
  EXPECT_EQ(doc.htmlFile(), P("/help/sub/third.htm"));
  EXPECT_EQ(doc.helpFolder(), P("/help/sub"));
  // A file that cannot be read: the previous name and folder come back.
  EXPECT_FALSE(doc.load(true));
  EXPECT_EQ(doc.htmlFile(), P("/help/other.htm"));
  EXPECT_EQ(doc.helpFolder(), P("/help"));
  // Internet addresses stay pending and leave the file alone.
  for (const char* address : {"http://example.org/", "HTTPS://example.org", "FTP://y", "mailto:someone@example.org"}) {
    doc.setHtmlFile(address);
    EXPECT_EQ(doc.htmlFile(), P("/help/other.htm")) << address;
    EXPECT_EQ(doc.takePendingAddress(), address);
    EXPECT_FALSE(doc.hasPendingAddress());
  }
  EXPECT_FALSE(isInternetAddress("httpfile.htm"));
  // Font size index in, display scale out; other values change nothing.
  for (const auto& [size, scale] : {std::pair{1, 0.8}, {7, 0.8}, {2, 1.3}, {0, 1.0}}) {
    doc.setFontSize(size);
    EXPECT_DOUBLE_EQ(doc.displayScale(), scale) << size;
  }
}

TEST(HelpFile, IsCodePage932AndTheContentsLinkEveryTopicAndEachLinksBack) {
  // The copy the build places where the program finds it from the build tree.
  const std::string file = std::string(QUORVANE_BINARY_DIR) + "/share/quorvane/QUORVANE.HTM";
  const auto bytes = readWholeFile(file, kMaxHelpFileBytes);
  ASSERT_TRUE(bytes.has_value()) << file;
  EXPECT_TRUE(sjis::decode(*bytes).has_value());
  EXPECT_NE(bytes->substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_LT(bytes->find("charset=Shift_JIS"), bytes->find("<BODY"));  // for a browser opening the file alone
  EXPECT_EQ(bytes->find('\n'), bytes->find("\r\n") + 1);

  HelpDocument doc;
  doc.setHtmlFile(file);
  ASSERT_TRUE(doc.load(true));
  FixedMetricsSurface canvas(9000, 6000), work(9000, 6000);
  std::set<std::string> contentsLinks;
  // The first topic is the contents; "#context" names it too.
  for (const char* topic : {"", "extract", "compare", "recordfile", "resultfile", "menus", "messages", "helpwindow",
                            "#context"}) {
    doc.resetPageSettings();
    doc.setCurName(topic);
    const RenderResult r = doc.render(canvas, work);
    ASSERT_TRUE(r.ok) << topic << ": " << describe(r.failure) << " at " << r.failurePosition;
    if (*topic == '\0') {
      EXPECT_NE(r.plainText.find("Quorvane ヘルプ"), std::string::npos);
      EXPECT_EQ(r.plainText.find("ボタンを押します"), std::string::npos);  // it stops at its end-of-topic comment
      for (const LinkRegion& link : doc.links()) {
        EXPECT_GT(link.X2, link.X1) << link.Target;  // clickable
        contentsLinks.insert(link.Target);
      }
    } else if (*topic != '#') {
      EXPECT_GT(r.plainText.size(), 100u) << topic;
      EXPECT_NE(r.plainText.find("目次へ戻る"), std::string::npos) << topic;
      EXPECT_EQ(r.plainText.find("Quorvane ヘルプ\r\n"), std::string::npos) << topic;
      bool linksBack = false;
      for (const LinkRegion& link : doc.links()) linksBack |= link.Target == "#context" && link.X2 > 0;
      EXPECT_TRUE(linksBack) << topic;
    }
  }
  for (const char* topic : {"extract", "compare", "recordfile", "resultfile", "menus", "messages", "helpwindow"})
    EXPECT_EQ(contentsLinks.count(std::string("#") + topic), 1u) << topic;
  EXPECT_EQ(doc.anchors().upperIndex(), 7);
}
