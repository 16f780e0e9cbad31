// clsToolBar and clsToolButton: layout, the state table's looks on real pixels, the mouse
// (press, drag-off, release, right button), groups, hover and the mouse-leave timer.
#include "controls/clsToolBar.h"
#include "controls/resources.h"

#include "support_pixels.h"
#include "support_toolbar.h"

#include <QCursor>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using namespace quorvane::testing;
using Look = clsToolButton::Look;
using B = clsToolButton::BorderLook;

// Pixel centre of the button with `id`.
QPoint centreOf(const clsToolBar& bar, int id) {
  const clsToolButton* b = bar.Item(id);
  return {(b->Left() + b->Width() / 2) / 15, (b->Top() + b->Height() / 2) / 15};
}

TEST(ToolButtonLook, StateTableRows) {
  // lookFor(hot, check, enabled, value, pressed, coolBar)
  EXPECT_EQ(clsToolButton::lookFor(false, false, false, false, false, false), (Look{B::Raised, false, 0}));
  EXPECT_EQ(clsToolButton::lookFor(false, false, true, false, false, false), (Look{B::Raised, false, 1}));
  EXPECT_EQ(clsToolButton::lookFor(false, false, true, false, false, true), (Look{B::None, false, 1}));
  EXPECT_EQ(clsToolButton::lookFor(false, false, false, false, false, true), (Look{B::None, false, 0}));
  EXPECT_EQ(clsToolButton::lookFor(false, false, true, false, true, false), (Look{B::Sunken, false, 2}));
  EXPECT_EQ(clsToolButton::lookFor(false, true, true, true, false, false), (Look{B::Sunken, true, 2}));   // 28
  EXPECT_EQ(clsToolButton::lookFor(false, true, true, true, false, true), (Look{B::Sunken, true, 2}));    // 29
  EXPECT_EQ(clsToolButton::lookFor(false, true, true, true, true, true), (Look{B::Sunken, false, 3}));    // 31
  EXPECT_EQ(clsToolButton::lookFor(false, true, false, true, false, false), (Look{B::Sunken, true, 0}));  // 20
  EXPECT_EQ(clsToolButton::lookFor(false, false, false, true, false, false), (Look{B::Sunken, false, 0}));  // 4
  EXPECT_EQ(clsToolButton::lookFor(false, false, true, true, false, false), (Look{B::Sunken, false, 2}));  // 12
  EXPECT_EQ(clsToolButton::lookFor(false, false, true, true, true, false), (Look{B::Raised, false, 0}));   // 14: unlisted
  EXPECT_EQ(clsToolButton::lookFor(true, false, true, false, false, true), (Look{B::Raised, false, 1}));   // hot 0
  EXPECT_EQ(clsToolButton::lookFor(true, true, true, true, false, true), (Look{B::Sunken, false, 2}));     // hot 6
  EXPECT_EQ(clsToolButton::lookFor(true, true, true, true, true, true), (Look{B::Raised, false, 0}));      // hot 7
}

TEST(ToolBar, LaysOutButtonsAndSeparatorsFromTheLeftMargin) {
  ToolbarRig rig;
  clsToolBar& bar = rig.bar;
  EXPECT_EQ(bar.count(), 9);
  EXPECT_EQ(bar.Height(), 26 * 15);  // 22-pixel buttons plus 2 x 2 pixels
  EXPECT_EQ(rig.canvas->height(), 26);
  EXPECT_EQ(bar.Item(50)->Left(), 150);
  EXPECT_EQ(bar.Item(50)->Top(), 30);
  EXPECT_EQ(bar.Item(50)->Width(), 24 * 15);
  EXPECT_EQ(bar.Item(50)->Height(), 22 * 15);
  EXPECT_EQ(bar.separatorPosition(1), 44 * 15);
  EXPECT_EQ(bar.Item(40)->Left(), 45 * 15);  // a separator takes 11 pixels
  EXPECT_EQ(bar.Item(30)->Left(), 69 * 15);
  EXPECT_EQ(bar.Item(3)->Left(), 93 * 15);
  EXPECT_EQ(bar.Item(41)->Left(), 128 * 15);
  EXPECT_EQ(bar.Item(51)->Left(), 163 * 15);
  EXPECT_EQ(bar.MinimumWidth(), (187 + 11) * 15);
  EXPECT_EQ(rig.canvas->width(), 300);  // AutoWidth off
  EXPECT_EQ(bar.Item(999), nullptr);
  EXPECT_EQ(bar.AddButton(LoadResPicture(3), 0, 0, QString()), -1);
  EXPECT_EQ(bar.count(), 9);
  EXPECT_EQ(bar.Item(30)->ToolTipText(), QStringLiteral("実行"));
  bar.setAutoWidth(true);
  bar.setSeparatorWidth(4);
  EXPECT_EQ(bar.Item(50)->Left(), 60);
  EXPECT_EQ(rig.canvas->Width(), bar.MinimumWidth());
}

