// Painting of clsTabStrip: each tab's outline by its position relative to the selected
// tab (which is drawn two pixels larger and opens into the page), the labels with their
// underlined access keys, the page frame and the dotted focus mark.
#include "controls/clsTabStrip.h"

namespace quorvane {

namespace {
constexpr OleColor kHighlight = systemColorValue(SysColor::ButtonHighlight);
constexpr OleColor kDarkShadow = systemColorValue(SysColor::DarkShadow);
constexpr OleColor kShadow = systemColorValue(SysColor::ButtonShadow);
}  // namespace

// A polyline with the device context's pen; no end point is painted.
void clsTabStrip::line(OleColor color, std::initializer_list<QPoint> points) {
  DeviceContext& dc = m_picture->hDC();
  dc.SetPenColor(color);
  auto it = points.begin();
  dc.MoveToEx(it->x(), it->y());
  for (++it; it != points.end(); ++it) dc.LineTo(it->x(), it->y());
}

void clsTabStrip::repaint() {
  if (m_picture.isNull()) return;
  m_picture->Cls();
  for (int i = 0; i < Count(); ++i) drawTab(i);
  drawPageFrame();
  m_picture->Refresh();
}

void clsTabStrip::drawTab(int i) {
  const Tab& t = m_tabs[static_cast<std::size_t>(i)];
  const int L = t.left, T = t.top, W = t.width, H = t.height;
  int textY = m_padY;
  if (i == m_selected) {
    line(kHighlight, {{L - 2, T + H + 1}, {L - 2, T}, {L, T - 2}, {L + W + 1, T - 2}});
    line(kDarkShadow, {{L + W + 2, T + H + 1}, {L + W + 2, 2}, {L + W, T - 2}});
    line(kShadow, {{L + W + 1, T + H + 1}, {L + W + 1, T - 1}});
    textY = m_padY - 2;
  } else if (i == m_selected + 1) {
    line(kHighlight, {{L + 2, T + H + 1}, {L + W + 2, T + H + 1}});
    line(kHighlight, {{L + 2, T}, {L + W - 1, T}});
    line(kDarkShadow, {{L + W, T + H}, {L + W, 4}, {L + W - 2, T}});
    line(kShadow, {{L + W - 1, T + H}, {L + W - 1, T + 1}});
  } else {
    const bool beforeSelected = i == m_selected - 1;
    line(kHighlight, {{L - 2, T + H + 1}, {beforeSelected ? L + W : L + W + 2, T + H + 1}});
    line(kHighlight, {{L, T + H}, {L, T + 2}, {L + 2, T}, {L + W - 1, T}});
    if (!beforeSelected) {
      line(kDarkShadow, {{L + W, T + H}, {L + W, 4}, {L + W - 2, T}});
      line(kShadow, {{L + W - 1, T + H}, {L + W - 1, T + 1}});
    }
  }
  m_picture->setForeColor(systemColorValue(SysColor::ButtonText));
  m_picture->setCurrentX(L + m_padX);
  m_picture->setCurrentY(textY);
  printLabel(t);
}

void clsTabStrip::printLabel(const Tab& t) {
  PictureBox& p = *m_picture;
  if (t.accessKey.isEmpty()) {
    p.Print(t.caption);
    return;
  }
  p.Print(t.caption + QLatin1Char('('));
  p.setFontUnderline(true);
  p.Print(t.accessKey);
  p.setFontUnderline(false);
  p.Print(QStringLiteral(")"));
}

void clsTabStrip::drawPageFrame() {
  if (m_tabs.empty() || m_selected >= Count()) return;
  const Tab& sel = m_tabs[static_cast<std::size_t>(m_selected)];
  const Tab& last = m_tabs.back();
  const int B = sel.top + sel.height + 1;
  const int SW = m_picture->toPixelsX(m_picture->ScaleWidth());
  const int SH = m_picture->toPixelsY(m_picture->ScaleHeight());
  line(kHighlight, {{last.left + last.width, last.top + last.height + 1}, {SW, last.top + last.height + 1}});
  line(kHighlight, {{0, B}, {0, SH}});
  line(kDarkShadow, {{0, SH - 1}, {SW, SH - 1}});
  line(kDarkShadow, {{SW - 1, B}, {SW - 1, SH - 1}});
  line(kShadow, {{1, SH - 2}, {SW - 1, SH - 2}});
  line(kShadow, {{SW - 2, SH - 2}, {SW - 2, B}});
}

void clsTabStrip::drawFocusMark(bool gained) {
  if (m_picture.isNull() || m_selected >= Count()) return;
  const Tab& t = m_tabs[static_cast<std::size_t>(m_selected)];
  const int L = t.left, T = t.top, W = t.width, H = t.height;
  DeviceContext& dc = m_picture->hDC();
  if (gained) {
    const OleColor dot = GetSysColor(SysColor::ButtonText);
    for (int x = L + 2; x <= L + W - 2; x += 2) {
      dc.SetPixelV(x, T, dot);
      dc.SetPixelV(x, T + H - 2, dot);
    }
    for (int y = T; y <= T + H - 2; y += 2) {
      dc.SetPixelV(L + 1, y, dot);
      dc.SetPixelV(L + W - 1, y, dot);
    }
  } else {
    const ScaleUnit saved = m_picture->ScaleMode();
    m_picture->setScaleMode(ScaleUnit::Pixels);
    m_picture->Line(L + 1, T, L + W - 1, T + H - 2, systemColorValue(SysColor::ButtonFace), LineShape::Box);
    m_picture->setScaleMode(saved);
  }
  m_picture->Refresh();
}

}  // namespace quorvane
