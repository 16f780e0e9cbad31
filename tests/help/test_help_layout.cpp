#include <gtest/gtest.h>

#include "support_render.h"

using namespace quorvane::help;
using quorvane::help::testing::Rendered;
using Op = FixedMetricsSurface::DrawOp;
using Kind = Op::Kind;

// Fixed metrics at 14 points: single-byte characters 140 twips wide, others 280; a line
// is 350 twips high. The canvas is 6000 twips wide, so text must stay left of 5700.

namespace {
// The drawing operations of one kind; for text, those in the colour `color` only.
std::vector<Op> opsOf(const Rendered& r, Kind kind, Color color = 0) {
  std::vector<Op> out;
  for (const Op& op : r.canvas.ops())
    if (op.kind == kind && (kind != Kind::Text || op.color == color)) out.push_back(op);
  return out;
}

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}
}  // namespace

TEST(HelpLayout, WrapsBeforeTheRightMarginAndKeepsSpacesOnlyAfterAWrap) {
  Rendered r;
  // 21 double-byte characters: 20 fit (5600 < 5700), the 21st would reach 5880.
  ASSERT_TRUE(r.render("<BODY>" + repeat("あ", 21) + "<BR>").ok);
  auto texts = opsOf(r, Kind::Text);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(std::make_pair(texts[0].x, texts[0].y), std::make_pair(0, 0));
  // After the wrap: one invisible fill bullet (depth 0), then the 21st character.
  EXPECT_EQ(std::make_pair(texts[1].x, texts[1].y), std::make_pair(280, 350));
  // 40 "a" fill 5600 twips; the run wraps and keeps its inner spaces.
  ASSERT_TRUE(r.render("<BODY>" + std::string(40, 'a') + "   b<BR>&nbsp;&nbsp;c").ok);
  texts = opsOf(r, Kind::Text);
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[1].text, "   b");
  // After an explicit break the leading spaces of a run are dropped.
  ASSERT_TRUE(r.render("<BODY>x<P>  y</P>").ok);
  for (const Op& op : r.canvas.ops()) {
    if (op.text.find('y') != std::string::npos) {
      EXPECT_EQ(op.text, "y");
    }
  }
}

TEST(HelpLayout, ListItemsAndTheirContinuationLines) {
  Rendered r;
  // The bullet at the indent (300 twips), then the text right after it.
  ASSERT_TRUE(r.render("<BODY><UL><LI>item</UL>").ok);
  const auto texts = opsOf(r, Kind::Text);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(std::make_tuple(texts[0].text, texts[0].x), std::make_tuple(std::string("\u30FB"), 300));
  EXPECT_EQ(std::make_tuple(texts[1].text, texts[1].x), std::make_tuple(std::string("item"), 580));
  // Depth 1: two invisible fill bullets (560 twips) after the indent on the second line.
  ASSERT_TRUE(r.render("<BODY><UL><LI>" + std::string(60, 'w') + "</UL>").ok);
  const auto fills = opsOf(r, Kind::Text, 0xFFFFFF);
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(std::make_tuple(fills.back().text, fills.back().x), std::make_tuple(std::string("\u30FB\u30FB"), 300));
  EXPECT_EQ(opsOf(r, Kind::Text).back().x, 860);
}

TEST(HelpLayout, LinkRegions) {
  Rendered r;
  const std::string label = "あいうえおかきくけこ";  // Japanese breaks between any two characters
  ASSERT_TRUE(r.render("<BODY>" + std::string(35, 'a') + "<A HREF=\"#t\">" + label + "</A>").ok);
  // A wrapped link has two regions.
  ASSERT_EQ(r.links.size(), 2u);
  const auto box = [](const LinkRegion& l) { return std::make_tuple(l.Target, l.X1, l.Y1, l.X2, l.Y2); };
  EXPECT_EQ(box(r.links[0]), std::make_tuple(std::string("#t"), 4900, 0, 4900 + 2 * 280, 350));
  EXPECT_EQ(box(r.links[1]), std::make_tuple(std::string("#t"), 0, 350, 280 + 8 * 280, 700));
  EXPECT_EQ(r.links[0].Text, label);
  // Links in centred text cannot be clicked.
  ASSERT_TRUE(r.render("<BODY><CENTER><A HREF=x.htm>go</A></CENTER><P>after").ok);
  ASSERT_EQ(r.links.size(), 1u);
  EXPECT_EQ(std::make_pair(r.links[0].X2, r.links[0].Y2), std::make_pair(0, 0));
}

