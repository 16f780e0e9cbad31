// clsTabStrip: tab geometry, the baseline that opens under the selected tab, the page
// frame, focus dots, keyboard, mouse bounds, access keys and program selection.
#include "controls/clsTabStrip.h"

#include "support_pixels.h"
#include "support_toolbar.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using namespace quorvane::testing;

class TabStripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.resize(420, 260);
    picture = new PictureBox(&form);
    picture->setGeometry(10, 20, 400, 200);
    strip.setPicture(picture);
    strip.Add(QStringLiteral("ファイル情報抽出"), QStringLiteral("1"));
    strip.Add(QStringLiteral("ファイル情報比較"), QStringLiteral("2"));
    form.show();
  }
  QImage img() const { return picture->Image(); }
  QPoint inside(int tab) const {
    const auto& t = strip.tab(tab);
    return {t.left + t.width / 2, t.top + t.height / 2};
  }
  QWidget form;
  PictureBox* picture = nullptr;
  clsTabStrip strip;
};

TEST_F(TabStripTest, TabGeometryFollowsTheLabelText) {
  EXPECT_EQ(picture->ScaleMode(), ScaleUnit::Pixels);
  ASSERT_EQ(strip.Count(), 2);
  const auto& a = strip.tab(0);
  const auto& b = strip.tab(1);
  EXPECT_EQ(clsTabStrip::labelOf(a), QStringLiteral("ファイル情報抽出(1)"));
  EXPECT_EQ(a.left, 2);
  EXPECT_EQ(a.top, 2);
  EXPECT_EQ(a.width, static_cast<int>(picture->TextWidth(QStringLiteral("ファイル情報抽出(1)"))) + 20);
  EXPECT_EQ(a.height, static_cast<int>(picture->TextHeight(QStringLiteral("Ay"))) + 6);
  EXPECT_EQ(b.left, a.left + a.width + 1);
  EXPECT_TRUE(a.selected);
  EXPECT_FALSE(b.selected);
}

TEST_F(TabStripTest, ClientAreaInTwips) {
  const int bar = 12 + static_cast<int>(picture->TextHeight(QStringLiteral("|")));
  EXPECT_EQ(strip.ClientLeft(), 150 + 15);
  EXPECT_EQ(strip.ClientTop(), 300 + (bar - 1) * 15);
  EXPECT_EQ(strip.ClientWidth(), (400 - 3) * 15);
  EXPECT_EQ(strip.ClientHeight(), 200 * 15 - (bar + 1) * 15);
  EXPECT_EQ(strip.Top(), 300);
  EXPECT_EQ(strip.Height(), 3000);
}

TEST_F(TabStripTest, BaselineOpensUnderTheSelectedTab) {
  const auto& a = strip.tab(0);
  const auto& b = strip.tab(1);
  const int base = a.top + a.height + 1;
  QImage i = img();
  EXPECT_TRUE(allPixels(i, a.left, base, a.left + a.width + 1, base + 1, kFace));  // open into the page
  // Right neighbour: the selected tab's shadow and dark shadow reach down to the baseline
  // row, and the neighbour's baseline starts at L+2.
  EXPECT_EQ(rowString(i, base, b.left, b.left + 3), "SKW");
  EXPECT_TRUE(allPixels(i, b.left + 2, base, b.left + b.width + 2, base + 1, kWhite));
  // The baseline goes on to the page frame's right edge.
  EXPECT_TRUE(allPixels(i, b.left + b.width, base, 399, base + 1, kWhite));
  EXPECT_EQ(pixelAt(i, 399, base), kBlack);
  // The selected tab: highlight at T-2 from L to L+W, dark shadow at L+W+2.
  EXPECT_EQ(rowString(i, 0, a.left, a.left + 2), "WW");
  EXPECT_EQ(pixelAt(i, a.left + a.width + 2, 10), kBlack);
  EXPECT_EQ(pixelAt(i, a.left + a.width + 1, 10), kShadow);
  EXPECT_EQ(pixelAt(i, a.left - 2, 10), kWhite);
  // Page frame: white left edge, dark shadow then shadow at the bottom and right.
  EXPECT_EQ(pixelAt(i, 0, 100), kWhite);
  EXPECT_EQ(columnString(i, 200, 196, 200), "FFSK");
  EXPECT_EQ(rowString(i, 100, 396, 400), "FFSK");
  // Selecting the second tab moves the opening.
  strip.setSelectedIndex(1);
  i = img();
  EXPECT_TRUE(allPixels(i, a.left, base, a.left + a.width, base + 1, kWhite));
  EXPECT_TRUE(allPixels(i, b.left, base, b.left + b.width, base + 1, kFace));
}

TEST_F(TabStripTest, LabelsAreDrawnInsideTheirTabs) {
  const auto& a = strip.tab(0);
  const QImage i = img();
  bool ink = false;
  for (int y = 4; y < a.top + a.height; ++y)
    for (int x = a.left + 10; x < a.left + a.width - 10; ++x) ink |= pixelAt(i, x, y) == kBlack;
  EXPECT_TRUE(ink);
  EXPECT_TRUE(allPixels(i, a.left + 1, a.top + 1, a.left + 9, a.top + 4, kFace));  // the text margin
}

