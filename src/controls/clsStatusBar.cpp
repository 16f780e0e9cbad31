#include "controls/clsStatusBar.h"

#include "controls/resources.h"
#include "controls/twips.h"

#include <algorithm>
#include <stdexcept>

namespace quorvane {

clsStatusBar::clsStatusBar(QObject* parent) : QObject(parent) {}
clsStatusBar::~clsStatusBar() = default;

void clsStatusBar::AddPanel() { m_panels.emplace_back(); }

const clsStatusBar::Panel& clsStatusBar::panel(int index) const {
  if (index < 0 || index >= panelCount()) throw std::out_of_range("clsStatusBar: panel index out of range");
  return m_panels[static_cast<std::size_t>(index)];
}

clsStatusBar::Panel& clsStatusBar::panelRef(int index) {
  if (index < 0 || index >= panelCount()) throw std::out_of_range("clsStatusBar: panel index out of range");
  return m_panels[static_cast<std::size_t>(index)];
}

void clsStatusBar::setBevel(int index, int value) { panelRef(index).Bevel = value; }
void clsStatusBar::setStyle(int index, int value) { panelRef(index).Style = value; }
void clsStatusBar::setTextColor(int index, OleColor value) { panelRef(index).TextColor = value; }
void clsStatusBar::setAutoSize(int index, int value) { panelRef(index).AutoSize = value; }

void clsStatusBar::setText(int index, const QString& text) {
  panelRef(index).Text = text;
  repaint();
}

QFont clsStatusBar::Font() const { return m_canvas ? m_canvas->font() : QFont(); }
void clsStatusBar::setFont(const QFont& font) {
  if (m_canvas) m_canvas->setFont(font);
}
int clsStatusBar::Height() const { return m_canvas ? m_canvas->Height() : 0; }

void clsStatusBar::setCanvas(PictureBox* canvas) {
  if (m_canvas) disconnect(m_canvas, nullptr, this, nullptr);
  m_canvas = canvas;
  if (canvas == nullptr) return;
  m_grip.setCanvas(canvas);
  m_grip.setSrcPic(LoadResPicture(QStringLiteral("STATUSBAR")));
  m_border.setCanvas(canvas);
  m_border.setStyle3D(8);
  m_border.setBevelOuter(clsBorder3D::Inset);
  m_border.setBevelInner(clsBorder3D::None);
  m_border.setBevelWidth(1);
  m_border.setBorderWidth(1);
  m_border.setLeft(0);
  m_border.setTop(0);
  m_border.setWidth(canvas->Width() - TwipsPerPixelX());
  canvas->setEnabled(false);
  connect(canvas, &PictureBox::Paint, this, &clsStatusBar::repaint);
  connect(canvas, &PictureBox::Resize, this, &clsStatusBar::repaint);
  repaint();
}

void clsStatusBar::setSimpleText(const QString& text) {
  m_simpleText = text;
  repaint();
}

void clsStatusBar::setBarStyle(int style) {
  m_barStyle = style;
  repaint();
}

void clsStatusBar::Show() { repaint(); }

void clsStatusBar::repaint() {
  if (m_canvas.isNull()) return;
  PictureBox& c = *m_canvas;
  const ScaleUnit saved = c.ScaleMode();
  c.setScaleMode(ScaleUnit::Twips);
  c.Cls();
  const double sw = c.ScaleWidth(), sh = c.ScaleHeight();
  if (m_barStyle == 1) paintSimple(sw, sh);
  else paintPanels(sw, sh);
  // The grip keeps its own light grey: a plain copy, not transparent.
  m_grip.setLeft(static_cast<int>(sw) - m_grip.Width() - TwipsPerPixelX());
  m_grip.setTop(static_cast<int>(sh) - m_grip.Height() - TwipsPerPixelY());
  m_grip.Draw(0);
  c.setScaleMode(saved);
  c.Refresh();
}

void clsStatusBar::paintSimple(double sw, double sh) {
  PictureBox& c = *m_canvas;
  m_border.setLeft(0);
  m_border.setTop(0);
  m_border.setWidth(static_cast<int>(sw));
  m_border.setHeight(static_cast<int>(sh));
  m_border.Draw();
  // A few pixels off the frame, so the text does not touch the window's edge.
  c.setCurrentX(kSimpleTextMargin * TwipsPerPixelX());
  c.setCurrentY((sh - c.TextHeight(m_simpleText)) / 2);
  c.Print(m_simpleText);
}

// Auto-size panels take their text's width; when the panels run past the room before the
// grip, the panel that overflowed is shortened (auto-size panels only) and later panels
// get no width; otherwise the spare room is shared among the auto-size panels.
void clsStatusBar::layoutPanelWidths(double room) {
  PictureBox& c = *m_canvas;
  double total = 0;
  int springs = 0;
  bool overflowed = false;
  for (Panel& p : m_panels) {
    if (overflowed) {
      p.Width = 0;
      continue;
    }
    const bool spring = p.AutoSize == 1 || p.AutoSize == 2;
    if (spring) {
      p.Width = static_cast<int>(c.TextWidth(p.Text)) + 4 * TwipsPerPixelX();
      ++springs;
    }
    total += p.Width;
    if (total > room) {
      overflowed = true;
      if (spring) p.Width = std::max(0, p.Width - static_cast<int>(total - room));
    }
  }
  if (overflowed || springs == 0) return;
  const int extra = roundHalfEven((room - total) / springs);
  for (Panel& p : m_panels)
    if (p.AutoSize == 1 || p.AutoSize == 2) p.Width += extra;
}

void clsStatusBar::paintPanels(double sw, double sh) {
  PictureBox& c = *m_canvas;
  const double px = TwipsPerPixelX();
  const double room = sw - m_grip.Width() - px;
  layoutPanelWidths(room);
  m_border.setLeft(0);
  m_border.setTop(0);
  m_border.setWidth(static_cast<int>(sw));
  m_border.setHeight(static_cast<int>(sh));
  m_border.setStyle3D(8);
  m_border.setBevelOuter(clsBorder3D::Inset);
  m_border.setBevelInner(clsBorder3D::None);
  m_border.Draw();
  double x = 0;
  for (const Panel& p : m_panels) {
    if (x >= room) break;
    if (p.Bevel == 1 || p.Bevel == 2) {
      m_border.setLeft(static_cast<int>(x));
      m_border.setWidth(p.Width);
      m_border.setBevelOuter(p.Bevel);
      m_border.setBevelInner(clsBorder3D::None);
      m_border.Draw();
    }
    c.setForeColor(p.TextColor);
    c.setCurrentX(x + 2 * px);
    c.setCurrentY((sh - c.TextHeight(p.Text)) / 2);
    printClipped(p.Text, x + p.Width - px);
    x += p.Width;
  }
}

// Prints whole characters as long as each one ends before `limit` (the panel's last
// pixel column, where its frame's right line lies), so a long text never spills into the
// next panel.
void clsStatusBar::printClipped(const QString& text, double limit) {
  PictureBox& c = *m_canvas;
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype n = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    const QString ch = text.mid(i, n);
    if (c.CurrentX() + c.TextWidth(ch) > limit) return;
    c.Print(ch);
    i += n;
  }
}

}  // namespace quorvane
