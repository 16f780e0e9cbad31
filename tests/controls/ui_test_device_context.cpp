// Block copies, pens, pixels and edges on a device context, checked pixel by pixel.
#include "controls/device_context.h"
#include "controls/raster_ops.h"

#include "support_pixels.h"

#include <gtest/gtest.h>

#include <climits>

namespace quorvane {
namespace {

using namespace quorvane::testing;

constexpr OleColor kOld = rgbColor(0x0F, 0xF0, 0x55);
constexpr OleColor kNavy = rgbColor(0, 0, 128);

TEST(DeviceContext, BitBltCombinesExactlyAndIsClippedAtBothImages) {
  QImage target = solidImage(4, 4, kOld);
  DeviceContext dc(target);
  const QImage src = solidImage(2, 2, rgbColor(0x33, 0x33, 0xAA));
  dc.BitBlt(1, 1, 2, 2, src, 0, 0, raster::SRCAND);
  EXPECT_EQ(pixelAt(target, 1, 1), rgbColor(0x0F & 0x33, 0xF0 & 0x33, 0x55 & 0xAA));
  EXPECT_EQ(pixelAt(target, 0, 0), kOld);  // outside the rectangle
  EXPECT_EQ(pixelAt(target, 3, 3), kOld);
  dc.BitBlt(1, 1, 2, 2, src, 0, 0, raster::SRCINVERT);
  EXPECT_EQ(pixelAt(target, 2, 2), rgbColor((0x0F & 0x33) ^ 0x33, (0xF0 & 0x33) ^ 0x33, (0x55 & 0xAA) ^ 0xAA));

  QImage small = solidImage(3, 3, kBlack);
  DeviceContext ds(small);
  EXPECT_TRUE(ds.BitBlt(-1, -1, 10, 10, solidImage(2, 2, kWhite), 0, 0, raster::SRCCOPY));
  // Destination (0,0) reads source (1,1); (1,1) would read source (2,2), which does not exist.
  EXPECT_EQ(rowString(small, 0, 0, 3), "WKK");
  EXPECT_EQ(rowString(small, 1, 0, 3), "KKK");
  EXPECT_FALSE(ds.BitBlt(0, 0, 0, 3, src, 0, 0, raster::SRCCOPY));
  EXPECT_TRUE(ds.BitBlt(INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, src, INT_MIN, INT_MIN, raster::SRCCOPY));
}

TEST(DeviceContext, SelfCopiesReadTheOldPixelsAndDitherWithTheBrushFromTheOrigin) {
  QImage line = solidImage(4, 1, kBlack);
  line.setPixel(0, 0, 0xFFFFFFFF);
  DeviceContext dl(line);
  dl.BitBlt(1, 0, 3, 1, dl, 0, 0, raster::SRCCOPY);
  EXPECT_EQ(rowString(line, 0, 0, 4), "WWKK");

  QImage target = solidImage(6, 4, kFace);
  DeviceContext dc(target);
  QImage brush(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) brush.setPixel(x, y, ((x + y) % 2 == 0) ? 0xFFFFFFFF : 0xFF000000);
  EXPECT_TRUE(dc.SelectBrush(brush).isNull());
  dc.BitBlt(1, 1, 4, 2, dc, 1, 1, raster::PSO);
  EXPECT_EQ(rowString(target, 0, 0, 6), "FFFFFF");
  EXPECT_EQ(rowString(target, 1, 0, 6), "FWFWFF");
  EXPECT_EQ(rowString(target, 2, 0, 6), "FFWFWF");
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
  const OleColor green = rgbColor(10, 200, 30);
  QImage target = solidImage(4, 4, green);
  DeviceContext dc(target);
  EXPECT_EQ(dc.SetROP2(raster::R2_NOTXORPEN), raster::R2_COPYPEN);
  dc.PaintRect({0, 0, 2, 4}, kNavy);
  EXPECT_EQ(pixelAt(target, 0, 0), ~(green ^ kNavy) & 0xFFFFFF);
  EXPECT_EQ(pixelAt(target, 2, 0), green);
  dc.PaintRect({0, 0, 2, 4}, kNavy);
  EXPECT_EQ(pixelAt(target, 0, 0), green);
}

TEST(DeviceContext, SetPixelAndGetPixel) {
  QImage target = solidImage(2, 2, kFace);
  DeviceContext dc(target);
  EXPECT_TRUE(dc.SetPixelV(1, 0, systemColorValue(SysColor::ButtonText)));
  EXPECT_EQ(dc.GetPixel(1, 0), kBlack);
  EXPECT_FALSE(dc.SetPixelV(2, 0, kBlack));
  EXPECT_EQ(dc.GetPixel(-1, 0), CLR_INVALID);
}

// Edge calls in, pixel rows out.
TEST(DeviceContext, DrawEdgeRows) {
  struct Call {
    GdiRect rect;
    int edge, sides;
  };
  struct Case {
    const char* what;
    std::vector<Call> calls;
    std::vector<const char*> rows;  // rows 0.. of the 6 x 5 image, then column 0
  };
  const int bottomRight = Edge::Right | Edge::Bottom;
  const Case cases[] = {
      // One light top-left line, a dark shadow outside and a shadow inside at the bottom right.
      {"thin raised button",
       {{{0, 0, 6, 5}, Edge::RaisedOuter, bottomRight}, {{0, 0, 5, 4}, Edge::RaisedInner, bottomRight},
        {{0, 0, 5, 4}, Edge::RaisedInner, Edge::Left | Edge::Top}},
       {"WWWWWK", "WFFFSK", "WFFFSK", "WSSSSK", "KKKKKK", "WWWWK"}},
      // The inner ring asks for raised and sunken at once and is dropped.
      {"conflicting inner", {{{0, 0, 5, 5}, Edge::SunkenOuter | Edge::RaisedInner | Edge::SunkenInner, Edge::Rect}},
       {"SSSSWF", "SFFFWF", "SFFFWF", "SFFFWF", "WWWWWF", "SSSSW"}},
      {"classic sunken field", {{{0, 0, 5, 5}, Edge::SunkenOuter | Edge::SunkenInner, Edge::Rect}},
       {"SSSSWF", "SKKFWF", "SKFFWF", "SFFFWF", "WWWWWF", "SSSSW"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QImage t = solidImage(6, 5, kFace);
    DeviceContext dc(t);
    for (const Call& call : c.calls) dc.DrawEdge(call.rect, call.edge, call.sides);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(rowString(t, y, 0, 6), c.rows[static_cast<std::size_t>(y)]) << y;
    EXPECT_EQ(columnString(t, 0, 0, 5), c.rows[5]);
  }
}

}  // namespace
}  // namespace quorvane
