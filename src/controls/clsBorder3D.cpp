#include "controls/clsBorder3D.h"

#include "controls/twips.h"

namespace quorvane {

clsBorder3D::clsBorder3D() : m_tppX(quorvane::TwipsPerPixelX()), m_tppY(quorvane::TwipsPerPixelY()) {}

void clsBorder3D::setBevelInner(int value) {
  if (value >= 0 && value <= 2) m_bevelInner = value;
}
void clsBorder3D::setBevelOuter(int value) {
  if (value >= 0 && value <= 2) m_bevelOuter = value;
}
void clsBorder3D::setBevelWidth(int pixels) {
  if (pixels >= 0) m_bevelWidth = pixels;
}
void clsBorder3D::setBorderWidth(int pixels) {
  if (pixels >= 0) m_borderWidth = pixels;
}
void clsBorder3D::setLeft(int twips) {
  if (twips >= 0) m_left = twips;
}
void clsBorder3D::setTop(int twips) {
  if (twips >= 0) m_top = twips;
}
void clsBorder3D::setWidth(int twips) {
  if (twips >= 0) m_width = twips;
}
void clsBorder3D::setHeight(int twips) {
  if (twips >= 0) m_height = twips;
}

void clsBorder3D::Draw() {
  if (m_canvas.isNull() && m_client.isNull()) return;
  if (m_style3D == 0) return;
  if (m_style3D == 1 || m_style3D == 2 || m_style3D == 3 || m_style3D == 9) {
    adoptContainer();
    return;
  }
  PictureBox* canvas = m_canvas;
  if (canvas == nullptr) return;
  const ScaleUnit saved = canvas->ScaleMode();
  canvas->setScaleMode(ScaleUnit::Twips);
  switch (m_style3D) {
    case 4: case 5: case 7: case 8: drawBevelPair(m_style3D); break;
    case 6: drawEtched(); break;
    case 10: drawThinEdge(true, true); break;
    case 11: drawThinEdge(false, true); break;
    case 12: drawThinEdge(true, false); break;
    case 13: drawThinEdge(false, false); break;
    default: break;
  }
  canvas->setScaleMode(saved);
}

// Styles that frame the Client on its container only take that container as the Canvas
// when it is a drawing surface; no frame is painted for them.
void clsBorder3D::adoptContainer() {
  if (m_client.isNull()) return;
  if (auto* container = qobject_cast<PictureBox*>(m_client->parentWidget())) m_canvas = container;
}

void clsBorder3D::drawBevelPair(int style) {
  const double px = m_tppX, py = m_tppY;
  WorkRect r{};
  if (style == 8) {
    r = {double(m_left), double(m_top), m_left + double(m_width) - px, m_top + double(m_height) - py};
  } else if (style == 5) {
    if (m_client.isNull()) return;
    auto* surface = qobject_cast<PictureBox*>(m_client.data());
    const double sw = surface ? surface->ScaleWidth() : double(m_client->width()) * px;
    const double sh = surface ? surface->ScaleHeight() : double(m_client->height()) * py;
    r = {0, 0, sw - px, sh - py};
  } else {
    double left = m_left, top = m_top, width = m_width, height = m_height;
    if (style == 4) {
      if (m_client.isNull()) return;
      left = double(m_client->x()) * px;
      top = double(m_client->y()) * py;
      width = double(m_client->width()) * px;
      height = double(m_client->height()) * py;
    }
    const int n = (m_bevelInner != 0 && m_bevelOuter != 0) ? 2 * m_bevelWidth + m_borderWidth : m_bevelWidth;
    r.x = left - n * px;
    r.y = top - n * py;
    r.right = r.x + width + 2 * n * px - px;
    r.bottom = r.y + height + 2 * n * py - py;
  }
  if (m_bevelOuter == 0) {
    drawBevel(r, m_bevelInner);
    return;
  }
  drawBevel(r, m_bevelOuter);
  const int step = m_bevelWidth + m_borderWidth;
  r.x += step * px;
  r.right -= step * px;
  r.y += step * py;
  r.bottom -= step * py;
  drawBevel(r, m_bevelInner);
}

// One bevel: BevelWidth rings of one-pixel lines. The canvas's lines leave out their end
// point, so the right line reaches one pixel further down to close the corner.
void clsBorder3D::drawBevel(const WorkRect& r, int bevel) {
  if (bevel != Raised && bevel != Inset) return;
  PictureBox& c = *m_canvas;
  const double px = m_tppX, py = m_tppY;
  for (int i = 0; i < m_bevelWidth; ++i) {
    const double x = r.x + i * px, y = r.y + i * py, right = r.right - i * px, bottom = r.bottom - i * py;
    if (bevel == Raised) {
      c.Line(x, y, right, y, m_highlight);
      c.Line(x, y, x, bottom, m_highlight);
      c.Line(x, bottom, right, bottom, m_shadow);
      c.Line(right, y, right, bottom + py, m_shadow);
    } else {
      c.Line(x, bottom, right, bottom, m_highlight);
      c.Line(right, y, right, bottom + py, m_highlight);
      c.Line(x, y, right, y, m_shadow);
      c.Line(x, y, x, bottom, m_shadow);
    }
  }
}

void clsBorder3D::drawEtched() {
  PictureBox& c = *m_canvas;
  const double px = m_tppX, py = m_tppY;
  const double x = m_left - 2 * px, y = m_top - 2 * py;
  const double right = double(m_left) + m_width, bottom = double(m_top) + m_height;
  c.Line(x, y, right, bottom, m_shadow, LineShape::Box);
  c.Line(x + px, y + py, right + px, bottom + py, m_highlight, LineShape::Box);
}

void clsBorder3D::drawThinEdge(bool raised, bool wholeCanvas) {
  PictureBox& c = *m_canvas;
  GdiRect rc;
  if (wholeCanvas) {
    rc = {0, 0, roundHalfEven(double(c.Width()) / m_tppX), roundHalfEven(double(c.Height()) / m_tppY)};
  } else {
    rc = {roundHalfEven(double(m_left) / m_tppX), roundHalfEven(double(m_top) / m_tppY),
          roundHalfEven((double(m_left) + m_width) / m_tppX), roundHalfEven((double(m_top) + m_height) / m_tppY)};
  }
  DeviceContext& dc = c.hDC();
  if (raised) {
    if (m_drawEdgeStyle != 0) {
      dc.DrawEdge(rc, Edge::RaisedInner, Edge::Rect);
      return;
    }
    dc.DrawEdge(rc, Edge::RaisedOuter, Edge::Right | Edge::Bottom);
    rc.right -= 1;
    rc.bottom -= 1;
    dc.DrawEdge(rc, Edge::RaisedInner, Edge::Right | Edge::Bottom);
    dc.DrawEdge(rc, Edge::RaisedInner, Edge::Left | Edge::Top);
  } else {
    if (m_drawEdgeStyle != 0) {
      dc.DrawEdge(rc, Edge::SunkenOuter | Edge::RaisedInner | Edge::SunkenInner, Edge::Rect);
      return;
    }
    dc.DrawEdge(rc, Edge::SunkenInner, Edge::Left | Edge::Top);
    dc.DrawEdge(rc, Edge::SunkenOuter, Edge::Right | Edge::Bottom);
    rc.left += 1;
    rc.top += 1;
    rc.right -= 2;
    rc.bottom -= 2;
    dc.DrawEdge(rc, Edge::SunkenOuter, Edge::Left | Edge::Top);
  }
}

}  // namespace quorvane
