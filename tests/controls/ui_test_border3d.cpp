// clsBorder3D: bevel rings with their exact line ends, etched frames, thin edges and the
// property rules.
#include "controls/clsBorder3D.h"

#include "support_pixels.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using namespace quorvane::testing;

class Border3DTest : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas.resize(20, 14);
    canvas.setBackColor(kFace);
    canvas.Cls();
    border.setCanvas(&canvas);
    border.setClient(&canvas);
  }
  void frame(int style, int left, int top, int width, int height) {
    border.setStyle3D(style);
    border.setLeft(left * 15);
    border.setTop(top * 15);
    border.setWidth(width * 15);
    border.setHeight(height * 15);
    border.Draw();
  }
  QImage img() const { return canvas.Image(); }
  PictureBox canvas;
  clsBorder3D border;
};

TEST_F(Border3DTest, DefaultsGiveARaisedOnePixelRectangleEndingInsideTheSize) {
  EXPECT_EQ(border.BevelOuter(), clsBorder3D::Raised);
  EXPECT_EQ(border.BevelInner(), clsBorder3D::None);
  EXPECT_EQ(border.Highlight(), 0x80000014u);
  EXPECT_EQ(border.Shadow(), 0x80000010u);
  EXPECT_EQ(border.TwipsPerPixelX(), 15);
  frame(8, 1, 1, 10, 6);  // pixels 1..10 by 1..6
  const QImage i = img();
  EXPECT_EQ(rowString(i, 1, 0, 12), "FWWWWWWWWWSF");  // top: highlight, the last pixel shadow
  EXPECT_EQ(rowString(i, 6, 0, 12), "FSSSSSSSSSSF");  // bottom row, right column reaches it
  EXPECT_EQ(columnString(i, 1, 0, 8), "FWWWWWSF");
  EXPECT_EQ(columnString(i, 10, 0, 8), "FSSSSSSF");
  EXPECT_TRUE(allPixels(i, 2, 2, 10, 6, kFace));
}

TEST_F(Border3DTest, InsetSwapsTheColours) {
  border.setBevelOuter(clsBorder3D::Inset);
  frame(8, 0, 0, 5, 4);
  const QImage i = img();
  // The top and left lines stop short of their end points, so the top-right and
  // bottom-left corners keep the highlight.
  EXPECT_EQ(rowString(i, 0, 0, 6), "SSSSWF");
  EXPECT_EQ(rowString(i, 3, 0, 6), "WWWWWF");
  EXPECT_EQ(columnString(i, 0, 0, 5), "SSSWF");
  EXPECT_EQ(columnString(i, 4, 0, 5), "WWWWF");
}

TEST_F(Border3DTest, WiderBevelsAndTheInnerBevelStepInside) {
  border.setBevelWidth(2);
  border.setBorderWidth(1);
  border.setBevelInner(clsBorder3D::Inset);
  frame(8, 0, 0, 14, 12);
  const QImage i = img();
  // Outer raised rings at 0 and 1, gap at 2, inner inset rings at 3 and 4.
  EXPECT_EQ(rowString(i, 0, 0, 14), "WWWWWWWWWWWWWS");
  EXPECT_EQ(rowString(i, 1, 0, 14), "WWWWWWWWWWWWSS");
  EXPECT_EQ(rowString(i, 2, 0, 14), "WWFFFFFFFFFFSS");
  EXPECT_EQ(rowString(i, 3, 2, 12), "FSSSSSSSWF");
  EXPECT_EQ(rowString(i, 4, 2, 12), "FSSSSSSWWF");
  EXPECT_EQ(columnString(i, 3, 2, 10), "FSSSSSWF");
  EXPECT_EQ(rowString(i, 8, 2, 12), "FWWWWWWWWF");
  EXPECT_TRUE(allPixels(i, 5, 5, 9, 7, kFace));
}

TEST_F(Border3DTest, ZeroBevelWidthDrawsNothing) {
  border.setBevelWidth(0);
  border.setBevelInner(clsBorder3D::Raised);
  frame(8, 0, 0, 10, 10);
  EXPECT_TRUE(allPixels(img(), 0, 0, 20, 14, kFace));
}

TEST_F(Border3DTest, NoOuterBevelPaintsTheInnerOnTheOuterRectangle) {
  border.setBevelOuter(clsBorder3D::None);
  border.setBevelInner(clsBorder3D::Inset);
  frame(8, 0, 0, 5, 4);
  const QImage i = img();
  EXPECT_EQ(rowString(i, 0, 0, 5), "SSSSW");
  EXPECT_EQ(rowString(i, 3, 0, 5), "WWWWW");
}

TEST_F(Border3DTest, OutwardStylesGrowByTheBevelsAndGap) {
  border.setBevelInner(clsBorder3D::Inset);  // both bevels: n = 2 * 1 + 1 = 3
  frame(7, 5, 5, 6, 4);
  const QImage i = img();
  EXPECT_EQ(pixelAt(i, 2, 2), kWhite);     // outer top-left at 5 - 3
  EXPECT_EQ(pixelAt(i, 13, 11), kShadow);  // outer bottom-right at 5 + 6 + 3 - 1, 5 + 4 + 3 - 1
  EXPECT_EQ(pixelAt(i, 14, 12), kFace);
  EXPECT_EQ(pixelAt(i, 4, 4), kShadow);    // inner inset ring two pixels in
}

