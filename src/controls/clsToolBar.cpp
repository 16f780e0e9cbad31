#include "controls/clsToolBar.h"

#include "controls/resources.h"
#include "controls/twips.h"

#include <algorithm>

namespace quorvane {

clsToolBar::clsToolBar(QObject* parent) : QObject(parent) {}

clsToolBar::~clsToolBar() = default;

void clsToolBar::setCanvas(PictureBox* canvas) {
  if (m_canvas) disconnect(m_canvas, nullptr, this, nullptr);
  m_canvas = canvas;
  if (canvas == nullptr) return;
  // The surface takes the mouse itself: tracking on for hover and tool tips, and no
  // keyboard focus, so clicking the bar never takes the focus from the form's controls.
  canvas->setFocusPolicy(Qt::NoFocus);
  canvas->setMouseTracking(true);
  canvas->setAutoRedraw(false);
  canvas->setVisible(true);
  if (m_workCanvas.isNull()) m_workCanvas = canvas;
  m_frameBorder.setCanvas(canvas);
  m_frameBorder.setClient(canvas);
  m_frameBorder.setStyle3D(5);
  m_frameBorder.setBevelOuter(clsBorder3D::Raised);
  m_buttonBorder.setCanvas(canvas);
  connect(canvas, &PictureBox::MouseDown, this, &clsToolBar::onMouseDown);
  connect(canvas, &PictureBox::MouseMove, this, &clsToolBar::onMouseMove);
  connect(canvas, &PictureBox::MouseUp, this, &clsToolBar::onMouseUp);
  connect(canvas, &PictureBox::Paint, this, &clsToolBar::Show);
  connect(canvas, &PictureBox::Resize, canvas, &PictureBox::Refresh);
}

void clsToolBar::setWorkCanvas(PictureBox* canvas) {
  if (canvas == nullptr) return;
  m_workCanvas = canvas;
  if (canvas != m_canvas) canvas->setVisible(false);
}

void clsToolBar::setTimerForMouse(QTimer* timer) {
  if (m_timer) disconnect(m_timer, nullptr, this, nullptr);
  m_timer = timer;
  if (timer) connect(timer, &QTimer::timeout, this, &clsToolBar::TimerTick);
}

// The checkerboard brush is taken straight from the bitmap resource; a work canvas that
// is also the bar's own surface is left alone rather than hidden and shrunk to 8 x 8.
void clsToolBar::Initialize() {
  if (m_workCanvas && m_workCanvas != m_canvas) m_workCanvas->setVisible(false);
  m_patternBrush = LoadResPicture(QStringLiteral("BTN_CROSS"));
  m_buttonBorder.setCanvas(m_canvas);
  for (ItemRecord& item : m_items)
    if (item.button) item.button->SetPatternBrush(m_patternBrush);
}

int clsToolBar::indexOf(int id) const {
  if (id <= 0) return -1;
  for (std::size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i].kind == KindButton && m_items[i].id == id) return static_cast<int>(i);
  return -1;
}

clsToolButton* clsToolBar::Item(int id) const {
  const int i = indexOf(id);
  return i < 0 ? nullptr : m_items[static_cast<std::size_t>(i)].button.get();
}

int clsToolBar::itemKind(int index) const {
  if (index < 0 || index >= count()) return -1;
  return m_items[static_cast<std::size_t>(index)].kind;
}

int clsToolBar::separatorPosition(int index) const {
  if (index < 0 || index >= count()) return 0;
  return m_items[static_cast<std::size_t>(index)].separatorPos;
}

void clsToolBar::setBorderWidth(int pixels) {
  if (pixels < 0) return;
  m_borderWidth = pixels;
  Layout();
}

void clsToolBar::setSeparatorWidth(int pixels) {
  if (pixels < 0) return;
  m_separatorWidth = pixels;
  Layout();
}

void clsToolBar::setWidth(int twips) {
  if (m_canvas) m_canvas->setWidth(twips);
}

void clsToolBar::setCoolBar(bool on) {
  m_coolBar = on;
  for (ItemRecord& item : m_items)
    if (item.button) item.button->SetCoolBar(on);
  if (m_timer && m_allowChangeTimer) {
    if (on) {
      m_timer->setInterval(1);
      m_timer->start();
    } else {
      m_timer->stop();
    }
  }
  Show();
}

