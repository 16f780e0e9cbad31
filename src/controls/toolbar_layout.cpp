// Layout and painting of clsToolBar: one row of items with separator gaps, centred
// vertically in a bar as tall as the tallest item plus the border margins.
#include "controls/clsToolBar.h"

#include "controls/twips.h"

#include <algorithm>

namespace quorvane {

void clsToolBar::placeControl(ItemRecord& item, int leftTwips, int topTwips) {
  if (!item.control || !m_canvas) return;
  // The control lives on the bar's container; bar coordinates are offset by the bar.
  item.control->move(m_canvas->x() + roundHalfEven(double(leftTwips) / TwipsPerPixelX()),
                     m_canvas->y() + roundHalfEven(double(topTwips) / TwipsPerPixelY()));
}

void clsToolBar::Layout() {
  if (m_canvas.isNull()) return;
  const int px = TwipsPerPixelX(), py = TwipsPerPixelY();
  m_canvas->setScaleMode(ScaleUnit::Twips);
  int tallest = 0;
  for (const ItemRecord& item : m_items) {
    if (item.kind == KindButton) tallest = std::max(tallest, item.button->Height());
    if (item.kind == KindControl && item.control) tallest = std::max(tallest, item.control->height() * py);
  }
  m_height = tallest + 2 * m_borderWidth * py;
  m_canvas->setHeight(m_height);
  m_canvas->Cls();
  int x = m_separatorWidth * px;
  for (ItemRecord& item : m_items) {
    if (item.kind == KindSeparator) {
      x += m_separatorWidth * px;
      item.separatorPos = x;
      x += px;
    } else if (item.kind == KindButton) {
      item.button->setLeft(x);
      x += item.button->Width();
      item.button->setTop((m_height - item.button->Height()) / 2);
    } else if (item.control) {
      const int h = item.control->height() * py;
      placeControl(item, x, (m_height - h) / 2);
      x += item.control->width() * px;
    }
  }
  m_contentWidth = x + (m_separatorWidth + 1) * px;
  if (m_autoWidth) m_canvas->setWidth(m_contentWidth);
  if (!m_suspend) Show();
}

// An etched vertical line: shadow two pixels left of x, white one pixel left of it.
void clsToolBar::etchedLine(double x) {
  PictureBox& c = *m_canvas;
  const ScaleUnit saved = c.ScaleMode();
  c.setScaleMode(ScaleUnit::Twips);
  const double px = TwipsPerPixelX(), py = TwipsPerPixelY();
  const double bottom = c.ScaleHeight() - 4 * py;
  c.Line(x - 2 * px, 2 * py, x - 2 * px, bottom, systemColorValue(SysColor::ButtonShadow));
  c.Line(x - px, 2 * py, x - px, bottom, rgbColor(255, 255, 255));
  c.setScaleMode(saved);
}

void clsToolBar::Show() {
  if (m_canvas.isNull()) return;
  if (m_canvas->isHidden()) {
    m_canvas->Cls();
    return;
  }
  for (ItemRecord& item : m_items) {
    if (item.kind == KindButton) item.button->Refresh();
    if (item.kind == KindSeparator && m_coolBar) etchedLine(item.separatorPos);
  }
  m_frameBorder.Draw();
  if (m_drawEndline) etchedLine(m_contentWidth);
  m_canvas->Refresh();
}

}  // namespace quorvane