TEST(ToolBar, PaintsFrameSeparatorsAndEndLine) {
  ToolbarRig rig;
  const QImage i = rig.canvas->Image();
  EXPECT_EQ(pixelAt(i, 0, 0), kWhite);      // raised frame of the whole bar
  EXPECT_EQ(pixelAt(i, 299, 25), kShadow);
  EXPECT_EQ(pixelAt(i, 42, 5), kShadow);    // etched separator at 44: shadow at 42, white at 43
  EXPECT_EQ(pixelAt(i, 43, 5), kWhite);
  EXPECT_EQ(columnString(i, 42, 0, 26), "W" + std::string(1, 'F') + std::string(20, 'S') + "FFFS");
  EXPECT_EQ(pixelAt(i, 196, 10), kShadow);  // end line at the content width 198
  EXPECT_EQ(pixelAt(i, 197, 10), kWhite);
  EXPECT_EQ(pixelAt(i, 10, 2), kFace);      // idle cool-bar buttons have no border
}

TEST(ToolBar, ClassicButtonsAreRaisedAndDisabledOnesEmbossed) {
  ToolbarRig rig(false);
  QImage i = rig.canvas->Image();
  EXPECT_EQ(pixelAt(i, 42, 5), kFace);  // separators are plain gaps outside the cool bar
  EXPECT_EQ(rowString(i, 2, 10, 34), std::string(23, 'W') + "K");
  EXPECT_EQ(columnString(i, 33, 2, 24), std::string(22, 'K'));
  EXPECT_EQ(rowString(i, 22, 11, 34), std::string(22, 'S') + "K");
  rig.bar.setEnabled(3, false);
  EXPECT_FALSE(rig.bar.Enabled(3));
  i = rig.canvas->Image();
  // The save picture's disabled look uses only grey, white and the face.
  bool sawGrey = false;
  for (int y = 5; y < 21; ++y)
    for (int x = 97; x < 114; ++x) {
      const OleColor c = pixelAt(i, x, y);
      EXPECT_TRUE(c == kFace || c == kShadow || c == kWhite) << x << "," << y;
      sawGrey |= c == kShadow;
    }
  EXPECT_TRUE(sawGrey);
  // A disabled button does not react to the mouse.
  QSignalSpy clicks(&rig.bar, &clsToolBar::ButtonClick);
  clickAt(rig.canvas, centreOf(rig.bar, 3));
  EXPECT_EQ(clicks.count(), 0);
}

// Click positions in, button ids out: the hit test excludes the right and bottom edges.
TEST(ToolBar, ClickRaisesButtonClickWithTheId) {
  ToolbarRig rig;
  QSignalSpy clicks(&rig.bar, &clsToolBar::ButtonClick);
  const std::pair<QPoint, int> cases[] = {{centreOf(rig.bar, 30), 30},
                                          {{34, 12}, 0},  // x = Left + Width of button 50
                                          {{33, 12}, 50},
                                          {{20, 24}, 0},  // y = Top + Height
                                          {{20, 2}, 50}};
  for (const auto& [point, id] : cases) {
    clicks.clear();
    clickAt(rig.canvas, point);
    ASSERT_EQ(clicks.count(), id ? 1 : 0) << point.x() << "," << point.y();
    if (id == 0) continue;
    EXPECT_EQ(clicks[0][0].toInt(), id);
    EXPECT_EQ(clicks[0][1].value<clsToolButton*>(), rig.bar.Item(id));
    EXPECT_FALSE(rig.bar.Value(id));  // push buttons reset
    EXPECT_EQ(rig.bar.pressedIndex(), -1);
  }
}

