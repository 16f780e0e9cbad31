#include <gtest/gtest.h>

#include "support_render.h"

using namespace quorvane::help;
using quorvane::help::testing::Rendered;
using Kind = FixedMetricsSurface::DrawOp::Kind;

// Fixed metrics at 14 points: single-byte characters 140 twips wide, others 280; a line
// is 350 twips high. The canvas is 6000 twips wide, so text must stay left of 5700.

TEST(HelpLayout, WrapsBeforeTheRightMargin) {
  Rendered r;
  // 21 double-byte characters: 20 fit (5600 < 5700), the 21st would reach 5880.
  ASSERT_TRUE(r.render("<BODY>" + std::string(21 * 3, '\0').replace(0, 63, [] {
                std::string s;
                for (int i = 0; i < 21; ++i) s += "あ";
                return s;
              }()) + "<BR>").ok);
  const auto texts = r.canvas.ops();
  std::vector<std::pair<int, int>> lines;
  for (const auto& op : texts)
    if (op.kind == Kind::Text && op.color == 0) lines.emplace_back(op.x, op.y);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::make_pair(0, 0));
  // After the wrap: one invisible fill bullet (depth 0), then the 21st character.
  EXPECT_EQ(lines[1].second, 350);
  EXPECT_EQ(lines[1].first, 280);
}

TEST(HelpLayout, SpacesKeptAfterWrapDroppedAfterLineBreak) {
  Rendered r;
  // 40 "a" fill 5600 twips; the 41st wraps; the run keeps its inner spaces.
  std::string run(40, 'a');
  run += "   b";
  ASSERT_TRUE(r.render("<BODY>" + run + "<BR>&nbsp;&nbsp;c").ok);
  std::vector<FixedMetricsSurface::DrawOp> visible;
  for (const auto& op : r.canvas.ops())
    if (op.kind == Kind::Text && op.color == 0) visible.push_back(op);
  ASSERT_GE(visible.size(), 3u);
  EXPECT_EQ(visible[1].text, "   b");  // spaces after an automatic wrap are drawn
  // After the explicit break the entity spaces are separate tokens: each is drawn.
  Rendered t;
  ASSERT_TRUE(t.render("<BODY>x<P>  y</P>").ok);
  for (const auto& op : t.canvas.ops())
    if (op.kind == Kind::Text && op.text.find('y') != std::string::npos) EXPECT_EQ(op.text, "y");
}

TEST(HelpLayout, LeadingSpacesOfALineBreakTokenAreSkipped) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><UL><LI>item</UL>").ok);
  // "・" bullet of the item at the indent (300 twips), then the text right after it.
  std::vector<FixedMetricsSurface::DrawOp> visible;
  for (const auto& op : r.canvas.ops())
    if (op.kind == Kind::Text && op.color == 0) visible.push_back(op);
  ASSERT_EQ(visible.size(), 2u);
  EXPECT_EQ(visible[0].text, "\u30FB");
  EXPECT_EQ(visible[0].x, 300);
  EXPECT_EQ(visible[1].text, "item");
  EXPECT_EQ(visible[1].x, 580);
}

TEST(HelpLayout, ListContinuationLinesStartAfterInvisibleBullets) {
  Rendered r;
  std::string longItem(60, 'w');
  ASSERT_TRUE(r.render("<BODY><UL><LI>" + longItem + "</UL>").ok);
  std::vector<FixedMetricsSurface::DrawOp> fills, visible;
  for (const auto& op : r.canvas.ops()) {
    if (op.kind != Kind::Text) continue;
    (op.color == 0xFFFFFF ? fills : visible).push_back(op);
  }
  // Depth 1: two fill bullets (560 twips) after the 300-twip indent on the second line.
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills.back().text, "\u30FB\u30FB");
  EXPECT_EQ(fills.back().x, 300);
  EXPECT_EQ(visible.back().x, 860);
}

TEST(HelpLayout, AWrappedLinkHasTwoRegions) {
  Rendered r;
  const std::string label = "あいうえおかきくけこ";  // Japanese breaks between any two characters
  ASSERT_TRUE(r.render("<BODY>" + std::string(35, 'a') + "<A HREF=\"#t\">" + label + "</A>").ok);
  ASSERT_EQ(r.links.size(), 2u);
  EXPECT_EQ(r.links[0].Target, "#t");
  EXPECT_EQ(r.links[1].Target, "#t");
  EXPECT_EQ(r.links[0].X1, 4900);
  EXPECT_EQ(r.links[0].Y1, 0);
  EXPECT_EQ(r.links[0].X2, 4900 + 2 * 280);
  EXPECT_EQ(r.links[0].Y2, 350);
  EXPECT_EQ(r.links[1].X1, 0);
  EXPECT_EQ(r.links[1].Y1, 350);
  EXPECT_EQ(r.links[1].Y2, 700);
  EXPECT_EQ(r.links[1].X2, 280 + 8 * 280);
  EXPECT_EQ(r.links[0].Text, label);
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

TEST(HelpLayout, LinksInCentredTextCannotBeClicked) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><CENTER><A HREF=x.htm>go</A></CENTER><P>after").ok);
  ASSERT_EQ(r.links.size(), 1u);
  EXPECT_EQ(r.links[0].X2, 0);
  EXPECT_EQ(r.links[0].Y2, 0);
}

