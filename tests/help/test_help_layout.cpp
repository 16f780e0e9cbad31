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
}  // namespace

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
