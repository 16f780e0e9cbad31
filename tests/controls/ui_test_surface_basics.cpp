// Twips factors, colour values, the raster-operation truth tables and the etched line.
#include "controls/etched_line.h"
#include "controls/raster_ops.h"
#include "controls/system_colors.h"
#include "controls/twips.h"

#include <QApplication>
#include <QPalette>

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace quorvane {
namespace {

TEST(Twips, RoundHalfEvenAndTheScreenFactors) {
  const std::pair<double, int> cases[] = {{2.5, 2},     {3.5, 4},     {-2.5, -2},          {-3.5, -4},
                                          {1.4999, 1}, {1.5001, 2}, {23.0 / 15.0, 2}, {1e300, INT_MAX},
                                          {-1e300, INT_MIN}};
  for (const auto& [value, rounded] : cases) EXPECT_EQ(roundHalfEven(value), rounded) << value;
  // The offscreen platform reports 96 DPI: 1440 / 96 = 15.
  EXPECT_EQ(TwipsPerPixelX(), 15);
  EXPECT_EQ(TwipsPerPixelY(), 15);
}

TEST(SystemColors, TopBitNamesASystemColourResolvedAtUse) {
  EXPECT_FALSE(isSystemColor(0x00FFFFFFu));
  EXPECT_EQ(resolveOleColor(0x80000014u), rgbColor(255, 255, 255));
  EXPECT_EQ(resolveOleColor(0x80000010u), rgbColor(128, 128, 128));
  EXPECT_EQ(resolveOleColor(0x00123456u), 0x00123456u);
  EXPECT_EQ(qRed(toQRgb(0x000000FFu)), 255);  // red is the lowest byte
  // The application source follows the palette; numbers without a palette role keep the
  // classic value.
  setSystemColorSource(SystemColorSource::Application);
  const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(GetSysColor(SysColor::ButtonFace), rgbColor(face.red(), face.green(), face.blue()));
  EXPECT_EQ(GetSysColor(1), classicSysColor(1));
  setSystemColorSource(SystemColorSource::Classic);
  EXPECT_EQ(GetSysColor(SysColor::ButtonFace), rgbColor(192, 192, 192));
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
  EXPECT_TRUE(raster::ropUsesSource(raster::SRCCOPY));
  EXPECT_FALSE(raster::ropUsesPattern(raster::SRCCOPY));
  EXPECT_TRUE(raster::ropUsesPattern(raster::PSO));
  EXPECT_FALSE(raster::ropUsesSource(raster::PATCOPY));
  EXPECT_FALSE(raster::ropUsesSource(raster::BLACKNESS));
}

// The shadow line from x1 to x2, and one pixel below it a white line one pixel longer.
TEST(EtchedLine, DrawsShadowThenALongerWhiteLine) {
  QWidget form;
  EtchedLine line(&form);
  line.setLine(5, 10, 45);
  EXPECT_EQ(line.geometry(), QRect(5, 10, 42, 2));
  const QImage img = line.grab().toImage();
  const QColor shadow = toQColor(systemColorValue(SysColor::ButtonShadow));
  EXPECT_EQ(QColor(img.pixel(0, 0)), shadow);
  EXPECT_EQ(QColor(img.pixel(40, 0)), shadow);
  EXPECT_NE(QColor(img.pixel(41, 0)), shadow);
  EXPECT_EQ(QColor(img.pixel(0, 1)), QColor(Qt::white));
  EXPECT_EQ(QColor(img.pixel(41, 1)), QColor(Qt::white));
}

}  // namespace
}  // namespace quorvane
