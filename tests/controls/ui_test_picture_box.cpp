// The drawing surface: scale units, text, lines, boxes, pixels, clearing and persistence.
#include "controls/picture_box.h"
#include "controls/raster_ops.h"

#include "support_controls.h"

#include <QPainter>

#include <climits>
#include <cmath>

namespace quorvane::testing {
namespace {

struct PictureBoxTest : ::testing::Test {
  PictureBoxTest() {
    box.resize(40, 30);
    box.setBackColor(kFace);
    box.Cls();
  }
  PictureBox box;
};

TEST_F(PictureBoxTest, FarAwayCoordinatesAreClippedWithoutOverflow) {
  box.setScaleMode(ScaleUnit::Pixels);
  const QImage before = box.Image();
  box.Line(-1e300, -1e300, 1e300, -1e300, kBlack, LineShape::BoxFilled);
  box.Line(1e12, 5, 2e12, 5, kBlack, LineShape::Box);
  box.Line(-1e12, 3, -5, 3, kBlack);
  box.PSet(1e300, 0, kBlack);
  EXPECT_EQ(box.Image(), before);
  box.Line(-1e12, 2, 1e12, 2, kBlack, LineShape::BoxFilled);  // a band across the surface
  EXPECT_TRUE(allPixels(box.Image(), 0, 2, 40, 3, kBlack));
  EXPECT_FALSE(box.hDC().DrawEdge({INT_MIN, 0, INT_MAX, 5}, Edge::RaisedOuter, Edge::Rect));
  EXPECT_EQ(box.Point(std::nan(""), 0), box.Point(0, 0));  // not a number counts as 0
}

TEST_F(PictureBoxTest, PrintAdvancesByTheTextWidthAndBreaksLines) {
  box.resize(200, 60);
  box.setForeColor(kBlack);
  const double w = box.TextWidth("AB"), h = box.TextHeight("Ay");
  EXPECT_GT(w, 0);
  EXPECT_DOUBLE_EQ(box.TextWidth("AB\r\nA"), w);
  EXPECT_DOUBLE_EQ(box.TextHeight("A\r\nB"), 2 * h);
  box.Print("AB");
  EXPECT_EQ(QPointF(box.CurrentX(), box.CurrentY()), QPointF(w, 0));
  box.Print("x\r\nyz");
  EXPECT_EQ(QPointF(box.CurrentX(), box.CurrentY()), QPointF(box.TextWidth("yz"), h));
  box.PrintLine();
  EXPECT_EQ(QPointF(box.CurrentX(), box.CurrentY()), QPointF(0, 2 * h));
  // Some ink landed in the first line's cell, none right of it.
  const QImage img = box.Image();
  const int cellW = box.toPixelsX(w), cellH = box.toPixelsY(h);
  EXPECT_FALSE(allPixels(img, 0, 0, cellW, cellH, kFace));
  EXPECT_TRUE(allPixels(img, cellW + box.toPixelsX(box.TextWidth("x")) + 2, 0, 200, cellH, kFace));
}

}  // namespace
}  // namespace quorvane::testing
