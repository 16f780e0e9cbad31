// Twips factors, colour values and the raster-operation truth tables.
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

TEST(Twips, RoundHalfEvenRoundsTiesToTheEvenNeighbour) {
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(-3.5), -4);
  EXPECT_EQ(roundHalfEven(1.4999), 1);
  EXPECT_EQ(roundHalfEven(1.5001), 2);
  EXPECT_EQ(roundHalfEven(23.0 / 15.0), 2);
  EXPECT_EQ(roundHalfEven(1e300), INT_MAX);
  EXPECT_EQ(roundHalfEven(-1e300), INT_MIN);
}

TEST(Twips, FactorsComeFromTheScreenAt96Dpi) {
  // The offscreen platform reports 96 DPI: 1440 / 96 = 15.
  EXPECT_EQ(TwipsPerPixelX(), 15);
  EXPECT_EQ(TwipsPerPixelY(), 15);
}

TEST(SystemColors, TopBitNamesASystemColourResolvedAtUse) {
  EXPECT_TRUE(isSystemColor(0x80000014u));
  EXPECT_FALSE(isSystemColor(0x00FFFFFFu));
  EXPECT_EQ(resolveOleColor(0x80000014u), rgbColor(255, 255, 255));
  EXPECT_EQ(resolveOleColor(0x80000010u), rgbColor(128, 128, 128));
  EXPECT_EQ(resolveOleColor(0x8000000Fu), rgbColor(192, 192, 192));
  EXPECT_EQ(resolveOleColor(0x80000015u), 0u);
  EXPECT_EQ(resolveOleColor(0x00123456u), 0x00123456u);
  // Red is the lowest byte.
  EXPECT_EQ(qRed(toQRgb(0x000000FFu)), 255);
  EXPECT_EQ(qBlue(toQRgb(0x00FF0000u)), 255);
}

TEST(SystemColors, ApplicationSourceFollowsThePalette) {
  setSystemColorSource(SystemColorSource::Application);
  const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(GetSysColor(SysColor::ButtonFace), rgbColor(face.red(), face.green(), face.blue()));
  // Numbers without a palette role keep the classic value.
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
}

TEST(RasterOps, KnowsWhichInputsAnOperationReads) {
  EXPECT_TRUE(raster::ropUsesSource(raster::SRCCOPY));
  EXPECT_FALSE(raster::ropUsesPattern(raster::SRCCOPY));
  EXPECT_TRUE(raster::ropUsesPattern(raster::PSO));
  EXPECT_FALSE(raster::ropUsesSource(raster::PATCOPY));
  EXPECT_FALSE(raster::ropUsesSource(raster::BLACKNESS));
}

}  // namespace
}  // namespace quorvane