TEST(HelpLayout, CentredHeadingIsCopiedWhenLeftTextArrives) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><H2 ALIGN=CENTER>Title</H2>text").ok);
  const auto& ops = r.canvas.ops();
  auto copy = std::find_if(ops.begin(), ops.end(), [](const auto& op) { return op.kind == Kind::Copy; });
  ASSERT_NE(copy, ops.end());
  EXPECT_GT(copy->x, 0);
  EXPECT_EQ(copy->y, 1);
  // ALIGN replaces the heading's line break with one space.
  EXPECT_EQ(r.result.plainText, " Title\r\ntext");
}

TEST(HelpLayout, PendingAlignedLineIsNotLostAtTheEnd) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><CENTER>only").ok);
  int copies = 0;
  for (const auto& op : r.canvas.ops()) copies += op.kind == Kind::Copy;
  EXPECT_EQ(copies, 1);
  // Closing CENTER then P changes the alignment twice; the line keeps its centring.
  ASSERT_TRUE(r.render("<BODY><P><CENTER>mid</CENTER></P>next").ok);
  copies = 0;
  for (const auto& op : r.canvas.ops()) copies += op.kind == Kind::Copy;
  EXPECT_EQ(copies, 1);
}

TEST(HelpLayout, HorizontalRuleAtTheTopFollowsAnEmptyLine) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><HR>x").ok);
  const auto& ops = r.canvas.ops();
  auto line = std::find_if(ops.begin(), ops.end(), [](const auto& op) { return op.kind == Kind::Line; });
  ASSERT_NE(line, ops.end());
  EXPECT_EQ(line->y, 350);
  EXPECT_EQ(line->y2, 350);
  EXPECT_EQ(line->x2, 6000);
}

TEST(HelpLayout, ImagesPlaceholderOrNothing) {
  Rendered r;
  ASSERT_TRUE(r.render("<BODY><IMG SRC=\"missing.bmp\" WIDTH=20 HEIGHT=10>").ok);
  int boxes = 0, lines = 0;
  for (const auto& op : r.canvas.ops()) boxes += op.kind == Kind::Box, lines += op.kind == Kind::Line;
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(lines, 2);
  ASSERT_TRUE(r.render("<BODY><IMG SRC=missing.bmp>").ok);
  for (const auto& op : r.canvas.ops()) EXPECT_NE(op.kind, Kind::Box);
  // A loaded image is stretched to WIDTH x HEIGHT at the current position.
  r.settings.helpFolder = "/help";
  std::string asked;
  r.work.setPictureProbe([&](const std::string& p) {
    asked = p;
    return std::optional<std::pair<int, int>>({40, 30});
  });
  ASSERT_TRUE(r.render("<BODY><img src=\"pic.png\" width=\"80\" height=\"60\">").ok);
  EXPECT_EQ(asked, "/help/pic.png");
  const auto& ops = r.canvas.ops();
  auto copy = std::find_if(ops.begin(), ops.end(), [](const auto& op) { return op.kind == Kind::Copy; });
  ASSERT_NE(copy, ops.end());
  EXPECT_EQ(copy->x2, 80);
  EXPECT_EQ(copy->y2, 60);
  EXPECT_EQ(copy->text, "0,0,40,30");
}

TEST(HelpLayout, CanvasGrowsAndIsTrimmedAtTheEnd) {
  Rendered r;
  std::string body;
  for (int i = 0; i < 30; ++i) body += "line<BR>";
  ASSERT_TRUE(r.render("<BODY>" + body).ok);
  // 30 breaks + two final line ends at 350 twips.
  EXPECT_EQ(r.canvas.scaleHeight(), 32 * 350);
  // Every line was drawn inside the canvas as it grew.
  for (const auto& op : r.canvas.ops())
    if (op.kind == Kind::Text) EXPECT_LT(op.y, r.canvas.scaleHeight());
}

// Where each visible text starts: definition items step in once and the list ends where
// it began, also when DD is never closed; the fill bullet of every broken line is 280.
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
