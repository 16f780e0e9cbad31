// The bars: clsStatusBar's panel widths, grip and repaints; clsTabStrip's geometry, keys, mouse
// bounds and access keys; clsToolBar's layout, looks, mouse, groups and foreign controls.
#include "controls/clsStatusBar.h"
#include "controls/clsTabStrip.h"
#include "controls/clsToolBar.h"

#include "support_controls.h"

#include <QTimer>

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
  EXPECT_EQ(std::make_pair(strip.Top(), strip.Height()), std::make_pair(300, 3000));
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

using B = clsToolButton::BorderLook;

// A form with the main window's toolbar: buttons 50 | 40 30 3 | 41 | 51, end line.
struct ToolbarRig {
  explicit ToolbarRig(bool coolBar = true) {
    form.resize(400, 120);
    canvas->setGeometry(0, 0, 300, 40);
    bar.setAutoWidth(false);
    bar.setDrawEndline(true);
    bar.setCanvas(canvas);
    bar.setWorkCanvas(work);
    bar.setTimerForMouse(&timer);
    bar.setCoolBar(coolBar);
    bar.Initialize();
    for (int id : {50, 0, 40, 30, 3, 0, 41, 0, 51})
      if (id) bar.AddButton(LoadResPicture(id), id, 0, LoadResString(id));
      else bar.AddSeparator();
    form.show();
    bar.Show();
  }
  QWidget form;
  PictureBox* canvas = new PictureBox(&form);
  PictureBox* work = new PictureBox(&form);
  QTimer timer;
  clsToolBar bar;
};

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
  EXPECT_TRUE(bar.Value(40) && !bar.Value(41));
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
