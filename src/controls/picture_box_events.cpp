// Window events of PictureBox: painting from the backing image and the classic mouse,
// key and focus events with positions in the surface's scale unit.
#include "controls/picture_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace quorvane {

namespace {

int buttonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return 0;
  }
}

int buttonsOf(Qt::MouseButtons bs) {
  int out = 0;
  if (bs & Qt::LeftButton) out |= MouseButton::Left;
  if (bs & Qt::RightButton) out |= MouseButton::Right;
  if (bs & Qt::MiddleButton) out |= MouseButton::Middle;
  return out;
}

}  // namespace

int shiftStateFromQt(Qt::KeyboardModifiers modifiers) {
  int out = 0;
  if (modifiers & Qt::ShiftModifier) out |= ShiftState::Shift;
  if (modifiers & Qt::ControlModifier) out |= ShiftState::Ctrl;
  if (modifiers & Qt::AltModifier) out |= ShiftState::Alt;
  return out;
}

int virtualKeyFromQt(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // same codes as upper-case ASCII
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
  }
}

bool PictureBox::event(QEvent* e) {
  // Tab and Shift+Tab move the focus, yet the surface's owner still sees them as KeyDown,
  // exactly once whether or not another widget takes the focus.
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
        !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      emit KeyDown(9, shiftStateFromQt(k->modifiers()));
      const bool backward = k->key() == Qt::Key_Backtab || (k->modifiers() & Qt::ShiftModifier);
      focusNextPrevChild(!backward);
      return true;
    }
  }
  return QWidget::event(e);
}

void PictureBox::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  if (m_paintSource) {
    m_paintSource(p, e->rect());
    return;
  }
  ensureBacking();
  p.drawImage(0, 0, m_image);
}

void PictureBox::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  ensureBacking();
  emit Resize();
  emit Paint();
}

void PictureBox::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (!e->spontaneous()) emit Paint();
}

void PictureBox::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange) emit Paint();
}

void PictureBox::mousePressEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  m_pressedInside = e->button() == Qt::LeftButton;
  emit MouseDown(buttonOf(e->button()), shiftStateFromQt(e->modifiers()), fromPixelsX(p.x()),
                 fromPixelsY(p.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  emit MouseMove(buttonsOf(e->buttons()), shiftStateFromQt(e->modifiers()), fromPixelsX(p.x()),
                 fromPixelsY(p.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  emit MouseUp(buttonOf(e->button()), shiftStateFromQt(e->modifiers()), fromPixelsX(p.x()),
               fromPixelsY(p.y()));
  if (e->button() == Qt::LeftButton && m_pressedInside && rect().contains(p)) emit Click();
  if (e->button() == Qt::LeftButton) m_pressedInside = false;
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* e) {
  mousePressEvent(e);
  if (e->button() == Qt::LeftButton) emit DblClick();
}

void PictureBox::keyPressEvent(QKeyEvent* e) {
  emit KeyDown(virtualKeyFromQt(e->key()), shiftStateFromQt(e->modifiers()));
}

void PictureBox::keyReleaseEvent(QKeyEvent* e) {
  emit KeyUp(virtualKeyFromQt(e->key()), shiftStateFromQt(e->modifiers()));
}

void PictureBox::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  emit GotFocus();
}

void PictureBox::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  emit LostFocus();
}

}  // namespace quorvane
