// The compiled-in pictures, cursor and strings have the sizes and colours the controls
// rely on.
#include "controls/resources.h"

#include "support_pixels.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using namespace quorvane::testing;

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
        // Every channel of the 16-colour palette is 0, 128, 192 or 255.
        for (int shift : {0, 8, 16}) {
          const int v = static_cast<int>((c >> shift) & 0xFF);
          EXPECT_TRUE(v == 0 || v == 128 || v == 192 || v == 255) << x << "," << y;
        }
      }
    EXPECT_TRUE(hasKey);
    EXPECT_TRUE(hasInk);
  }
  EXPECT_TRUE(LoadResPicture(999).isNull());
  EXPECT_TRUE(LoadResPicture(QStringLiteral("../strings.txt")).isNull());
}

TEST(Resources, ButtonCrossIsACheckerboardWhiteAtTopLeft) {
  const QImage img = LoadResPicture(QStringLiteral("BTN_CROSS"));
  ASSERT_EQ(img.size(), QSize(8, 8));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(pixelAt(img, x, y), (x + y) % 2 == 0 ? kWhite : kBlack);
}

TEST(Resources, SizeGripHasThreeRidgesOfWhiteThenTwoGrey) {
  const QImage img = LoadResPicture(QStringLiteral("statusbar"));
  ASSERT_EQ(img.size(), QSize(16, 12));
  // The bottom row walks across all three ridges from the left.
  EXPECT_EQ(rowString(img, 11, 0, 16), "FFFFWSSFWSSFWSSF");
  // Upper-left of the ridges stays light grey.
  EXPECT_TRUE(allPixels(img, 0, 0, 8, 4, kFace));
  // Every ridge runs from bottom-left to top-right: constant along x + y.
  for (int y = 0; y + 1 < 12; ++y) {
    for (int x = 1; x < 16; ++x) EXPECT_EQ(pixelAt(img, x, y), pixelAt(img, x - 1, y + 1)) << x << "," << y;
  }
}

TEST(Resources, CursorIconAndStrings) {
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
}  // namespace quorvane
