// Block copies, pens, pixels and edges on a device context, checked pixel by pixel.
#include "controls/DeviceContext.h"
#include "controls/raster_ops.h"

#include "support_pixels.h"

#include <gtest/gtest.h>

#include <climits>

namespace quorvane {
namespace {

using namespace quorvane::testing;

TEST(DeviceContext, BitBltCombinesSourceAndDestinationExactly) {
  QImage target = solidImage(4, 4, rgbColor(0x0F, 0xF0, 0x55));
  DeviceContext dc(target);
  const QImage src = solidImage(2, 2, rgbColor(0x33, 0x33, 0xAA));
  dc.BitBlt(1, 1, 2, 2, src, 0, 0, raster::SRCAND);
  EXPECT_EQ(pixelAt(target, 1, 1), rgbColor(0x0F & 0x33, 0xF0 & 0x33, 0x55 & 0xAA));
  EXPECT_EQ(pixelAt(target, 0, 0), rgbColor(0x0F, 0xF0, 0x55));  // outside the rectangle
  EXPECT_EQ(pixelAt(target, 3, 3), rgbColor(0x0F, 0xF0, 0x55));
  dc.BitBlt(1, 1, 2, 2, src, 0, 0, raster::SRCINVERT);
  EXPECT_EQ(pixelAt(target, 2, 2), rgbColor((0x0F & 0x33) ^ 0x33, (0xF0 & 0x33) ^ 0x33, (0x55 & 0xAA) ^ 0xAA));
}

TEST(DeviceContext, CopiesAreClippedAtBothImages) {
  QImage target = solidImage(3, 3, kBlack);
  DeviceContext dc(target);
  const QImage src = solidImage(2, 2, kWhite);
  EXPECT_TRUE(dc.BitBlt(-1, -1, 10, 10, src, 0, 0, raster::SRCCOPY));
  // Destination (0,0) reads source (1,1); (1,1) would read source (2,2), which does not exist.
  EXPECT_EQ(pixelAt(target, 0, 0), kWhite);
  EXPECT_EQ(pixelAt(target, 1, 1), kBlack);
  EXPECT_FALSE(dc.BitBlt(0, 0, 0, 3, src, 0, 0, raster::SRCCOPY));
  EXPECT_TRUE(dc.BitBlt(INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, src, INT_MIN, INT_MIN, raster::SRCCOPY));
}

TEST(DeviceContext, PatternOrSourceOntoItselfDithersWithTheBrushFromTheOrigin) {
  QImage target = solidImage(6, 4, kFace);
  DeviceContext dc(target);
  QImage brush(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) brush.setPixel(x, y, ((x + y) % 2 == 0) ? 0xFFFFFFFF : 0xFF000000);
  const QImage old = dc.SelectBrush(brush);
  EXPECT_TRUE(old.isNull());
  dc.BitBlt(1, 1, 4, 2, dc, 1, 1, raster::PSO);
  EXPECT_EQ(rowString(target, 1, 0, 6), "FWFWFF");
  EXPECT_EQ(rowString(target, 2, 0, 6), "FFWFWF");
  EXPECT_EQ(rowString(target, 0, 0, 6), "FFFFFF");
}

TEST(DeviceContext, SelfCopyReadsTheOldPixels) {
  QImage target = solidImage(4, 1, kBlack);
  target.setPixel(0, 0, 0xFFFFFFFF);
  DeviceContext dc(target);
  dc.BitBlt(1, 0, 3, 1, dc, 0, 0, raster::SRCCOPY);
  EXPECT_EQ(rowString(target, 0, 0, 4), "WWKK");
}

TEST(DeviceContext, StretchBltSamplesNearestPixels) {
  QImage src(2, 1, QImage::Format_RGB32);
  src.setPixel(0, 0, 0xFFFFFFFF);
  src.setPixel(1, 0, 0xFF000000);
  QImage target = solidImage(4, 2, kFace);
  DeviceContext dc(target);
  dc.StretchBlt(0, 0, 4, 2, src, 0, 0, 2, 1, raster::SRCCOPY);
  EXPECT_EQ(rowString(target, 0, 0, 4), "WWKK");
  EXPECT_EQ(rowString(target, 1, 0, 4), "WWKK");
}

TEST(DeviceContext, LineToLeavesTheEndPointAndMovesThePosition) {
  QImage target = solidImage(6, 6, kFace);
  DeviceContext dc(target);
  dc.SetPenColor(kBlack);
  dc.MoveToEx(1, 1);
  dc.LineTo(4, 1);
  EXPECT_EQ(rowString(target, 1, 0, 6), "FKKKFF");
  dc.LineTo(4, 4);
  EXPECT_EQ(columnString(target, 4, 0, 6), "FKKKFF");  // (4,1) painted by the second line
  dc.MoveToEx(0, 5);
  dc.LineTo(3, 2);  // diagonal upwards
  EXPECT_EQ(pixelAt(target, 0, 5), kBlack);
  EXPECT_EQ(pixelAt(target, 2, 3), kBlack);
  EXPECT_EQ(pixelAt(target, 3, 2), kFace);
  EXPECT_EQ(dc.currentX(), 3);
  EXPECT_EQ(dc.currentY(), 2);
  dc.LineTo(3, 2);  // zero length paints nothing
  EXPECT_EQ(pixelAt(target, 3, 2), kFace);
}

TEST(DeviceContext, NotXorPenInvertsTwiceBackToTheOriginal) {
  QImage target = solidImage(4, 4, rgbColor(10, 200, 30));
  DeviceContext dc(target);
  EXPECT_EQ(dc.SetROP2(raster::R2_NOTXORPEN), raster::R2_COPYPEN);
  dc.PaintRect({0, 0, 2, 4}, rgbColor(0, 0, 128));
  EXPECT_EQ(pixelAt(target, 0, 0), ~(rgbColor(10, 200, 30) ^ rgbColor(0, 0, 128)) & 0xFFFFFF);
  EXPECT_EQ(pixelAt(target, 2, 0), rgbColor(10, 200, 30));
  dc.PaintRect({0, 0, 2, 4}, rgbColor(0, 0, 128));
  EXPECT_EQ(pixelAt(target, 0, 0), rgbColor(10, 200, 30));
  // White text on the not-xor bar: white under navy becomes navy, navy under navy white.
  QImage label = solidImage(2, 1, kWhite);
  label.setPixel(1, 0, qRgb(0, 0, 128));
  DeviceContext dl(label);
  dl.SetROP2(raster::R2_NOTXORPEN);
  dl.PaintRect({0, 0, 2, 1}, rgbColor(0, 0, 128));
  EXPECT_EQ(pixelAt(label, 0, 0), rgbColor(0, 0, 128));
  EXPECT_EQ(pixelAt(label, 1, 0), kWhite);
}

TEST(DeviceContext, SetPixelAndGetPixel) {
  QImage target = solidImage(2, 2, kFace);
  DeviceContext dc(target);
  EXPECT_TRUE(dc.SetPixelV(1, 0, systemColorValue(SysColor::ButtonText)));
  EXPECT_EQ(dc.GetPixel(1, 0), kBlack);
  EXPECT_FALSE(dc.SetPixelV(2, 0, kBlack));
  EXPECT_EQ(dc.GetPixel(-1, 0), CLR_INVALID);
}

// The thin raised button edge composed of three calls: one light top-left line, a dark
// shadow outside and a shadow inside at the bottom right.
TEST(DeviceContext, DrawEdgeComposesTheRaisedThinButtonEdge) {
  QImage t = solidImage(6, 5, kFace);
  DeviceContext dc(t);
  GdiRect r{0, 0, 6, 5};
  dc.DrawEdge(r, Edge::RaisedOuter, Edge::Right | Edge::Bottom);
  r.right -= 1;
  r.bottom -= 1;
  dc.DrawEdge(r, Edge::RaisedInner, Edge::Right | Edge::Bottom);
  dc.DrawEdge(r, Edge::RaisedInner, Edge::Left | Edge::Top);
  EXPECT_EQ(rowString(t, 0, 0, 6), "WWWWWK");
  EXPECT_EQ(rowString(t, 1, 0, 6), "WFFFSK");
  EXPECT_EQ(rowString(t, 3, 0, 6), "WSSSSK");
  EXPECT_EQ(rowString(t, 4, 0, 6), "KKKKKK");
  EXPECT_EQ(columnString(t, 0, 0, 5), "WWWWK");
}

TEST(DeviceContext, DrawEdgeSunkenAndCombinedTypes) {
  QImage t = solidImage(5, 5, kFace);
  DeviceContext dc(t);
  dc.DrawEdge({0, 0, 5, 5}, Edge::SunkenOuter | Edge::RaisedInner | Edge::SunkenInner, Edge::Rect);
  // The inner ring asks for raised and sunken at once and is dropped; the outer is sunken.
  EXPECT_EQ(rowString(t, 0, 0, 5), "SSSSW");
  EXPECT_EQ(rowString(t, 4, 0, 5), "WWWWW");
  EXPECT_EQ(rowString(t, 1, 0, 5), "SFFFW");
  QImage u = solidImage(5, 5, kFace);
  DeviceContext du(u);
  du.DrawEdge({0, 0, 5, 5}, Edge::SunkenOuter | Edge::SunkenInner, Edge::Rect);  // classic sunken field
  EXPECT_EQ(rowString(u, 0, 0, 5), "SSSSW");
  EXPECT_EQ(rowString(u, 1, 0, 5), "SKKFW");
  EXPECT_EQ(rowString(u, 3, 0, 5), "SFFFW");
  EXPECT_EQ(columnString(u, 3, 0, 5), "SFFFW");
}

}  // namespace
}  // namespace quorvane
