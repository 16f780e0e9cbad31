// clsStatusBar: the frame, the grip copied as it is, panel widths (fixed, auto-size, overflow), character
// clipping and when it repaints.
#include "controls/clsStatusBar.h"

#include "support_controls.h"

#include <stdexcept>

namespace quorvane::testing {
namespace {

struct StatusBarTest : ::testing::Test {
  StatusBarTest() {
    form.resize(420, 60);
    canvas->setGeometry(0, 30, 400, 22);
    bar.setCanvas(canvas);
    form.show();
  }
  QImage img() const { return canvas->Image(); }
  // The grip sits one pixel in from the bottom right corner.
  QImage grip(int barWidth = 400) const { return img().copy(barWidth - 17, 22 - 13, 16, 12); }
  // Leftmost or rightmost column in [x0, x1) with text ink (anything but the face) in the text rows.
  int ink(int x0, int x1, bool last = true) const {
    const QImage i = img();
    int found = -1;
    for (int x = x0; x < x1; ++x)
      for (int y = 2; y < 20; ++y)
        if (pixelAt(i, x, y) != kFace && (last || found < 0)) found = x;
    return found;
  }
  QWidget form;
  PictureBox* canvas = new PictureBox(&form);
  clsStatusBar bar;
};

TEST_F(StatusBarTest, AutoSizePanelsShareTheRoomBeforeTheGrip) {
  const double room = 6000 - 16 * 15 - 15;  // 400 pixels less the grip less one pixel
  bar.AddPanel();
  bar.AddPanel();
  bar.setAutoSize(1, 1);
  bar.setText(1, QStringLiteral("abc"));
  EXPECT_EQ(bar.panel(0).Width, 1440);
  EXPECT_EQ(bar.panel(1).Width, room - 1440);
  bar.AddPanel();
  bar.setAutoSize(2, 2);
  bar.setText(2, QStringLiteral("abcdef"));
  const int w1 = int(canvas->TextWidth("abc")) + 60, w2 = int(canvas->TextWidth("abcdef")) + 60;
  const double spare = room - 1440 - w1 - w2;
  EXPECT_NEAR(bar.panel(1).Width, w1 + spare / 2, 0.5);
  EXPECT_NEAR(bar.panel(2).Width, w2 + spare / 2, 0.5);
  // A panel wider than the room ends at the grip, later panels vanish, nothing is printed over the grip.
  bar.setAutoSize(2, 0);
  bar.setText(1, QString(80, QChar(0x30C6)));
  EXPECT_EQ(bar.panel(1).Width, room - 1440);
  EXPECT_EQ(bar.panel(2).Width, 0);
  EXPECT_EQ(grip(), LoadResPicture(QStringLiteral("STATUSBAR")));
}

TEST_F(StatusBarTest, FieldSettersWaitForTheNextRepaintResizeRepaintsBadIndexesThrow) {
  bar.AddPanel();
  bar.setText(0, QStringLiteral("a"));
  const QImage before = img();
  bar.setBevel(0, 1);
  bar.setTextColor(0, kWhite);
  bar.setAutoSize(0, 1);
  bar.setStyle(0, 3);
  EXPECT_EQ(img(), before);
  bar.setText(0, QStringLiteral("a"));
  EXPECT_NE(img(), before);
  EXPECT_EQ(bar.panel(0).Style, 3);
  canvas->resize(300, 22);
  EXPECT_EQ(grip(300), LoadResPicture(QStringLiteral("STATUSBAR")));
  EXPECT_EQ(bar.Height(), 22 * 15);
  EXPECT_THROW(bar.setText(1, QStringLiteral("x")), std::out_of_range);
  EXPECT_THROW(bar.setBevel(-1, 1), std::out_of_range);
  EXPECT_THROW(bar.panel(3), std::out_of_range);
}

}  // namespace
}  // namespace quorvane::testing
