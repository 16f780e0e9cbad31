// clsBorder3D: bevel rings with their exact line ends, etched frames, thin edges and the property rules.
#include "controls/clsBorder3D.h"

#include "support_controls.h"

#include <vector>

namespace quorvane::testing {
namespace {

struct Border3DTest : ::testing::Test {
  Border3DTest() {
    canvas.resize(20, 14);
    canvas.setBackColor(kFace);
    canvas.Cls();
    border.setCanvas(&canvas);
    border.setClient(&canvas);
  }
  PictureBox canvas;
  clsBorder3D border;
};

// A row ('r') or column ('c') of pixels from `from` up to `to`.
struct Probe {
  char axis;
  int at, from, to;
  const char* pixels;
};

// Style in, pixel rows out. Outer and inner bevels: 0 none, 1 inset, 2 raised.
TEST_F(Border3DTest, EachStyleDrawsItsRows) {
  struct Case {
    const char* what;
    int style, outer, inner, bevelWidth, edgeStyle;
    QRect px;
    std::vector<Probe> probes;
  };
  const Case cases[] = {
      {"raised, the last pixel of the top line in shadow", 8, 2, 0, 1, 0, {1, 1, 10, 6},
       {{'r', 1, 0, 12, "FWWWWWWWWWSF"}, {'r', 6, 0, 12, "FSSSSSSSSSSF"}, {'r', 3, 0, 12, "FWFFFFFFFFSF"},
        {'c', 1, 0, 8, "FWWWWWSF"}, {'c', 10, 0, 8, "FSSSSSSF"}}},
      // The top and left lines stop short, so two corners keep the highlight.
      {"inset swaps the colours", 8, 1, 0, 1, 0, {0, 0, 5, 4},
       {{'r', 0, 0, 6, "SSSSWF"}, {'r', 3, 0, 6, "WWWWWF"}, {'c', 0, 0, 5, "SSSWF"}, {'c', 4, 0, 5, "WWWWF"}}},
      // Outer raised rings at 0 and 1, gap at 2, inner inset rings at 3 and 4.
      {"wide bevels, inner inside", 8, 2, 1, 2, 0, {0, 0, 14, 12},
       {{'r', 0, 0, 14, "WWWWWWWWWWWWWS"}, {'r', 1, 0, 14, "WWWWWWWWWWWWSS"}, {'r', 2, 0, 14, "WWFFFFFFFFFFSS"},
        {'r', 3, 2, 12, "FSSSSSSSWF"}, {'r', 4, 2, 12, "FSSSSSSWWF"}, {'c', 3, 2, 10, "FSSSSSWF"},
        {'r', 8, 2, 12, "FWWWWWWWWF"}, {'r', 5, 5, 9, "FFFF"}, {'r', 6, 5, 9, "FFFF"}}},
      {"zero bevel width draws nothing", 8, 2, 2, 0, 0, {0, 0, 10, 10},
       {{'r', 0, 0, 20, "FFFFFFFFFFFFFFFFFFFF"}, {'r', 9, 0, 20, "FFFFFFFFFFFFFFFFFFFF"},
        {'c', 0, 0, 14, "FFFFFFFFFFFFFF"}, {'c', 9, 0, 14, "FFFFFFFFFFFFFF"}}},
      {"no outer bevel: the inner on the outer rectangle", 8, 0, 1, 1, 0, {0, 0, 5, 4},
       {{'r', 0, 0, 5, "SSSSW"}, {'r', 3, 0, 5, "WWWWW"}}},
      // Both bevels: the frame grows by 2 * 1 + 1 = 3 pixels; the inner ring two pixels in.
      {"outward", 7, 2, 1, 1, 0, {5, 5, 6, 4},
       {{'r', 2, 2, 3, "W"}, {'r', 11, 13, 14, "S"}, {'r', 12, 14, 15, "F"}, {'r', 4, 4, 5, "S"}}},
      // Outline (2,2)-(10,8) in shadow, then (3,3)-(11,9) in highlight.
      {"etched", 6, 2, 0, 1, 0, {4, 4, 6, 4},
       {{'r', 2, 1, 13, "FSSSSSSSSSFF"}, {'r', 3, 1, 13, "FSWWWWWWWWWF"}, {'r', 9, 1, 13, "FFWWWWWWWWWF"},
        {'c', 10, 1, 11, "FSWSSSSSWF"}, {'c', 11, 1, 11, "FFWWWWWWWF"}}},
      // The thin edges' pixels are the device context's; here only that each style reaches its edge.
      {"thin raised", 12, 2, 0, 1, 0, {0, 0, 6, 5}, {{'r', 0, 0, 7, "WWWWWKF"}, {'r', 4, 0, 7, "KKKKKKF"}}},
      {"thin sunken", 13, 2, 0, 1, 0, {0, 0, 6, 5}, {{'r', 1, 0, 7, "KSSSFWF"}, {'r', 4, 0, 7, "WWWWWWF"}}},
      {"thin raised in one call", 12, 2, 0, 1, 1, {0, 0, 6, 5}, {{'r', 0, 0, 7, "WWWWWSF"}}},
      {"thin sunken in one call", 13, 2, 0, 1, 1, {0, 0, 6, 5}, {{'r', 0, 0, 7, "SSSSSWF"}}},
      {"an unknown style is stored and draws nothing", 99, 2, 0, 1, 0, {0, 0, 6, 5}, {{'r', 0, 0, 7, "FFFFFFF"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    canvas.Cls();
    border.setBevelOuter(c.outer);
    border.setBevelInner(c.inner);
    border.setBevelWidth(c.bevelWidth);
    border.setDrawEdgeStyle(c.edgeStyle);
    border.setStyle3D(c.style);
    border.setLeft(c.px.x() * 15);
    border.setTop(c.px.y() * 15);
    border.setWidth(c.px.width() * 15);
    border.setHeight(c.px.height() * 15);
    border.Draw();
    EXPECT_EQ(border.Style3D(), c.style);
    for (const Probe& p : c.probes)
      EXPECT_EQ(pixelString(canvas.Image(), p.axis == 'r', p.at, p.from, p.to), p.pixels) << p.axis << p.at;
  }
}

TEST_F(Border3DTest, ClientStylesUseTheClientGeometry) {
  PictureBox child(&canvas);
  child.setGeometry(4, 4, 3, 3);
  border.setClient(&child);
  border.setStyle3D(4);  // one bevel width around the child
  border.Draw();
  EXPECT_EQ(pixelAt(canvas.Image(), 3, 3), kWhite);
  EXPECT_EQ(pixelAt(canvas.Image(), 7, 7), kShadow);
  border.setClient(&canvas);
  border.setStyle3D(5);  // the whole client surface
  border.Draw();
  EXPECT_EQ(rowString(canvas.Image(), 0, 0, 20), std::string(19, 'W') + "S");
  EXPECT_EQ(pixelAt(canvas.Image(), 19, 13), kShadow);
  canvas.Cls();
  border.setStyle3D(10);  // thin edge round the whole canvas
  border.Draw();
  EXPECT_EQ(pixelAt(canvas.Image(), 19, 13), kBlack);
}

TEST_F(Border3DTest, SettersIgnoreBadValuesAndContainerStylesOnlyAdoptTheContainer) {
  border.setBevelInner(3);
  border.setBevelOuter(-1);
  border.setLeft(-1);
  border.setBevelWidth(-3);
  EXPECT_EQ(std::vector<int>({border.BevelInner(), border.BevelOuter(), border.Left(), border.BevelWidth()}),
            std::vector<int>({clsBorder3D::None, clsBorder3D::Raised, 0, 1}));
  PictureBox child(&canvas);
  clsBorder3D b;
  b.setClient(&child);
  b.setStyle3D(1);
  b.Draw();
  EXPECT_EQ(b.Canvas(), &canvas);
  EXPECT_TRUE(allPixels(canvas.Image(), 0, 0, 20, 14, kFace));
  clsBorder3D unset;
  unset.setStyle3D(8);
  unset.Draw();  // neither Canvas nor Client: nothing happens
}

}  // namespace
}  // namespace quorvane::testing
