// The drawing primitives: twips, colour values, raster-operation truth tables, block copies, pens, pixels
// and edges on a device context, the etched line and the compiled-in resources.
#include "controls/device_context.h"
#include "controls/etched_line.h"
#include "controls/raster_ops.h"
#include "controls/twips.h"

#include "support_controls.h"

#include <QPalette>

#include <climits>
#include <random>
#include <vector>

namespace quorvane::testing {
namespace {

TEST(Twips, RoundHalfEvenAndTheScreenFactors) {
  const std::pair<double, int> cases[] = {{2.5, 2},    {3.5, 4},    {-2.5, -2},       {-3.5, -4},       {1.4999, 1},
                                          {1.5001, 2}, {23.0 / 15.0, 2}, {1e300, INT_MAX}, {-1e300, INT_MIN}};
  for (const auto& [value, rounded] : cases) EXPECT_EQ(roundHalfEven(value), rounded) << value;
  EXPECT_EQ(QPoint(TwipsPerPixelX(), TwipsPerPixelY()), QPoint(15, 15));  // offscreen is 96 DPI: 1440 / 96
}

TEST(SystemColors, TopBitNamesASystemColourResolvedAtUse) {
  EXPECT_FALSE(isSystemColor(0x00FFFFFFu));
  EXPECT_EQ(resolveOleColor(0x80000014u), kWhite);
  EXPECT_EQ(resolveOleColor(0x80000010u), kShadow);
  EXPECT_EQ(resolveOleColor(0x00123456u), 0x00123456u);
  EXPECT_EQ(qRed(toQRgb(0x000000FFu)), 255);  // red is the lowest byte
  // The application source follows the palette; numbers without a palette role keep the classic value.
  setSystemColorSource(SystemColorSource::Application);
  const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(GetSysColor(SysColor::ButtonFace), rgbColor(face.red(), face.green(), face.blue()));
  EXPECT_EQ(GetSysColor(1), classicSysColor(1));
  setSystemColorSource(SystemColorSource::Classic);
  EXPECT_EQ(GetSysColor(SysColor::ButtonFace), kFace);
}

// Each code against its boolean formula on random colours.
TEST(RasterOps, TernaryCodesMatchTheirFormulas) {
  std::mt19937 rng(7);
  for (int n = 0; n < 500; ++n) {
    const quint32 p = rng() & 0xFFFFFF, s = rng() & 0xFFFFFF, d = rng() & 0xFFFFFF;
    ASSERT_EQ(raster::applyRop3(raster::SRCCOPY, p, s, d), s);
    ASSERT_EQ(raster::applyRop3(raster::SRCAND, p, s, d), s & d);
    ASSERT_EQ(raster::applyRop3(raster::SRCINVERT, p, s, d), s ^ d);
    ASSERT_EQ(raster::applyRop3(raster::DSNA, p, s, d), d & ~s & 0xFFFFFF);
    ASSERT_EQ(raster::applyRop3(raster::MERGEPAINT, p, s, d), (d | ~s) & 0xFFFFFF);
    ASSERT_EQ(raster::applyRop3(raster::PSO, p, s, d), p | s);
    ASSERT_EQ(raster::applyRop3(raster::PATCOPY, p, s, d), p);
    ASSERT_EQ(raster::applyRop2(raster::R2_NOTXORPEN, p, d), ~(p ^ d) & 0xFFFFFF);
    ASSERT_EQ(raster::applyRop2(raster::R2_XORPEN, p, d), p ^ d);
    ASSERT_EQ(raster::applyRop2(raster::R2_COPYPEN, p, d), p);
  }
  EXPECT_TRUE(raster::ropUsesSource(raster::SRCCOPY) && raster::ropUsesPattern(raster::PSO));
  EXPECT_FALSE(raster::ropUsesPattern(raster::SRCCOPY) || raster::ropUsesSource(raster::PATCOPY) ||
               raster::ropUsesSource(raster::BLACKNESS));
}

TEST(DeviceContext, BitBltCombinesExactlyAndIsClippedAtBothImages) {
  const OleColor old = rgbColor(0x0F, 0xF0, 0x55);
  QImage target = solidImage(4, 4, old);
  DeviceContext dc(target);
  const QImage src = solidImage(2, 2, rgbColor(0x33, 0x33, 0xAA));
  dc.BitBlt(1, 1, 2, 2, src, 0, 0, raster::SRCAND);
  EXPECT_EQ(pixelAt(target, 1, 1), rgbColor(0x0F & 0x33, 0xF0 & 0x33, 0x55 & 0xAA));
  EXPECT_EQ(pixelAt(target, 0, 0), old);  // outside the rectangle
  EXPECT_EQ(pixelAt(target, 3, 3), old);
  dc.BitBlt(1, 1, 2, 2, src, 0, 0, raster::SRCINVERT);
  EXPECT_EQ(pixelAt(target, 2, 2), rgbColor((0x0F & 0x33) ^ 0x33, (0xF0 & 0x33) ^ 0x33, (0x55 & 0xAA) ^ 0xAA));
  QImage small = solidImage(3, 3, kBlack);
  DeviceContext ds(small);
  EXPECT_TRUE(ds.BitBlt(-1, -1, 10, 10, solidImage(2, 2, kWhite), 0, 0, raster::SRCCOPY));
  // Destination (0,0) reads source (1,1); (1,1) would read source (2,2), which does not exist.
  EXPECT_EQ(rowString(small, 0, 0, 3) + rowString(small, 1, 0, 3), "WKKKKK");
  EXPECT_FALSE(ds.BitBlt(0, 0, 0, 3, src, 0, 0, raster::SRCCOPY));
  EXPECT_TRUE(ds.BitBlt(INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, src, INT_MIN, INT_MIN, raster::SRCCOPY));
}

TEST(DeviceContext, SelfCopiesReadTheOldPixelsStretchSamplesAndTheBrushDithersFromTheOrigin) {
  QImage line = solidImage(4, 1, kBlack);
  line.setPixel(0, 0, 0xFFFFFFFF);
  DeviceContext dl(line);
  dl.BitBlt(1, 0, 3, 1, dl, 0, 0, raster::SRCCOPY);
  EXPECT_EQ(rowString(line, 0, 0, 4), "WWKK");
  QImage wide = solidImage(4, 2, kFace);
  DeviceContext(wide).StretchBlt(0, 0, 4, 2, line, 1, 0, 2, 1, raster::SRCCOPY);  // nearest pixels
  EXPECT_EQ(rowString(wide, 0, 0, 4) + rowString(wide, 1, 0, 4), "WWKKWWKK");
  QImage target = solidImage(6, 4, kFace);
  DeviceContext dc(target);
  QImage brush(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) brush.setPixel(x, y, ((x + y) % 2 == 0) ? 0xFFFFFFFF : 0xFF000000);
  EXPECT_TRUE(dc.SelectBrush(brush).isNull());
  dc.BitBlt(1, 1, 4, 2, dc, 1, 1, raster::PSO);
  EXPECT_EQ(rowString(target, 0, 0, 6) + rowString(target, 1, 0, 6) + rowString(target, 2, 0, 6),
            "FFFFFF" "FWFWFF" "FFWFWF");
}

TEST(DeviceContext, PensPixelsAndTheNotXorMode) {
  QImage target = solidImage(6, 6, kFace);
  DeviceContext dc(target);
  dc.SetPenColor(kBlack);
  dc.MoveToEx(1, 1);
  dc.LineTo(4, 1);  // leaves the end point
  EXPECT_EQ(rowString(target, 1, 0, 6), "FKKKFF");
  dc.LineTo(4, 4);
  EXPECT_EQ(columnString(target, 4, 0, 6), "FKKKFF");  // (4,1) painted by the second line
  dc.MoveToEx(0, 5);
  dc.LineTo(3, 2);  // diagonal upwards
  EXPECT_EQ(rowString(target, 5, 0, 1) + rowString(target, 3, 2, 3) + rowString(target, 2, 3, 4), "KKF");
  EXPECT_EQ(QPoint(dc.currentX(), dc.currentY()), QPoint(3, 2));
  dc.LineTo(3, 2);  // zero length paints nothing
  EXPECT_EQ(pixelAt(target, 3, 2), kFace);
  EXPECT_TRUE(dc.SetPixelV(1, 0, systemColorValue(SysColor::ButtonText)));
  EXPECT_EQ(dc.GetPixel(1, 0), kBlack);
  EXPECT_FALSE(dc.SetPixelV(6, 0, kBlack));
  EXPECT_EQ(dc.GetPixel(-1, 0), CLR_INVALID);
  // Not-xor twice gives the original back.
  EXPECT_EQ(dc.SetROP2(raster::R2_NOTXORPEN), raster::R2_COPYPEN);
  const OleColor navy = rgbColor(0, 0, 128);
  dc.PaintRect({0, 0, 2, 4}, navy);
  EXPECT_EQ(pixelAt(target, 0, 3), ~(kFace ^ navy) & 0xFFFFFF);
  EXPECT_EQ(pixelAt(target, 2, 0), kFace);
  dc.PaintRect({0, 0, 2, 4}, navy);
  EXPECT_EQ(pixelAt(target, 0, 3), kFace);
}

// Edge calls in, pixel rows out: rows 0.. of the 6 x 5 image, then column 0.
TEST(DeviceContext, DrawEdgeRows) {
  struct Call {
    GdiRect rect;
    int edge, sides;
  };
  const int bottomRight = Edge::Right | Edge::Bottom;
  const std::pair<std::vector<Call>, std::vector<const char*>> cases[] = {
      // A thin raised button: one light top-left line, a dark shadow outside and a shadow inside at the
      // bottom right.
      {{{{0, 0, 6, 5}, Edge::RaisedOuter, bottomRight}, {{0, 0, 5, 4}, Edge::RaisedInner, bottomRight},
        {{0, 0, 5, 4}, Edge::RaisedInner, Edge::Left | Edge::Top}},
       {"WWWWWK", "WFFFSK", "WFFFSK", "WSSSSK", "KKKKKK", "WWWWK"}},
      // The inner ring asks for raised and sunken at once and is dropped.
      {{{{0, 0, 5, 5}, Edge::SunkenOuter | Edge::RaisedInner | Edge::SunkenInner, Edge::Rect}},
       {"SSSSWF", "SFFFWF", "SFFFWF", "SFFFWF", "WWWWWF", "SSSSW"}},
      // The classic sunken field.
      {{{{0, 0, 5, 5}, Edge::SunkenOuter | Edge::SunkenInner, Edge::Rect}},
       {"SSSSWF", "SKKFWF", "SKFFWF", "SFFFWF", "WWWWWF", "SSSSW"}},
  };
  for (const auto& [calls, rows] : cases) {
    SCOPED_TRACE(rows[1]);
    QImage t = solidImage(6, 5, kFace);
    DeviceContext dc(t);
    for (const Call& call : calls) dc.DrawEdge(call.rect, call.edge, call.sides);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(rowString(t, y, 0, 6), rows[std::size_t(y)]) << y;
    EXPECT_EQ(columnString(t, 0, 0, 5), rows[5]);
  }
}

// The shadow line from x1 to x2, and one pixel below it a white line one pixel longer.
TEST(EtchedLine, DrawsShadowThenALongerWhiteLine) {
  QWidget form;
  EtchedLine line(&form);
  line.setLine(5, 10, 45);
  EXPECT_EQ(line.geometry(), QRect(5, 10, 42, 2));
  const QImage img = line.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(rowString(img, 0, 0, 1) + rowString(img, 0, 40, 41) + rowString(img, 1, 0, 1) + rowString(img, 1, 41, 42),
            "SSWW");
  EXPECT_NE(pixelAt(img, 41, 0), kShadow);
}

TEST(Resources, ToolbarBitmapsAre16By16WithTheGreyKeyAndSixteenColours) {
  for (int id : {50, 40, 30, 3, 41, 51}) {
    SCOPED_TRACE(id);
    const QImage img = LoadResPicture(id);
    ASSERT_EQ(img.size(), QSize(16, 16));
    bool hasKey = false, hasInk = false;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const OleColor c = pixelAt(img, x, y);
        hasKey |= c == kFace;
        hasInk |= c != kFace;
        for (int shift : {0, 8, 16}) {  // every channel of the 16-colour palette is 0, 128, 192 or 255
          const int v = int((c >> shift) & 0xFF);
          EXPECT_TRUE(v == 0 || v == 128 || v == 192 || v == 255) << x << "," << y;
        }
      }
    EXPECT_TRUE(hasKey && hasInk);
  }
  EXPECT_TRUE(LoadResPicture(999).isNull());
  EXPECT_TRUE(LoadResPicture(QStringLiteral("../strings.txt")).isNull());
}

TEST(Resources, ButtonCrossSizeGripCursorIconAndStrings) {
  const QImage cross = LoadResPicture(QStringLiteral("BTN_CROSS"));  // a checkerboard, white at the top left
  ASSERT_EQ(cross.size(), QSize(8, 8));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(pixelAt(cross, x, y), (x + y) % 2 == 0 ? kWhite : kBlack);
  const QImage grip = LoadResPicture(QStringLiteral("statusbar"));
  ASSERT_EQ(grip.size(), QSize(16, 12));
  // Three ridges of white then two grey, the upper left light grey; every ridge runs from bottom left to top
  // right: constant along x + y.
  EXPECT_EQ(rowString(grip, 11, 0, 16), "FFFFWSSFWSSFWSSF");
  EXPECT_TRUE(allPixels(grip, 0, 0, 8, 4, kFace));
  for (int y = 0; y + 1 < 12; ++y)
    for (int x = 1; x < 16; ++x) EXPECT_EQ(pixelAt(grip, x, y), pixelAt(grip, x - 1, y + 1)) << x << "," << y;
  const QCursor hand = LoadResCursor(100);
  EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
  EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
  EXPECT_EQ(hand.hotSpot(), QPoint(5, 0));
  EXPECT_EQ(LoadResCursor(5).shape(), Qt::ArrowCursor);
  EXPECT_FALSE(programIcon().isNull());
  EXPECT_EQ(LoadResString(30), QStringLiteral("実行"));
  EXPECT_TRUE(LoadResString(7).isEmpty());
}

}  // namespace
}  // namespace quorvane::testing
