// clsTabStrip: tab geometry, the baseline that opens under the selected tab, the page frame, focus dots,
// keyboard, mouse bounds, access keys and program selection.
#include "controls/clsTabStrip.h"

#include "support_controls.h"

namespace quorvane::testing {
namespace {

struct TabStripTest : ::testing::Test {
  TabStripTest() {
    form.resize(420, 260);
    picture->setGeometry(10, 20, 400, 200);
    strip.setPicture(picture);
    strip.Add(QStringLiteral("ファイル情報抽出"), QStringLiteral("1"));
    strip.Add(QStringLiteral("ファイル情報比較"), QStringLiteral("2"));
    form.show();
  }
  QImage img() const { return picture->Image(); }
  const clsTabStrip::Tab& tab(int index) const { return strip.tab(index); }
  QPoint inside(int i) const { return {tab(i).left + tab(i).width / 2, tab(i).top + tab(i).height / 2}; }
  QWidget form;
  PictureBox* picture = new PictureBox(&form);
  clsTabStrip strip;
};

TEST_F(TabStripTest, TabGeometryFollowsTheLabelTextAndTheClientAreaIsInTwips) {
  EXPECT_EQ(picture->ScaleMode(), ScaleUnit::Pixels);
  strip.Add(QStringLiteral("その他"), QString());  // without a key only the caption shows
  ASSERT_EQ(strip.Count(), 3);
  EXPECT_EQ(clsTabStrip::labelOf(tab(0)), QStringLiteral("ファイル情報抽出(1)"));
  EXPECT_EQ(clsTabStrip::labelOf(tab(2)), QStringLiteral("その他"));
  EXPECT_EQ(QRect(tab(0).left, tab(0).top, tab(0).width, tab(0).height),
            QRect(2, 2, int(picture->TextWidth(QStringLiteral("ファイル情報抽出(1)"))) + 20,
                  int(picture->TextHeight(QStringLiteral("Ay"))) + 6));
  EXPECT_EQ(tab(2).width, int(picture->TextWidth(QStringLiteral("その他"))) + 20);
  EXPECT_EQ(tab(1).left, tab(0).left + tab(0).width + 1);
  EXPECT_TRUE(tab(0).selected && !tab(1).selected);
  const int bar = 12 + int(picture->TextHeight(QStringLiteral("|")));
  EXPECT_EQ(QRect(strip.ClientLeft(), strip.ClientTop(), strip.ClientWidth(), strip.ClientHeight()),
            QRect(150 + 15, 300 + (bar - 1) * 15, (400 - 3) * 15, 200 * 15 - (bar + 1) * 15));
  EXPECT_EQ(strip.Top(), 300);
  EXPECT_EQ(strip.Height(), 3000);
}

TEST_F(TabStripTest, ArrowKeysAndCtrlTabWrapAndEveryKeyIsPassedOn) {
  QSignalSpy changed(&strip, &clsTabStrip::TabChanged);
  QSignalSpy keys(&strip, &clsTabStrip::KeyDown);
  picture->setFocus();
  for (const auto& [key, selected] : {std::pair{Qt::Key_Left, 1}, {Qt::Key_Right, 0}, {Qt::Key_Right, 1}}) {
    QTest::keyClick(picture, key);
    EXPECT_EQ(strip.SelectedIndex(), selected);
  }
  EXPECT_EQ(changed.count(), 3);
  keys.clear();
  // From the last tab to the first, back, and a plain Tab selects nothing.
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, int, int> tabs[] = {
      {Qt::Key_Tab, Qt::ControlModifier, 0, 2},
      {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 1, 3},
      {Qt::Key_Tab, Qt::NoModifier, 1, 0}};
  for (const auto& [key, modifiers, selected, shift] : tabs) {
    QKeyEvent e(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(picture, &e);
    EXPECT_EQ(strip.SelectedIndex(), selected);
    ASSERT_EQ(keys.count(), 1);
    EXPECT_EQ(keys[0][0].toInt(), 9);
    EXPECT_EQ(keys.takeFirst()[1].toInt(), shift);
  }
  EXPECT_EQ(changed.count(), 5);
}

TEST_F(TabStripTest, MouseBoundsAreInclusiveAndTheLeftTabWins) {
  QSignalSpy changed(&strip, &clsTabStrip::TabChanged);
  const auto& t = tab(0);
  clickAt(picture, inside(0));
  EXPECT_EQ(changed.count(), 0);  // already selected
  clickAt(picture, {t.left + t.width + 1, t.top + 3});  // first column of tab 1
  EXPECT_EQ(strip.SelectedIndex(), 1);
  clickAt(picture, {t.left + t.width, t.top + t.height});  // inclusive corner of tab 0
  EXPECT_EQ(strip.SelectedIndex(), 0);
  clickAt(picture, {300, 150});  // the page: nothing
  sendMouse(picture, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, inside(1));
  EXPECT_EQ(strip.SelectedIndex(), 0);
  EXPECT_EQ(changed.count(), 2);
}

TEST_F(TabStripTest, ProgramSelectionRaisesNothingAccessKeysRaiseClickThenTabChanged) {
  std::vector<std::string> order;
  QObject::connect(&strip, &clsTabStrip::Click, [&] { order.push_back("Click"); });
  QObject::connect(&strip, &clsTabStrip::TabChanged, [&] { order.push_back("TabChanged"); });
  for (int index : {1, 2, -1}) strip.setSelectedIndex(index);  // bad indexes are ignored
  EXPECT_EQ(strip.SelectedIndex(), 1);
  EXPECT_TRUE(order.empty());
  strip.AccelKeyCmdBtnClicked(1);  // base 0 + tab 0 + 1
  EXPECT_EQ(strip.SelectedIndex(), 0);
  EXPECT_EQ(order, (std::vector<std::string>{"Click", "TabChanged"}));
  strip.AccelKeyCmdBtnClicked(1);  // already selected: nothing
  strip.AccelKeyCmdBtnClicked(7);  // no such tab: nothing
  EXPECT_EQ(order.size(), 2u);
  // Alt+2 through the window's shortcut.
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::keyClick(&form, Qt::Key_2, Qt::AltModifier);
  EXPECT_EQ(strip.SelectedIndex(), 1);
  EXPECT_EQ(order.size(), 4u);
}

}  // namespace
}  // namespace quorvane::testing