TEST(ToolBar, PressDragOntoAnotherButtonAndReleaseIsNoClick) {
  ToolbarRig rig;
  QSignalSpy clicks(&rig.bar, &clsToolBar::ButtonClick);
  sendMouse(rig.canvas, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, centreOf(rig.bar, 40));
  EXPECT_TRUE(rig.bar.Item(40)->pressed());
  EXPECT_EQ(pixelAt(rig.canvas->Image(), 45, 2), kShadow);  // sunken while held (cool-bar edge)
  sendMouse(rig.canvas, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, centreOf(rig.bar, 30));
  EXPECT_FALSE(rig.bar.Item(40)->pressed());
  EXPECT_EQ(rig.bar.pressedIndex(), -1);
  sendMouse(rig.canvas, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, centreOf(rig.bar, 30));
  EXPECT_EQ(clicks.count(), 0);
  // Moving within the same button keeps the press.
  sendMouse(rig.canvas, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {15, 10});
  sendMouse(rig.canvas, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {30, 20});
  sendMouse(rig.canvas, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {30, 20});
  EXPECT_EQ(clicks.count(), 1);
}

TEST(ToolBar, RightClickReportsThePositionAndPressesNothing) {
  ToolbarRig rig;
  QSignalSpy right(&rig.bar, &clsToolBar::RightButtonClick);
  QSignalSpy clicks(&rig.bar, &clsToolBar::ButtonClick);
  sendMouse(rig.canvas, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, centreOf(rig.bar, 50));
  sendMouse(rig.canvas, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, centreOf(rig.bar, 50));
  ASSERT_EQ(right.count(), 1);
  EXPECT_DOUBLE_EQ(right[0][0].toDouble(), centreOf(rig.bar, 50).x() * 15.0);
  EXPECT_FALSE(rig.bar.Item(50)->pressed());
  EXPECT_EQ(clicks.count(), 0);
}

TEST(ToolBar, CheckButtonsToggleAndShowDitheredWhenDown) {
  ToolbarRig rig(false, false);
  rig.bar.AddButton(LoadResPicture(41), 41, clsToolButton::Check, QString());
  rig.bar.Show();
  QSignalSpy clicks(&rig.bar, &clsToolBar::ButtonClick);
  clickAt(rig.canvas, centreOf(rig.bar, 41));
  EXPECT_TRUE(rig.bar.Value(41));
  const QImage i = rig.canvas->Image();
  // Sunken (dark shadow outside) and the face dithered with white from the brush origin.
  EXPECT_EQ(pixelAt(i, 10, 2), kBlack);
  EXPECT_EQ(rowString(i, 4, 12, 14), "WF");
  EXPECT_EQ(rowString(i, 5, 12, 14), "FW");
  clickAt(rig.canvas, centreOf(rig.bar, 41));
  EXPECT_FALSE(rig.bar.Value(41));
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_EQ(rowString(rig.canvas->Image(), 4, 12, 14), "FF");
}

TEST(ToolBar, GroupsKeepExactlyOneButtonDownUnlessNoneIsAllowed) {
  ToolbarRig rig;
  clsToolBar& bar = rig.bar;
  bar.Group(40, 41, false);
  EXPECT_TRUE(bar.Value(40));
  EXPECT_FALSE(bar.Value(41));
  EXPECT_EQ(bar.Item(41)->Mode(), clsToolButton::Check);
  EXPECT_EQ(bar.Item(30)->Mode(), clsToolButton::Push);  // IDs outside 40..41 stay out
  clickAt(rig.canvas, centreOf(bar, 41));
  EXPECT_TRUE(bar.Value(41));
  EXPECT_FALSE(bar.Value(40));
  clickAt(rig.canvas, centreOf(bar, 41));
  EXPECT_TRUE(bar.Value(41));  // clicking the down button leaves it down
  bar.setValue(40, true);
  EXPECT_TRUE(bar.Value(40));
  EXPECT_FALSE(bar.Value(41));
  bar.setValue(40, false);  // a group without allow-none puts it straight back down
  EXPECT_TRUE(bar.Value(40));

  ToolbarRig other;
  other.bar.Group(40, 41, true);
  EXPECT_FALSE(other.bar.Value(40));
  clickAt(other.canvas, centreOf(other.bar, 41));
  EXPECT_TRUE(other.bar.Value(41));
  clickAt(other.canvas, centreOf(other.bar, 41));
  EXPECT_FALSE(other.bar.Value(41));
  EXPECT_FALSE(other.bar.Value(40));
  other.bar.Group(50, 50, false);  // a second group gets the next number
  EXPECT_TRUE(other.bar.Value(50));
  clickAt(other.canvas, centreOf(other.bar, 3));
  EXPECT_TRUE(other.bar.Value(50));
}