TEST_F(TabStripTest, FocusDotsAppearAndAreErased) {
  const auto& a = strip.tab(0);
  picture->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(picture->hasFocus());
  QImage i = img();
  EXPECT_EQ(rowString(i, a.top, a.left + 2, a.left + 6), "KFKF");
  EXPECT_EQ(rowString(i, a.top + a.height - 2, a.left + 2, a.left + 6), "KFKF");
  EXPECT_EQ(columnString(i, a.left + 1, a.top, a.top + 4), "KFKF");
  EXPECT_EQ(pixelAt(i, a.left + a.width - 1, a.top + 2), kBlack);
  picture->clearFocus();
  QApplication::processEvents();
  i = img();
  EXPECT_TRUE(allPixels(i, a.left + 1, a.top, a.left + a.width, a.top + 1, kFace));
  EXPECT_TRUE(allPixels(i, a.left + 1, a.top, a.left + 2, a.top + a.height - 1, kFace));
}

TEST_F(TabStripTest, ArrowKeysAndCtrlTabWrapAndEveryKeyIsPassedOn) {
  QSignalSpy changed(&strip, &clsTabStrip::TabChanged);
  QSignalSpy keys(&strip, &clsTabStrip::KeyDown);
  picture->setFocus();
  QTest::keyClick(picture, Qt::Key_Left);
  EXPECT_EQ(strip.SelectedIndex(), 1);
  QTest::keyClick(picture, Qt::Key_Right);
  EXPECT_EQ(strip.SelectedIndex(), 0);
  QTest::keyClick(picture, Qt::Key_Right);
  EXPECT_EQ(strip.SelectedIndex(), 1);
  EXPECT_EQ(changed.count(), 3);
  keys.clear();
  QKeyEvent ctrlTab(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
  QApplication::sendEvent(picture, &ctrlTab);
  EXPECT_EQ(strip.SelectedIndex(), 0);  // from the last tab to the first
  QKeyEvent ctrlShiftTab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  QApplication::sendEvent(picture, &ctrlShiftTab);
  EXPECT_EQ(strip.SelectedIndex(), 1);
  QKeyEvent plainTab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(picture, &plainTab);
  EXPECT_EQ(strip.SelectedIndex(), 1);
  ASSERT_EQ(keys.count(), 3);
  EXPECT_EQ(keys[0][0].toInt(), 9);
  EXPECT_EQ(keys[0][1].toInt(), 2);
  EXPECT_EQ(keys[1][1].toInt(), 3);
  EXPECT_EQ(keys[2][1].toInt(), 0);
  EXPECT_EQ(changed.count(), 5);
}

TEST_F(TabStripTest, MouseBoundsAreInclusiveAndTheLeftTabWins) {
  QSignalSpy changed(&strip, &clsTabStrip::TabChanged);
  const auto& a = strip.tab(0);
  clickAt(picture, inside(0));
  EXPECT_EQ(changed.count(), 0);  // already selected
  clickAt(picture, {a.left + a.width + 1, a.top + 3});  // first column of tab 1
  EXPECT_EQ(strip.SelectedIndex(), 1);
  clickAt(picture, {a.left + a.width, a.top + a.height});  // inclusive corner of tab 0
  EXPECT_EQ(strip.SelectedIndex(), 0);
  EXPECT_EQ(changed.count(), 2);
  clickAt(picture, {300, 150});  // the page: nothing
  sendMouse(picture, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, inside(1));
  EXPECT_EQ(strip.SelectedIndex(), 0);
  EXPECT_EQ(changed.count(), 2);
}

TEST_F(TabStripTest, ProgramSelectionRaisesNothingAndIgnoresBadIndexes) {
  QSignalSpy changed(&strip, &clsTabStrip::TabChanged);
  strip.setSelectedIndex(1);
  EXPECT_EQ(strip.SelectedIndex(), 1);
  strip.setSelectedIndex(2);
  strip.setSelectedIndex(-1);
  EXPECT_EQ(strip.SelectedIndex(), 1);
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(TabStripTest, AccessKeysRaiseClickThenTabChanged) {
  std::vector<std::string> order;
  QObject::connect(&strip, &clsTabStrip::Click, [&] { order.push_back("Click"); });
  QObject::connect(&strip, &clsTabStrip::TabChanged, [&] { order.push_back("TabChanged"); });
  strip.AccelKeyCmdBtnClicked(2);  // base 0 + tab 1 + 1
  EXPECT_EQ(strip.SelectedIndex(), 1);
  EXPECT_EQ(order, (std::vector<std::string>{"Click", "TabChanged"}));
  strip.AccelKeyCmdBtnClicked(2);  // already selected: nothing
  strip.AccelKeyCmdBtnClicked(7);  // no such tab: nothing
  EXPECT_EQ(order.size(), 2u);
  // Alt+1 through the window's shortcut.
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::keyClick(&form, Qt::Key_1, Qt::AltModifier);
  EXPECT_EQ(strip.SelectedIndex(), 0);
  EXPECT_EQ(order.size(), 4u);
}

TEST_F(TabStripTest, ATabWithoutAKeyShowsItsCaptionOnly) {
  strip.Add(QStringLiteral("その他"), QString());
  EXPECT_EQ(clsTabStrip::labelOf(strip.tab(2)), QStringLiteral("その他"));
  EXPECT_EQ(strip.tab(2).width, static_cast<int>(picture->TextWidth(QStringLiteral("その他"))) + 20);
}

}  // namespace
}  // namespace quorvane
