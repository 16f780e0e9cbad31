#include "controls/clsToolButton.h"

#include "controls/clsBitMapEx.h"
#include "controls/clsBorder3D.h"
#include "controls/picture_copy.h"
#include "controls/raster_ops.h"
#include "controls/twips.h"

namespace quorvane {

namespace {

using Look = clsToolButton::Look;
using B = clsToolButton::BorderLook;

Look hoverLook(int state) {
  switch (state) {
    case 0: case 4: return {B::Raised, false, 1};
    case 1: case 2: case 5: case 6: return {B::Sunken, false, 2};
    default: return state >= 12 ? Look{B::Raised, false, 1} : Look{};
  }
}

Look classicLook(int state, bool coolBar) {
  switch (state) {
    case 0: case 16: return {B::Raised, false, 0};
    case 4: case 5: case 17: case 21: return {B::Sunken, false, 0};
    case 8: case 24: return {B::Raised, false, 1};
    case 10: case 11: case 12: case 13: case 27: case 30: return {B::Sunken, false, 2};
    case 20: return {B::Sunken, true, 0};
    case 26: case 28: case 29: return {B::Sunken, true, 2};
    case 1: return {B::None, false, 0};
    case 9: case 25: return {B::None, false, 1};
    case 31: return {B::Sunken, false, 3};
    default:
      if (state >= 48) return coolBar ? Look{B::None, false, 1} : Look{B::Sunken, true, 4};
      return {};
  }
}

}  // namespace

clsToolButton::clsToolButton() : m_picture(std::make_unique<clsBitMapEx>()) {}
clsToolButton::~clsToolButton() = default;

Look clsToolButton::lookFor(bool hot, bool check, bool enabled, bool value, bool pressed, bool coolBar) {
  if (hot) return hoverLook(4 * check + 2 * value + pressed);
  return classicLook(16 * check + 8 * enabled + 4 * value + 2 * pressed + coolBar, coolBar);
}

void clsToolButton::setEnabled(bool on) {
  m_enabled = on;
  Paint(false);
}

void clsToolButton::setMode(int mode) {
  if (mode >= 0 && mode <= 3) m_mode = mode;
}

void clsToolButton::setValue(bool on) {
  m_value = on;
  Paint(true);
}

void clsToolButton::setLeft(int twips) {
  m_left = twips;
  m_picture->setLeft(twips + 4 * TwipsPerPixelX());
}

void clsToolButton::setTop(int twips) {
  m_top = twips;
  m_picture->setTop(twips + 3 * TwipsPerPixelY());
}

void clsToolButton::SetPicture(const QImage& picture) {
  m_picture->setSrcPic(picture);
  m_width = (picture.width() + 8) * TwipsPerPixelX();
  m_height = (picture.height() + 6) * TwipsPerPixelY();
}

void clsToolButton::SetCanvas(PictureBox* canvas) {
  m_canvas = canvas;
  m_picture->setCanvas(canvas);
}

void clsToolButton::SetWorkCanvas(PictureBox* canvas) {
  m_workCanvas = canvas;
  m_picture->setWorkCanvas(canvas);
}

void clsToolButton::SetCoolBar(bool on) {
  m_coolBar = on;
  if (m_border) m_border->setDrawEdgeStyle(on ? 1 : 0);
}

void clsToolButton::SaveBackground() {
  m_picture->setMaskColor(m_picture->MaskColor());
  m_picture->setMonoForeColor(m_picture->MonoForeColor());
  if (m_border) {
    m_border->setWidth(m_width);
    m_border->setHeight(m_height);
  }
  if (m_canvas.isNull()) return;
  const QRect r = pixelRect();
  m_background = QImage();
  CopyIntoPicture(m_background, 0, 0, r.width(), r.height(), m_canvas->image(), r.x(), r.y(), raster::SRCCOPY);
}

bool clsToolButton::HitTest(double x, double y) const {
  return m_visible && m_left <= x && x < double(m_left) + m_width && m_top <= y && y < double(m_top) + m_height;
}

void clsToolButton::Press() {
  m_pressed = true;
  m_hot = false;
  Paint(true);
}

void clsToolButton::Track(std::optional<double> x, std::optional<double> y) {
  m_hot = false;
  if (!m_coolBar) return;
  if (x && y && HitTest(*x, *y)) {
    m_hot = true;
    Paint(true);
  } else {
    Paint(false);
  }
}

void clsToolButton::Release() {
  m_pressed = false;
  Paint(true);
}

QRect clsToolButton::pixelRect() const {
  const double px = TwipsPerPixelX(), py = TwipsPerPixelY();
  return {roundHalfEven(m_left / px), roundHalfEven(m_top / py), roundHalfEven(m_width / px),
          roundHalfEven(m_height / py)};
}

void clsToolButton::Paint(bool keep) {
  if (m_canvas.isNull()) return;
  const QRect r = pixelRect();
  DeviceContext& dc = m_canvas->hDC();
  if (!m_visible) {
    BlitPicture(dc, r.x(), r.y(), r.width(), r.height(), m_background, 0, 0, raster::SRCCOPY);
    return;
  }
  if (!keep) {
    m_pressed = false;
    m_hot = false;
  }
  const Look look = lookFor(m_hot, m_mode == Check, m_enabled, m_value, m_pressed, m_coolBar);
  if (m_border) {
    m_border->setLeft(m_left);
    m_border->setTop(m_top);
    m_border->setWidth(m_width);
    m_border->setHeight(m_height);
    m_border->setStyle3D(look.border == BorderLook::Raised ? 12 : look.border == BorderLook::Sunken ? 13 : 0);
    m_border->setDrawEdgeStyle(m_coolBar ? 1 : 0);
  }
  BlitPicture(dc, r.x(), r.y(), r.width(), r.height(), m_background, 0, 0, raster::SRCCOPY);
  if (look.dither) {
    // Every other pixel of the face turns white: the look of a checked button.
    const QImage previous = dc.SelectBrush(m_patternBrush);
    dc.BitBlt(r.x() + 2, r.y() + 2, m_picture->widthPixels() + 4, m_picture->heightPixels() + 2, dc, r.x() + 2,
              r.y() + 2, raster::PSO);
    dc.SelectBrush(previous);
  }
  drawImage(look.image, look.border == BorderLook::Sunken);
  if (m_border) m_border->Draw();
}

void clsToolButton::drawImage(int style, bool sunken) {
  clsBitMapEx& pic = *m_picture;
  switch (style) {
    case 0:  // disabled: grey silhouette over a white one, one pixel down and right
      if (sunken) {
        pic.Draw(4, 2, 2);
        pic.Draw(3, 1, 1);
      } else {
        pic.Draw(4, 1, 1);
        pic.Draw(3, 0, 0);
      }
      break;
    case 1: pic.Draw(1, 0, 0); break;
    case 2: pic.Draw(1, 1, 1); break;
    case 3: pic.Draw(1, 2, 2); break;
    case 4: pic.Draw(3, 1, 1); break;
    default: break;
  }
}

}  // namespace quorvane
