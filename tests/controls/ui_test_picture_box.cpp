// The drawing surface: scale units, text, lines, boxes, pixels, clearing and persistence.
#include "controls/picture_box.h"
#include "controls/raster_ops.h"

#include "support_controls.h"

#include <QPainter>

#include <climits>
#include <cmath>

namespace quorvane::testing {
namespace {

struct PictureBoxTest : ::testing::Test {
  PictureBoxTest() {
    box.resize(40, 30);
    box.setBackColor(kFace);
    box.Cls();
  }
  PictureBox box;
};

TEST_F(PictureBoxTest, GeometryInTwipsAndScaleInEitherUnit) {
  EXPECT_EQ(QSize(box.Width(), box.Height()), QSize(600, 450));
  EXPECT_EQ(box.ScaleMode(), ScaleUnit::Twips);
  EXPECT_DOUBLE_EQ(box.ScaleWidth(), 600);
  box.setScaleMode(ScaleUnit::Pixels);
  EXPECT_DOUBLE_EQ(box.ScaleWidth(), 40);
  EXPECT_DOUBLE_EQ(box.ScaleHeight(), 30);
  box.Move(150, 300, 900, 150);
  EXPECT_EQ(QRect(box.Left(), box.Top(), box.width(), box.height()), QRect(150, 300, 60, 10));
  box.Move(0, 0, -1, 500);  // a negative width keeps the size
  EXPECT_EQ(box.height(), 10);
}

TEST_F(PictureBoxTest, LinesLeaveTheEndPointBoxesIncludeBothCorners) {
  box.Line(15, 15, 75, 15, kBlack);  // twips: pixels 1..4 of row 1
  EXPECT_EQ(rowString(box.Image(), 1, 0, 7), "FKKKKFF");
  EXPECT_DOUBLE_EQ(box.CurrentX(), 75);
  EXPECT_DOUBLE_EQ(box.CurrentY(), 15);
  box.Cls();
  box.setScaleMode(ScaleUnit::Pixels);
  box.Line(1, 1, 4, 3, kBlack, LineShape::Box);
  const QImage img = box.Image();
  EXPECT_EQ(rowString(img, 1, 0, 6) + rowString(img, 2, 0, 6) + rowString(img, 3, 0, 6), "FKKKKF" "FKFFKF" "FKKKKF");
  // A box outline under not-xor touches each corner once.
  box.setDrawMode(raster::R2_NOTXORPEN);
  box.Line(1, 1, 4, 3, kWhite, LineShape::Box);
  EXPECT_EQ(box.Point(1, 1), qint64(~(kBlack ^ kWhite) & 0xFFFFFF));
  EXPECT_EQ(box.Point(4, 3), qint64(kBlack));
}

TEST_F(PictureBoxTest, FarAwayCoordinatesAreClippedWithoutOverflow) {
  box.setScaleMode(ScaleUnit::Pixels);
  const QImage before = box.Image();
  box.Line(-1e300, -1e300, 1e300, -1e300, kBlack, LineShape::BoxFilled);
  box.Line(1e12, 5, 2e12, 5, kBlack, LineShape::Box);
  box.Line(-1e12, 3, -5, 3, kBlack);
  box.PSet(1e300, 0, kBlack);
  EXPECT_EQ(box.Image(), before);
  box.Line(-1e12, 2, 1e12, 2, kBlack, LineShape::BoxFilled);  // a band across the surface
  EXPECT_TRUE(allPixels(box.Image(), 0, 2, 40, 3, kBlack));
  EXPECT_FALSE(box.hDC().DrawEdge({INT_MIN, 0, INT_MAX, 5}, Edge::RaisedOuter, Edge::Rect));
  EXPECT_EQ(box.Point(std::nan(""), 0), box.Point(0, 0));  // not a number counts as 0
}

TEST_F(PictureBoxTest, PSetPointAndClsUseScaleUnitsAndResolveSystemColours) {
  box.PSet(30, 45, kWhite);
  EXPECT_EQ(box.Point(30, 45), qint64(kWhite));
  EXPECT_EQ(box.Point(29, 44), qint64(kWhite));  // same pixel (2, 3)
  EXPECT_EQ(box.Point(-15, 0), -1);
  EXPECT_EQ(box.Point(600, 0), -1);
  box.setCurrentX(99);
  box.Cls();
  EXPECT_EQ(box.Point(30, 45), qint64(kFace));
  EXPECT_DOUBLE_EQ(box.CurrentX(), 0);
  box.setForeColor(systemColorValue(SysColor::ButtonShadow));
  box.PSet(0, 0);
  EXPECT_EQ(box.Point(0, 0), qint64(kShadow));
  box.setBackColor(systemColorValue(SysColor::Window));
  box.Cls();
  EXPECT_EQ(box.Point(0, 0), qint64(kWhite));
}

TEST_F(PictureBoxTest, PrintAdvancesByTheTextWidthAndBreaksLines) {
  box.resize(200, 60);
  box.setForeColor(kBlack);
  const double w = box.TextWidth("AB"), h = box.TextHeight("Ay");
  EXPECT_GT(w, 0);
  EXPECT_DOUBLE_EQ(box.TextWidth("AB\r\nA"), w);
  EXPECT_DOUBLE_EQ(box.TextHeight("A\r\nB"), 2 * h);
  box.Print("AB");
  EXPECT_EQ(QPointF(box.CurrentX(), box.CurrentY()), QPointF(w, 0));
  box.Print("x\r\nyz");
  EXPECT_EQ(QPointF(box.CurrentX(), box.CurrentY()), QPointF(box.TextWidth("yz"), h));
  box.PrintLine();
  EXPECT_EQ(QPointF(box.CurrentX(), box.CurrentY()), QPointF(0, 2 * h));
  // Some ink landed in the first line's cell, none right of it.
  const QImage img = box.Image();
  const int cellW = box.toPixelsX(w), cellH = box.toPixelsY(h);
  EXPECT_FALSE(allPixels(img, 0, 0, cellW, cellH, kFace));
  EXPECT_TRUE(allPixels(img, cellW + box.toPixelsX(box.TextWidth("x")) + 2, 0, 200, cellH, kFace));
}

TEST_F(PictureBoxTest, DrawingSurvivesResizeAndNewAreaTakesTheBackColour) {
  box.PSet(15, 15, kBlack);
  box.resize(50, 40);
  const QImage img = box.Image();
  EXPECT_EQ(img.size(), QSize(50, 40));
  EXPECT_EQ(pixelAt(img, 1, 1), kBlack);
  EXPECT_EQ(pixelAt(img, 45, 35), kFace);
  box.setHeight(15 * 100);  // growing by program, as the help page does
  EXPECT_EQ(box.image().height(), 100);
  EXPECT_EQ(pixelAt(box.image(), 1, 1), kBlack);
}

TEST_F(PictureBoxTest, APaintSourceStandsInForTheBackingImage) {
  box.PSet(15, 15, kBlack);
  std::vector<QRect> asked;
  box.setPaintSource([&](QPainter& p, const QRect& area) {
    asked.push_back(area);
    p.fillRect(area, QColor(Qt::red));
  });
  // Only the part asked for is painted, in surface coordinates.
  EXPECT_EQ(box.Point(5 * 15, 7 * 15), 0x0000FF);
  EXPECT_EQ(asked, std::vector<QRect>{QRect(5, 7, 1, 1)});
  EXPECT_EQ(box.Point(-3 * 15, 0), -1);
  EXPECT_EQ(pixelAt(box.Image(), 39, 29), 0x0000FFu);
  EXPECT_EQ(asked.back(), QRect(0, 0, 40, 30));
  // Without the source the surface has a backing image again, cleared to BackColor.
  box.setPaintSource({});
  EXPECT_EQ(pixelAt(box.image(), 1, 1), kFace);
}

TEST_F(PictureBoxTest, PictureIsTheBackgroundClsRestores) {
  box.setPicture(solidImage(4, 4, kWhite));
  EXPECT_EQ(box.Point(15, 15), qint64(kWhite));
  box.PSet(15, 15, kBlack);
  box.Cls();
  EXPECT_EQ(box.Point(15, 15), qint64(kWhite));
  EXPECT_EQ(box.Point(15 * 5, 15), qint64(kFace));
  box.setAutoSize(true);
  box.setPicture(solidImage(7, 9, kBlack));
  EXPECT_EQ(box.size(), QSize(7, 9));
  EXPECT_FALSE(box.LoadPicture("/nonexistent/picture.bmp"));
  EXPECT_EQ(box.Picture().size(), QSize(7, 9));
  EXPECT_TRUE(box.LoadPicture(QString()));
  EXPECT_TRUE(box.Picture().isNull());
}

TEST_F(PictureBoxTest, MouseAndKeyEventsReportScaleUnitsAndClassicCodes) {
  box.show();
  QSignalSpy down(&box, &PictureBox::MouseDown);
  QSignalSpy click(&box, &PictureBox::Click);
  QSignalSpy key(&box, &PictureBox::KeyDown);
  QTest::mousePress(&box, Qt::LeftButton, Qt::ShiftModifier, QPoint(3, 4));
  QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier, QPoint(3, 4));
  ASSERT_EQ(down.count(), 1);
  EXPECT_EQ(down[0], (QList<QVariant>{MouseButton::Left, ShiftState::Shift, 45.0, 60.0}));
  EXPECT_EQ(click.count(), 1);
  QTest::keyClick(&box, Qt::Key_Left, Qt::ControlModifier);
  ASSERT_EQ(key.count(), 2);  // the Ctrl key itself, then the arrow
  EXPECT_EQ(key[0][0].toInt(), 17);
  EXPECT_EQ(key[1], (QList<QVariant>{37, ShiftState::Ctrl}));
  EXPECT_EQ(virtualKeyFromQt(Qt::Key_A), 65);
  EXPECT_EQ(virtualKeyFromQt(Qt::Key_F1), 112);
}

}  // namespace
}  // namespace quorvane::testing