TEST(HelpLayout, AlignedLinesAreCopiedOnceAndNeverLost) {
  const std::pair<const char*, std::size_t> cases[] = {
      {"<BODY><H2 ALIGN=CENTER>Title</H2>text", 1},  // copied when left text arrives
      {"<BODY><CENTER>only", 1},                     // still pending at the end
      // Closing CENTER then P changes the alignment twice; the line keeps its centring.
      {"<BODY><P><CENTER>mid</CENTER></P>next", 1},
  };
  for (const auto& [source, copies] : cases) {
    Rendered r;
    ASSERT_TRUE(r.render(source).ok);
    const auto copied = opsOf(r, Kind::Copy);
    ASSERT_EQ(copied.size(), copies) << source;
    EXPECT_GT(copied[0].x, 0) << source;
  }
}

TEST(HelpLayout, HorizontalRuleAtTheTopFollowsAnEmptyLine) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><HR>x").ok);
  const auto lines = opsOf(r, Kind::Line);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(std::make_tuple(lines[0].y, lines[0].y2, lines[0].x2), std::make_tuple(350, 350, 6000));
}

TEST(HelpLayout, ImagesPlaceholderOrNothing) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><IMG SRC=\"missing.bmp\" WIDTH=20 HEIGHT=10>").ok);
  EXPECT_EQ(opsOf(r, Kind::Box).size(), 1u);
  EXPECT_EQ(opsOf(r, Kind::Line).size(), 2u);
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
}

TEST(HelpLayout, CanvasGrowsAndIsTrimmedAtTheEnd) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY>" + repeat("line<BR>", 30)).ok);
  // 30 breaks + two final line ends at 350 twips.
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
  };
  for (const Row& row : rows) {
    Rendered r;
    r.canvas.setWidth(3101);
    ASSERT_TRUE(r.render(std::string("<BODY>") + row.body + "<BR>").ok) << row.body;
    std::vector<std::string> lines;
    int lastY = -1;
    for (const auto& op : r.canvas.ops()) {
      if (op.kind != Kind::Text || op.color != 0) continue;
      if (op.y != lastY) lines.emplace_back();
      lastY = op.y;
      lines.back() += op.text;
    }
    EXPECT_EQ(lines, row.lines) << row.body;
  }
}


TEST(HelpLayout, DefinitionListsReturnToTheirIndent) {
  struct Row {
    std::string body;
    std::vector<std::pair<std::string, int>> starts;
  };
  const Row rows[] = {
      {"<DL><DT>a<DD>b<DT>c<DD>d</DL>e", {{"a", 280}, {"b", 580}, {"c", 280}, {"d", 580}, {"e", 280}}},
      {"<DL><DT>a<DD>b</DD><DT>c<DD>d</DD></DL><P>e", {{"a", 280}, {"b", 580}, {"c", 280}, {"d", 580}, {"e", 280}}},
      {"<DL><DT>a<DD><DL><DT>b<DD>c</DL><DT>d</DL>e", {{"a", 280}, {"b", 580}, {"c", 880}, {"d", 280}, {"e", 280}}},
      // Inside a list the broken lines start after two fill bullets (560).
      {"<UL><LI>u<DL><DT>a<DD>b</DL></UL><P>e", {{"a", 860}, {"b", 1160}, {"e", 280}}},
  };
  for (const Row& row : rows) {
    Rendered r;
    ASSERT_TRUE(r.render("<BODY>" + row.body).ok) << row.body;
    for (const auto& [text, x] : row.starts) {
      auto op = std::find_if(r.canvas.ops().begin(), r.canvas.ops().end(),
                             [&](const auto& o) { return o.kind == Kind::Text && o.text == text; });
      ASSERT_NE(op, r.canvas.ops().end()) << row.body << " " << text;
      EXPECT_EQ(op->x, x) << row.body << " " << text;
    }
  }
}

TEST(HelpLayout, HeadingsAreNeverSmallerThanTheBodyText) {
  for (int n = 1; n <= 7; ++n) {
    Rendered r;
    const std::string h = "H" + std::to_string(n);
    ASSERT_TRUE(r.render("<BODY><" + h + ">t</" + h + ">b").ok);
    double title = 0, body = 0;
    for (const auto& op : r.canvas.ops()) {
      if (op.kind == Kind::Text && op.text == "t") title = op.font.points;
      if (op.kind == Kind::Text && op.text == "b") body = op.font.points;
    }
    EXPECT_EQ(body, 14) << h;
    EXPECT_GE(title, body) << h;
  }
}