TEST_F(Border3DTest, ClientStylesUseTheClientGeometry) {
  PictureBox child(&canvas);
  child.setGeometry(4, 4, 3, 3);
  border.setClient(&child);
  border.setStyle3D(4);  // n = BevelWidth = 1 around the child
  border.Draw();
  QImage i = img();
  EXPECT_EQ(pixelAt(i, 3, 3), kWhite);
  EXPECT_EQ(pixelAt(i, 7, 7), kShadow);
  border.setClient(&canvas);
  border.setStyle3D(5);  // the whole client surface
  border.Draw();
  i = img();
  EXPECT_EQ(pixelAt(i, 0, 0), kWhite);
  EXPECT_EQ(pixelAt(i, 19, 13), kShadow);
  EXPECT_EQ(pixelAt(i, 19, 0), kShadow);
}

TEST_F(Border3DTest, EtchedFrameIsShadowThenHighlightOnePixelDownRight) {
  frame(6, 4, 4, 6, 4);  // outline (2,2)-(10,8) then (3,3)-(11,9)
  const QImage i = img();
  EXPECT_EQ(rowString(i, 2, 1, 13), "FSSSSSSSSSFF");
  EXPECT_EQ(rowString(i, 3, 1, 13), "FSWWWWWWWWWF");
  EXPECT_EQ(rowString(i, 9, 1, 13), "FFWWWWWWWWWF");
  EXPECT_EQ(columnString(i, 10, 1, 11), "FSWSSSSSWF");
  EXPECT_EQ(columnString(i, 11, 1, 11), "FFWWWWWWWF");
}

TEST_F(Border3DTest, ThinEdgesInPixels) {
  frame(12, 0, 0, 6, 5);
  EXPECT_EQ(rowString(img(), 0, 0, 7), "WWWWWKF");
  EXPECT_EQ(rowString(img(), 3, 0, 7), "WSSSSKF");
  EXPECT_EQ(rowString(img(), 4, 0, 7), "KKKKKKF");
  canvas.Cls();
  frame(13, 0, 0, 6, 5);  // dark shadow then shadow at top-left, highlight bottom-right
  EXPECT_EQ(rowString(img(), 0, 0, 7), "KKKKKWF");
  EXPECT_EQ(rowString(img(), 1, 0, 7), "KSSSFWF");
  EXPECT_EQ(rowString(img(), 4, 0, 7), "WWWWWWF");
  canvas.Cls();
  border.setDrawEdgeStyle(1);
  frame(12, 0, 0, 6, 5);  // one raised-inner call: highlight and shadow, one pixel
  EXPECT_EQ(rowString(img(), 0, 0, 7), "WWWWWSF");
  EXPECT_EQ(rowString(img(), 4, 0, 7), "SSSSSSF");
  canvas.Cls();
  frame(13, 0, 0, 6, 5);
  EXPECT_EQ(rowString(img(), 0, 0, 7), "SSSSSWF");
  EXPECT_EQ(rowString(img(), 4, 0, 7), "WWWWWWF");
}

TEST_F(Border3DTest, WholeCanvasThinEdgeAndRoundingOfTwips) {
  border.setStyle3D(10);
  border.Draw();
  EXPECT_EQ(pixelAt(img(), 19, 13), kBlack);
  canvas.Cls();
  // 22 twips / 15 = 1.47 -> 1; 37 / 15 = 2.47 -> 2; width (22 + 53) / 15 = 5 exactly.
  border.setStyle3D(12);
  border.setLeft(22);
  border.setTop(37);
  border.setWidth(53);
  border.setHeight(53);
  border.Draw();
  EXPECT_EQ(pixelAt(img(), 1, 2), kWhite);
  EXPECT_EQ(pixelAt(img(), 4, 5), kBlack);  // right - 1 = 4, bottom (37 + 53) / 15 = 6 -> 5
}

TEST_F(Border3DTest, DrawRestoresTheScaleModeAndSettersIgnoreBadValues) {
  canvas.setScaleMode(ScaleUnit::Pixels);
  frame(8, 0, 0, 5, 5);
  EXPECT_EQ(canvas.ScaleMode(), ScaleUnit::Pixels);
  border.setBevelInner(3);
  EXPECT_EQ(border.BevelInner(), 0);
  border.setBevelOuter(-1);
  EXPECT_EQ(border.BevelOuter(), clsBorder3D::Raised);
  border.setLeft(-1);
  EXPECT_EQ(border.Left(), 0);
  border.setBevelWidth(-3);
  EXPECT_EQ(border.BevelWidth(), 1);
  border.setStyle3D(99);  // stored, draws nothing
  EXPECT_EQ(border.Style3D(), 99);
  canvas.Cls();
  border.Draw();
  EXPECT_TRUE(allPixels(img(), 0, 0, 20, 14, kFace));
}

TEST_F(Border3DTest, ContainerStylesOnlyAdoptTheContainer) {
  PictureBox child(&canvas);
  clsBorder3D b;
  b.setClient(&child);
  b.setStyle3D(1);
  b.Draw();
  EXPECT_EQ(b.Canvas(), &canvas);
  EXPECT_TRUE(allPixels(img(), 0, 0, 20, 14, kFace));
  clsBorder3D unset;
  unset.setStyle3D(8);
  unset.Draw();  // neither Canvas nor Client: nothing happens
}

}  // namespace
}  // namespace quorvane
