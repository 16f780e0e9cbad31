// clsToolBar and clsToolButton: layout, the state table's looks on real pixels, the mouse (press, drag-off,
// release, right button), groups, hover and the mouse-leave timer.
#include "controls/clsToolBar.h"

#include "support_controls.h"

namespace quorvane::testing {
namespace {

using B = clsToolButton::BorderLook;

// Pixel centre of the button with `id`.
QPoint centreOf(const clsToolBar& bar, int id) {
  const clsToolButton* b = bar.Item(id);
  return {(b->Left() + b->Width() / 2) / 15, (b->Top() + b->Height() / 2) / 15};
}

// Plain states numbered 16 check + 8 enabled + 4 value + 2 pressed + cool bar; hover states (enabled, cool
// bar) 4 check + 2 value + pressed.
TEST(ToolButtonLook, StateTableRows) {
  struct Row {
    bool hot;
    int state;
    clsToolButton::Look look;
  };
  const Row rows[] = {{false, 0, {B::Raised, false, 0}},   {false, 8, {B::Raised, false, 1}},
                      {false, 9, {B::None, false, 1}},     {false, 1, {B::None, false, 0}},
                      {false, 10, {B::Sunken, false, 2}},  {false, 28, {B::Sunken, true, 2}},
                      {false, 29, {B::Sunken, true, 2}},   {false, 31, {B::Sunken, false, 3}},
                      {false, 20, {B::Sunken, true, 0}},   {false, 4, {B::Sunken, false, 0}},
                      {false, 12, {B::Sunken, false, 2}},  {false, 14, {B::Raised, false, 0}},  // unlisted
                      {true, 0, {B::Raised, false, 1}},    {true, 6, {B::Sunken, false, 2}},
                      {true, 7, {B::Raised, false, 0}}};
  for (const Row& r : rows) {
    const int n = r.state;
    EXPECT_EQ(r.hot ? clsToolButton::lookFor(true, n & 4, true, n & 2, n & 1, true)
                    : clsToolButton::lookFor(false, n & 16, n & 8, n & 4, n & 2, n & 1),
              r.look)
        << r.hot << " " << n;
  }
}

TEST(ToolBar, LaysOutButtonsAndSeparatorsFromTheLeftMargin) {
  ToolbarRig rig;
  clsToolBar& bar = rig.bar;
  EXPECT_EQ(bar.count(), 9);
  EXPECT_EQ(bar.Height(), 26 * 15);  // 22-pixel buttons plus 2 x 2 pixels
  EXPECT_EQ(rig.canvas->height(), 26);
  EXPECT_EQ(QRect(bar.Item(50)->Left(), bar.Item(50)->Top(), bar.Item(50)->Width(), bar.Item(50)->Height()),
            QRect(150, 30, 24 * 15, 22 * 15));
  EXPECT_EQ(bar.separatorPosition(1), 44 * 15);
  // A separator takes 11 pixels.
  for (const auto& [id, left] : {std::pair{40, 45}, {30, 69}, {3, 93}, {41, 128}, {51, 163}})
    EXPECT_EQ(bar.Item(id)->Left(), left * 15) << id;
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

// The border and picture looks are clsBorder3D's and clsBitMapEx's; here only that they reach the button.
TEST(ToolBar, ClassicButtonsAreRaisedDisabledOnesEmbossedAndTheCoolBarTimerIsOptIn) {
  ToolbarRig rig(false);
  const QImage before = rig.canvas->Image();
  EXPECT_EQ(pixelAt(before, 42, 5), kFace);  // separators are plain gaps outside the cool bar
  EXPECT_EQ(rowString(before, 2, 10, 34) + rowString(before, 22, 32, 34), std::string(23, 'W') + "KSK");
  rig.bar.setEnabled(3, false);
  EXPECT_FALSE(rig.bar.Enabled(3));
  const QImage after = rig.canvas->Image();
  EXPECT_FALSE(allPixels(after, 97, 5, 114, 21, kFace));
  EXPECT_NE(after.copy(97, 5, 17, 16), before.copy(97, 5, 17, 16));
  EXPECT_EQ(after.copy(0, 0, 93, 26), before.copy(0, 0, 93, 26));  // only that button changed
  // A disabled button does not react to the mouse.
  QSignalSpy clicks(&rig.bar, &clsToolBar::ButtonClick);
  clickAt(rig.canvas, centreOf(rig.bar, 3));
  EXPECT_EQ(clicks.count(), 0);
  // Turning the cool bar on starts the mouse timer only when allowed.
  rig.bar.setCoolBar(true);
  EXPECT_FALSE(rig.timer.isActive());
  rig.bar.setAllowChangeTimer(true);
  rig.bar.setCoolBar(true);
  EXPECT_TRUE(rig.timer.isActive());
  EXPECT_EQ(rig.timer.interval(), 1);
  rig.bar.setCoolBar(false);
  EXPECT_FALSE(rig.timer.isActive());
}

TEST(ToolBar, DragOffIsNoClickAndTheRightButtonOnlyReportsThePosition) {
  ToolbarRig rig;
  QSignalSpy clicks(&rig.bar, &clsToolBar::ButtonClick);
  QSignalSpy right(&rig.bar, &clsToolBar::RightButtonClick);
  sendMouse(rig.canvas, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, centreOf(rig.bar, 40));
  EXPECT_TRUE(rig.bar.Item(40)->pressed());
  EXPECT_EQ(pixelAt(rig.canvas->Image(), 45, 2), kShadow);  // sunken while held (cool-bar edge)
  sendMouse(rig.canvas, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, centreOf(rig.bar, 30));
  EXPECT_FALSE(rig.bar.Item(40)->pressed());
  EXPECT_EQ(rig.bar.pressedIndex(), -1);
  sendMouse(rig.canvas, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, centreOf(rig.bar, 30));
  EXPECT_EQ(clicks.count(), 0);
  sendMouse(rig.canvas, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, centreOf(rig.bar, 50));
  sendMouse(rig.canvas, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, centreOf(rig.bar, 50));
  ASSERT_EQ(right.count(), 1);
  EXPECT_DOUBLE_EQ(right[0][0].toDouble(), centreOf(rig.bar, 50).x() * 15.0);
  EXPECT_FALSE(rig.bar.Item(50)->pressed());
  EXPECT_EQ(clicks.count(), 0);
  // Moving within the same button keeps the press.
  sendMouse(rig.canvas, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {15, 10});
  sendMouse(rig.canvas, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {30, 20});
  sendMouse(rig.canvas, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {30, 20});
  EXPECT_EQ(clicks.count(), 1);
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
  EXPECT_TRUE(bar.Value(41) && !bar.Value(40));
  clickAt(rig.canvas, centreOf(bar, 41));
  EXPECT_TRUE(bar.Value(41));  // clicking the down button leaves it down
  bar.setValue(40, true);
  EXPECT_TRUE(bar.Value(40) && !bar.Value(41));
  bar.setValue(40, false);  // a group without allow-none puts it straight back down
  EXPECT_TRUE(bar.Value(40));

  ToolbarRig other;
  other.bar.Group(40, 41, true);
  EXPECT_FALSE(other.bar.Value(40));
  clickAt(other.canvas, centreOf(other.bar, 41));
  EXPECT_TRUE(other.bar.Value(41));
  clickAt(other.canvas, centreOf(other.bar, 41));
  EXPECT_FALSE(other.bar.Value(41) || other.bar.Value(40));
  other.bar.Group(50, 50, false);  // a second group gets the next number
  EXPECT_TRUE(other.bar.Value(50));
  clickAt(other.canvas, centreOf(other.bar, 3));
  EXPECT_TRUE(other.bar.Value(50));
}

TEST(ToolBar, HiddenButtonsRemovedItemsAndForeignControls) {
  ToolbarRig rig(false);
  rig.bar.setVisible(30, false);
  EXPECT_FALSE(rig.bar.Visible(30));
  EXPECT_TRUE(allPixels(rig.canvas->Image(), 69, 2, 93, 24, kFace));  // the background is restored
  QSignalSpy clicks(&rig.bar, &clsToolBar::ButtonClick);
  clickAt(rig.canvas, centreOf(rig.bar, 30));
  EXPECT_EQ(clicks.count(), 0);
  rig.bar.RemoveItem(-1);
  rig.bar.RemoveItem(9);
  EXPECT_EQ(rig.bar.count(), 9);
  rig.bar.RemoveItem(1);  // the first separator
  EXPECT_EQ(rig.bar.count(), 8);
  EXPECT_EQ(rig.bar.Item(40)->Left(), 34 * 15);
  // A taller control of another kind joins at the end; the buttons centre in the taller bar.
  auto* tall = new QWidget;
  tall->resize(40, 30);
  EXPECT_EQ(rig.bar.AddItem(tall, QStringLiteral("tip")), 8);
  EXPECT_EQ(tall->parentWidget(), &rig.form);
  EXPECT_EQ(rig.bar.Height(), (30 + 4) * 15);
  EXPECT_EQ(tall->pos(), QPoint(187 - 11, 2));
  EXPECT_EQ(rig.bar.Item(50)->Top(), 6 * 15);
  rig.bar.setBarVisible(false);
  EXPECT_TRUE(rig.canvas->isHidden());
}

}  // namespace
}  // namespace quorvane::testing
