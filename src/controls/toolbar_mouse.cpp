// Mouse handling of clsToolBar: press on an enabled button, cancel when the mouse moves
// onto another item, click on release; tool tips; the cool-bar hover and its timer.
#include "controls/clsToolBar.h"

#include "controls/twips.h"

#include <QApplication>
#include <QCursor>

namespace quorvane {

int clsToolBar::itemAt(std::optional<double> x, std::optional<double> y) const {
  if (!x || !y) return -1;
  const int px = TwipsPerPixelX(), py = TwipsPerPixelY();
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    const ItemRecord& item = m_items[i];
    if (item.kind == KindButton && item.button->HitTest(*x, *y)) return static_cast<int>(i);
    if (item.kind == KindControl && item.control && item.control->isVisibleTo(item.control->parentWidget()) &&
        m_canvas) {
      const double left = double(item.control->x() - m_canvas->x()) * px;
      const double top = double(item.control->y() - m_canvas->y()) * py;
      if (left <= *x && *x < left + item.control->width() * px && top <= *y &&
          *y < top + item.control->height() * py)
        return static_cast<int>(i);
    }
  }
  return -1;
}

bool clsToolBar::itemEnabled(int index) const {
  if (index < 0 || index >= count()) return false;
  const ItemRecord& item = m_items[static_cast<std::size_t>(index)];
  if (item.kind == KindButton) return item.button->Enabled();
  if (item.kind == KindControl) return item.control && item.control->isEnabled();
  return false;
}

void clsToolBar::onMouseDown(int button, int, double x, double y) {
  if (button != MouseButton::Left) {
    emit RightButtonClick(x, y);
    return;
  }
  m_pressedIndex = -1;
  const int i = itemAt(x, y);
  if (i < 0 || !itemEnabled(i)) return;
  ItemRecord& item = m_items[static_cast<std::size_t>(i)];
  if (item.kind != KindButton) return;
  m_pressedIndex = i;
  item.button->Press();
}

void clsToolBar::onMouseMove(int buttons, int, double x, double y) {
  if (buttons & MouseButton::Left) {
    if (m_pressedIndex >= 0 && itemAt(x, y) != m_pressedIndex) {
      // Dragged off: the press is cancelled and no click follows.
      m_items[static_cast<std::size_t>(m_pressedIndex)].button->Track(x, y);
      m_pressedIndex = -1;
    }
    return;
  }
  if (buttons != 0) return;
  hover(x, y, false);
}

// Tool tip and hover look for the mouse at (x, y), or for a mouse that has left the bar.
void clsToolBar::hover(std::optional<double> x, std::optional<double> y, bool forced) {
  const int i = itemAt(x, y);
  if (m_canvas) {
    QString tip;
    if (i >= 0) {
      const ItemRecord& item = m_items[static_cast<std::size_t>(i)];
      tip = item.button ? item.button->ToolTipText() : (item.control ? item.control->toolTip() : QString());
    }
    if (m_canvas->toolTip() != tip) m_canvas->setToolTip(tip);
  }
  if (!m_coolBar || (i == m_hotIndex && !forced)) return;
  if (m_hotIndex >= 0 && m_hotIndex < count() && m_items[static_cast<std::size_t>(m_hotIndex)].button)
    m_items[static_cast<std::size_t>(m_hotIndex)].button->Track(x, y);
  if (i >= 0 && itemEnabled(i) && m_items[static_cast<std::size_t>(i)].button)
    m_items[static_cast<std::size_t>(i)].button->Track(x, y);
  m_hotIndex = i;
}

void clsToolBar::onMouseUp(int button, int, double x, double y) {
  if (button != MouseButton::Left || m_pressedIndex < 0) return;
  const int index = m_pressedIndex;
  clsToolButton* b = m_items[static_cast<std::size_t>(index)].button.get();
  const int id = m_items[static_cast<std::size_t>(index)].id;
  b->Release();
  switch (b->Mode()) {
    case clsToolButton::Push: b->setValue(false); break;
    case clsToolButton::Toggle:
    case clsToolButton::Check: b->setValue(!b->Value()); break;
    default: break;
  }
  applyGroupRule(index);
  m_pressedIndex = -1;
  if (m_coolBar) hover(x, y, true);
  emit ButtonClick(id, b);
}

void clsToolBar::TimerTick() {
  if (m_canvas.isNull()) return;
  if (QApplication::widgetAt(QCursor::pos()) == m_canvas) return;
  hover(std::nullopt, std::nullopt, true);
}

}  // namespace quorvane
