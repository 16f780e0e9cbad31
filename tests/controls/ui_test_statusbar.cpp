// clsStatusBar: the frame, the grip copied as it is, panel widths (fixed, auto-size,
// overflow), character clipping and when it repaints.
#include "controls/clsStatusBar.h"
#include "controls/resources.h"

#include "support_pixels.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quorvane {
namespace {

using namespace quorvane::testing;

class StatusBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.resize(420, 60);
    canvas = new PictureBox(&form);
    canvas->setGeometry(0, 30, 400, 22);
    bar.setCanvas(canvas);
    form.show();
  }
  QImage img() const { return canvas->Image(); }
  // Rightmost column in [x0, x1) with text ink (anything but the face) in the text rows.
  int lastInk(int x0, int x1) const {
    const QImage i = img();
    int last = -1;
    for (int x = x0; x < x1; ++x)
      for (int y = 2; y < 20; ++y)
        if (pixelAt(i, x, y) != kFace) last = x;
    return last;
  }
  QWidget form;
  PictureBox* canvas = nullptr;
  clsStatusBar bar;
};

TEST_F(StatusBarTest, SimpleStyleShowsTheFrameAndTheGripCopiedAsItIs) {
  bar.setBarStyle(1);
  bar.setSimpleText(QString());
  const QImage i = img();
  EXPECT_EQ(pixelAt(i, 0, 0), kShadow);  // inset one-pixel frame
  EXPECT_EQ(pixelAt(i, 200, 0), kShadow);
  EXPECT_EQ(pixelAt(i, 200, 21), kWhite);
  EXPECT_EQ(pixelAt(i, 399, 10), kWhite);
  EXPECT_TRUE(allPixels(i, 2, 2, 300, 20, kFace));  // no text
  const QImage grip = LoadResPicture(QStringLiteral("STATUSBAR"));
  const int gx = 400 - 16 - 1, gy = 22 - 12 - 1;
  EXPECT_EQ(i.copy(gx, gy, 16, 12), grip);
  // The grip keeps its light grey on a surface of another colour.
  canvas->setBackColor(kWhite);
  bar.Show();
  EXPECT_EQ(pixelAt(img(), gx, gy), kFace);
  EXPECT_EQ(pixelAt(img(), 100, 10), kWhite);
}

TEST_F(StatusBarTest, SimpleTextIsPrintedAtTheLeft) {
  bar.setBarStyle(1);
  bar.setSimpleText(QStringLiteral("ファイル出力完了"));
  EXPECT_EQ(bar.SimpleText(), QStringLiteral("ファイル出力完了"));
  const int ink = lastInk(1, 380);
  EXPECT_GT(ink, 10);
  EXPECT_LE(ink, static_cast<int>(canvas->TextWidth(bar.SimpleText()) / 15) + clsStatusBar::kSimpleTextMargin + 1);
  EXPECT_EQ(lastInk(1, clsStatusBar::kSimpleTextMargin), -1);  // the margin stays clear
  bar.setSimpleText(QString());
  EXPECT_EQ(lastInk(1, 380), -1);
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
  const int w1 = static_cast<int>(canvas->TextWidth("abc")) + 60;
  const int w2 = static_cast<int>(canvas->TextWidth("abcdef")) + 60;
  const double spare = room - 1440 - w1 - w2;
  EXPECT_NEAR(bar.panel(1).Width, w1 + spare / 2, 0.5);
  EXPECT_NEAR(bar.panel(2).Width, w2 + spare / 2, 0.5);
}

TEST_F(StatusBarTest, AnOverflowingAutoSizePanelEndsAtTheGripAndLaterPanelsVanish) {
  for (int i = 0; i < 3; ++i) bar.AddPanel();
  bar.setAutoSize(1, 1);
  bar.setText(0, QStringLiteral("x"));
  bar.setText(1, QString(80, QChar(0x30C6)));  // far wider than the bar
  EXPECT_EQ(bar.panel(0).Width, 1440);
  EXPECT_EQ(bar.panel(1).Width, 6000 - 240 - 15 - 1440);
  EXPECT_EQ(bar.panel(2).Width, 0);
  // Nothing is printed over the grip.
  EXPECT_EQ(img().copy(400 - 17, 22 - 13, 16, 12), LoadResPicture(QStringLiteral("STATUSBAR")));
}

TEST_F(StatusBarTest, PanelFramesAndTextStartTwoPixelsIn) {
  bar.AddPanel();
  bar.AddPanel();
  bar.setBevel(0, 2);
  bar.setText(0, QString());
  QImage i = img();
  EXPECT_EQ(pixelAt(i, 0, 0), kWhite);   // raised panel frame over the bar's inset frame
  EXPECT_EQ(pixelAt(i, 95, 0), kShadow);  // the panel's right line at 96 - 1
  EXPECT_EQ(pixelAt(i, 96, 0), kShadow);  // the bar's own frame goes on
  EXPECT_EQ(pixelAt(i, 96, 21), kWhite);
  // Panel 1 has no frame of its own; its text starts at 96 + 2.
  bar.setText(1, QStringLiteral("|"));
  int first = -1;
  i = img();
  for (int x = 96; x < 120 && first < 0; ++x)
    for (int y = 2; y < 20; ++y)
      if (pixelAt(i, x, y) != kFace) first = x;
  EXPECT_GE(first, 98);
  EXPECT_LT(first, 104);
}

TEST_F(StatusBarTest, LongTextStopsAtACharacterBoundary) {
  bar.AddPanel();
  bar.setText(0, QString(40, QLatin1Char('W')));
  // Whole characters only, each ending before the panel's last column (95): from 2 pixels
  // in, as many as fit completely.
  const int cw = static_cast<int>(canvas->TextWidth("W") / 15);
  ASSERT_GT(cw, 0);
  const int printed = (95 - 2) / cw;
  const int ink = lastInk(1, 380);
  EXPECT_GT(ink, 2 + (printed - 1) * cw);
  EXPECT_LT(ink, 2 + printed * cw);
  EXPECT_LT(ink, 95);
  // A framed panel's right line is not covered either.
  bar.setBevel(0, 1);
  bar.setText(0, QString(40, QChar(0x6F22)));
  EXPECT_EQ(columnString(img(), 95, 1, 21), std::string(20, 'W'));
}

TEST_F(StatusBarTest, FieldSettersWaitForTheNextRepaint) {
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
}

TEST_F(StatusBarTest, ResizeRepaintsAndBadIndexesThrow) {
  canvas->resize(300, 22);
  EXPECT_EQ(img().copy(300 - 17, 9, 16, 12), LoadResPicture(QStringLiteral("STATUSBAR")));
  EXPECT_EQ(bar.Height(), 22 * 15);
  EXPECT_THROW(bar.setText(0, QStringLiteral("x")), std::out_of_range);
  EXPECT_THROW(bar.setBevel(-1, 1), std::out_of_range);
  EXPECT_THROW(bar.panel(3), std::out_of_range);
}

}  // namespace
}  // namespace quorvane
