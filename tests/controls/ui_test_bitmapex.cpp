// clsBitMapEx: each Draw kind on a known picture, the mask pictures and the copy routines.
#include "controls/clsBitMapEx.h"
#include "controls/picture_copy.h"
#include "controls/raster_ops.h"

#include "support_controls.h"

namespace quorvane::testing {
namespace {

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