bool clsToolBar::Enabled(int id) const {
  const clsToolButton* b = Item(id);
  return b != nullptr && b->Enabled();
}

void clsToolBar::setEnabled(int id, bool on) {
  if (clsToolButton* b = Item(id)) b->setEnabled(on);
}

bool clsToolBar::Value(int id) const {
  const clsToolButton* b = Item(id);
  return b != nullptr && b->Value();
}

void clsToolBar::setValue(int id, bool on) {
  const int i = indexOf(id);
  if (i < 0) return;
  m_items[static_cast<std::size_t>(i)].button->setValue(on);
  applyGroupRule(i);
}

bool clsToolBar::Visible(int id) const {
  const clsToolButton* b = Item(id);
  return b != nullptr && b->Visible();
}

void clsToolBar::setVisible(int id, bool on) {
  clsToolButton* b = Item(id);
  if (b == nullptr) return;
  b->setVisible(on);
  Layout();
}

void clsToolBar::setBarVisible(bool on) {
  if (m_canvas) m_canvas->setVisible(on);
}

int clsToolBar::AddButton(const QImage& picture, int id, int mode, const QString& toolTip) {
  if (id <= 0) return -1;
  ItemRecord item;
  item.kind = KindButton;
  item.id = id;
  item.button = std::make_unique<clsToolButton>();
  clsToolButton& b = *item.button;
  b.SetPicture(picture);
  b.SetCanvas(m_canvas);
  b.SetWorkCanvas(m_workCanvas);
  b.SetPatternBrush(m_patternBrush);
  b.SetBorder(&m_buttonBorder);
  b.setToolTipText(toolTip);
  if (mode >= 0 && mode < 4) b.setMode(mode);
  b.SetCoolBar(m_coolBar);
  m_items.push_back(std::move(item));
  m_suspend = true;
  Layout();
  m_suspend = false;
  if (m_canvas) {
    m_canvas->setPicture(m_canvas->Image());
    b.SaveBackground();
    b.Refresh();
  }
  return count() - 1;
}

int clsToolBar::AddItem(QWidget* control, const QString& toolTip) {
  ItemRecord item;
  item.kind = KindControl;
  item.control = control;
  if (control) {
    control->setToolTip(toolTip);
    if (m_canvas && m_canvas->parentWidget()) control->setParent(m_canvas->parentWidget());
    control->raise();
  }
  m_items.push_back(std::move(item));
  Layout();
  return count() - 1;
}

int clsToolBar::AddSeparator() {
  ItemRecord item;
  item.kind = KindSeparator;
  m_items.push_back(std::move(item));
  Layout();
  return count() - 1;
}

void clsToolBar::RemoveItem(int index) {
  if (index < 0 || index >= count()) return;
  ItemRecord& item = m_items[static_cast<std::size_t>(index)];
  if (item.kind == KindControl && item.control) item.control->setVisible(false);
  m_items.erase(m_items.begin() + index);
  // The held and hovered indexes would name a different item now.
  m_pressedIndex = -1;
  m_hotIndex = -1;
  Layout();
}

void clsToolBar::Group(int firstId, int lastId, bool allowNone) {
  int group = 0;
  for (const ItemRecord& item : m_items) group = std::max(group, item.group);
  ++group;
  for (ItemRecord& item : m_items) {
    if (item.kind != KindButton || item.id < firstId || item.id > lastId) continue;
    item.button->setValue(!allowNone && item.id == firstId);
    item.group = group;
    item.allowNone = allowNone;
    item.button->setMode(clsToolButton::Check);
  }
}

// The group rule after a grouped button's Value changed: exactly this button is down,
// unless it went up and the group may have none down.
void clsToolBar::applyGroupRule(int index) {
  const ItemRecord& changed = m_items[static_cast<std::size_t>(index)];
  if (changed.group == 0) return;
  if (!changed.button->Value() && changed.allowNone) return;
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    ItemRecord& item = m_items[i];
    if (item.kind == KindButton && item.group == changed.group)
      item.button->setValue(static_cast<int>(i) == index);
  }
}

void clsToolBar::Move(int left, int top, int width, int height) {
  if (m_canvas) m_canvas->Move(left, top, width, height);
}

}  // namespace quorvane