TEST(ToolBar, CoolBarHoverRaisesAndTheTimerLowers) {
  ToolbarRig rig;
  rig.canvas->setToolTip(QString());
  sendMouse(rig.canvas, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, centreOf(rig.bar, 30));
  EXPECT_TRUE(rig.bar.Item(30)->hot());
  EXPECT_EQ(rig.canvas->toolTip(), QStringLiteral("実行"));
  EXPECT_EQ(pixelAt(rig.canvas->Image(), 69, 2), kWhite);    // thin raised edge
  EXPECT_EQ(pixelAt(rig.canvas->Image(), 92, 23), kShadow);
  sendMouse(rig.canvas, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, centreOf(rig.bar, 3));
  EXPECT_FALSE(rig.bar.Item(30)->hot());
  EXPECT_TRUE(rig.bar.Item(3)->hot());
  EXPECT_EQ(pixelAt(rig.canvas->Image(), 69, 2), kFace);
  // The cursor is somewhere else: the next tick lowers the hot button.
  QCursor::setPos(rig.form.mapToGlobal(QPoint(390, 110)));
  rig.bar.TimerTick();
  EXPECT_FALSE(rig.bar.Item(3)->hot());
  EXPECT_EQ(rig.bar.hotIndex(), -1);
  EXPECT_EQ(rig.canvas->toolTip(), QString());
  EXPECT_EQ(pixelAt(rig.canvas->Image(), 93, 2), kFace);
  // Disabled buttons do not rise.
  rig.bar.setEnabled(41, false);
  sendMouse(rig.canvas, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, centreOf(rig.bar, 41));
  EXPECT_FALSE(rig.bar.Item(41)->hot());
}

TEST(ToolBar, CoolBarSwitchesTheTimerOnlyWhenAllowed) {
  ToolbarRig rig(false);
  rig.bar.setCoolBar(true);
  EXPECT_FALSE(rig.timer.isActive());
  rig.bar.setAllowChangeTimer(true);
  rig.bar.setCoolBar(true);
  EXPECT_TRUE(rig.timer.isActive());
  EXPECT_EQ(rig.timer.interval(), 1);
  rig.bar.setCoolBar(false);
  EXPECT_FALSE(rig.timer.isActive());
}

TEST(ToolBar, InvisibleButtonsRestoreTheirBackgroundAndRemoveItemRelayouts) {
  ToolbarRig rig(false);
  rig.bar.setVisible(30, false);
  EXPECT_FALSE(rig.bar.Visible(30));
  const QImage i = rig.canvas->Image();
  EXPECT_TRUE(allPixels(i, 69, 2, 93, 24, kFace));
  QSignalSpy clicks(&rig.bar, &clsToolBar::ButtonClick);
  clickAt(rig.canvas, centreOf(rig.bar, 30));
  EXPECT_EQ(clicks.count(), 0);
  rig.bar.RemoveItem(-1);
  rig.bar.RemoveItem(9);
  EXPECT_EQ(rig.bar.count(), 9);
  rig.bar.RemoveItem(1);  // the first separator
  EXPECT_EQ(rig.bar.count(), 8);
  EXPECT_EQ(rig.bar.Item(40)->Left(), 34 * 15);
}

TEST(ToolBar, BarVisibleAndForeignControls) {
  ToolbarRig rig;
  auto* tall = new QWidget;
  tall->resize(40, 30);
  const int index = rig.bar.AddItem(tall, QStringLiteral("tip"));
  EXPECT_EQ(index, 9);
  EXPECT_EQ(tall->parentWidget(), &rig.form);
  EXPECT_EQ(rig.bar.Height(), (30 + 4) * 15);
  EXPECT_EQ(tall->x(), 187);
  EXPECT_EQ(tall->y(), 2);
  EXPECT_EQ(rig.bar.Item(50)->Top(), 6 * 15);  // centred in the taller bar
  rig.bar.setBarVisible(false);
  EXPECT_TRUE(rig.canvas->isHidden());
}

}  // namespace
}  // namespace quorvane
