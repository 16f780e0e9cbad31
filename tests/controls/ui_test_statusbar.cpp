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

TEST_F(StatusBarTest, SimpleStyleShowsTheFrameTheGripAndTheTextAtTheLeft) {
  bar.setBarStyle(1);
  bar.setSimpleText(QString());
  const QImage i = img();
  // An inset one-pixel frame, no text.
  EXPECT_EQ(rowString(i, 0, 0, 1) + rowString(i, 0, 200, 201) + rowString(i, 21, 200, 201) + rowString(i, 10, 399, 400),
            "SSWW");
  EXPECT_TRUE(allPixels(i, 2, 2, 300, 20, kFace));
  EXPECT_EQ(grip(), LoadResPicture(QStringLiteral("STATUSBAR")));
  bar.setSimpleText(QStringLiteral("ファイル出力完了"));
  EXPECT_EQ(bar.SimpleText(), QStringLiteral("ファイル出力完了"));
  EXPECT_GT(ink(1, 380), 10);
  EXPECT_LE(ink(1, 380), int(canvas->TextWidth(bar.SimpleText()) / 15) + clsStatusBar::kSimpleTextMargin + 1);
  EXPECT_EQ(ink(1, clsStatusBar::kSimpleTextMargin), -1);  // the margin stays clear
  bar.setSimpleText(QString());
  EXPECT_EQ(ink(1, 380), -1);
  // The grip keeps its light grey on a surface of another colour.
  canvas->setBackColor(kWhite);
  bar.Show();
  EXPECT_EQ(pixelAt(img(), 400 - 17, 22 - 13), kFace);
  EXPECT_EQ(pixelAt(img(), 100, 10), kWhite);
}

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

TEST_F(StatusBarTest, PanelFramesAndTextStartTwoPixelsIn) {
  bar.AddPanel();
  bar.AddPanel();
  bar.setBevel(0, 2);
  bar.setText(0, QString());
  // A raised panel frame over the bar's inset frame, the panel's right line at 96 - 1, then the bar's frame.
  EXPECT_EQ(rowString(img(), 0, 0, 1) + rowString(img(), 0, 95, 97) + rowString(img(), 21, 96, 97), "WSSW");
  bar.setText(1, QStringLiteral("|"));  // panel 1 has no frame of its own; its text starts at 96 + 2
  EXPECT_GE(ink(96, 120, false), 98);
  EXPECT_LT(ink(96, 120, false), 104);
}

TEST_F(StatusBarTest, LongTextStopsAtACharacterBoundary) {
  bar.AddPanel();
  bar.setText(0, QString(40, QLatin1Char('W')));
  // Whole characters only, each ending before the panel's last column (95): from 2 pixels in, as many as
  // fit completely.
  const int cw = int(canvas->TextWidth("W") / 15);
  ASSERT_GT(cw, 0);
  const int printed = (95 - 2) / cw;
  EXPECT_GT(ink(1, 380), 2 + (printed - 1) * cw);
  EXPECT_LT(ink(1, 380), std::min(95, 2 + printed * cw));
  // A framed panel's right line is not covered either.
  bar.setBevel(0, 1);
  bar.setText(0, QString(40, QChar(0x6F22)));
  EXPECT_EQ(columnString(img(), 95, 1, 21), std::string(20, 'W'));
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
