// The drawing surface (far-away coordinates clipped, text printed) and clsBitMapEx on it: each
// Draw kind on a known picture and the mask pictures.
#include "controls/clsBitMapEx.h"
#include "controls/picture_box.h"

#include "support_controls.h"

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

constexpr OleColor kRed = rgbColor(255, 0, 0);
constexpr OleColor kBlue = rgbColor(0, 0, 255);
constexpr OleColor kGreen = rgbColor(0, 128, 0);

// Row 0: key, red, blue; row 1: key, white, black.
QImage knownPicture() {
  QImage img(3, 2, QImage::Format_RGB32);
  const OleColor px[2][3] = {{kFace, kRed, kBlue}, {kFace, kWhite, kBlack}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) img.setPixel(x, y, toQRgb(px[y][x]));
  return img;
}

struct BitMapExTest : ::testing::Test {
  BitMapExTest() {
    canvas.resize(8, 6);
    canvas.setBackColor(kGreen);
    canvas.Cls();
    bmp.setCanvas(&canvas);
    bmp.setSrcPic(knownPicture());
    bmp.setMaskColor(bmp.MaskColor());
    bmp.setMonoForeColor(bmp.MonoForeColor());
    bmp.setLeft(15);
    bmp.setTop(15);
  }
  std::string drawn(int kind, int dx = 0, int dy = 0) {
    canvas.Cls();
    bmp.Draw(kind, dx, dy);
    const QImage i = canvas.Image();
    return rowString(i, 1, 0, 5) + "|" + rowString(i, 2, 0, 5);
  }
  PictureBox canvas;
  clsBitMapEx bmp;
};

TEST_F(BitMapExTest, MaskAndMonoPicturesFollowTheKeyColour) {
  EXPECT_EQ(rowString(bmp.MaskPic(), 0, 0, 3) + rowString(bmp.MaskPic(), 1, 0, 3), "WKKWKK");
  EXPECT_EQ(rowString(bmp.MonoPic(), 0, 0, 3), "KSS");
  EXPECT_EQ(rowString(bmp.maskedImage(), 0, 0, 3), "K<0000FF><FF0000>");  // red, blue kept
  EXPECT_EQ(rowString(bmp.maskedImage(), 1, 0, 3), "KWK");
}

TEST_F(BitMapExTest, EachKindOnAKnownPicture) {
  const std::string g = "<008000>";
  EXPECT_EQ(drawn(0), g + "F<0000FF><FF0000>" + g + "|" + g + "FWK" + g);  // as it is
  EXPECT_EQ(drawn(1), g + g + "<0000FF><FF0000>" + g + "|" + g + g + "WK" + g);  // key shows green
  EXPECT_EQ(drawn(2), g + "KSS" + g + "|" + g + "KSS" + g);  // silhouette, key black
  EXPECT_EQ(drawn(3), g + g + "SS" + g + "|" + g + g + "SS" + g);  // transparent silhouette
  EXPECT_EQ(drawn(4), g + g + "WW" + g + "|" + g + g + "WW" + g);  // white silhouette
  for (int unknown : {5, -1}) EXPECT_EQ(drawn(unknown), g + g + g + g + g + "|" + g + g + g + g + g);
}

}  // namespace
}  // namespace quorvane::testing
