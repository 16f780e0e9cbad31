#include "help/picture_surface.h"

#include <QFontMetrics>
#include <QImageReader>

#include <algorithm>
#include <cmath>

#include "common/utf8.h"
#include "controls/picture_box.h"
#include "controls/raster_ops.h"
#include "controls/twips.h"

namespace quorvane::help {

namespace {
QString fontKey(const FontSpec& f) {
  return QStringLiteral("%1/%2%3%4%5")
      .arg(f.points)
      .arg(int(f.bold))
      .arg(int(f.italic))
      .arg(int(f.underline))
      .arg(int(f.strikethrough));
}

Twips toTwips(double v) {
  return static_cast<Twips>(std::clamp(std::llround(v), -(1LL << 30), 1LL << 30));
}
}  // namespace

PictureSurface::PictureSurface(PictureBox& box, Growth growth, int maxPixelHeight)
    : m_box(box), m_growth(growth), m_maxPixelHeight(std::max(1, maxPixelHeight)) {
  m_box.setScaleMode(ScaleUnit::Twips);
  m_font.points = m_box.FontSize();
  m_font.bold = m_box.FontBold();
  m_font.italic = m_box.FontItalic();
  m_font.underline = m_box.FontUnderline();
  m_font.strikethrough = m_box.FontStrikethru();
  syncHeight();
}

void PictureSurface::syncHeight() { m_height = m_box.Height(); }

int PictureSurface::twipsPerPixelX() const { return TwipsPerPixelX(); }
int PictureSurface::twipsPerPixelY() const { return TwipsPerPixelY(); }
Twips PictureSurface::scaleWidth() const { return toTwips(m_box.ScaleWidth()); }

void PictureSurface::setWidth(Twips width) { m_box.setWidth(std::max(0, width)); }

void PictureSurface::setHeight(Twips height) {
  const Twips previous = m_height;
  m_height = std::max(0, height);
  if (m_growth == Growth::Exact || m_height < previous) {
    settle();
    return;
  }
  // Growing: take memory in steps that double the size, so a long page is not copied
  // into a new image once per line.
  const Twips wanted = clampToMaximum(m_height);
  const Twips physical = m_box.Height();
  if (wanted > physical) {
    const long long step = std::max<long long>(wanted, 2LL * physical);
    m_box.setHeight(clampToMaximum(static_cast<Twips>(std::min<long long>(step, 1LL << 30))));
  }
  m_box.Refresh();
}

void PictureSurface::setLayoutHeight(Twips height) { m_height = std::max(0, height); }

void PictureSurface::settle() {
  const Twips wanted = clampToMaximum(m_height);
  const Twips physical = m_box.Height();
  if (m_growth == Growth::Exact) {
    if (wanted != physical) m_box.setHeight(wanted);
  } else if (wanted > physical || physical / 2 > wanted) {
    // A page drawn again needs the same memory; keep it unless it is far too much.
    m_box.setHeight(wanted);
  }
  m_box.Refresh();
}

Twips PictureSurface::clampToMaximum(Twips twips) const {
  const long long maxTwips = static_cast<long long>(m_maxPixelHeight) * TwipsPerPixelY();
  return static_cast<Twips>(std::min<long long>(twips, maxTwips));
}

Twips PictureSurface::currentX() const { return toTwips(m_box.CurrentX()); }
Twips PictureSurface::currentY() const { return toTwips(m_box.CurrentY()); }
void PictureSurface::setCurrentX(Twips x) { m_box.setCurrentX(x); }
void PictureSurface::setCurrentY(Twips y) { m_box.setCurrentY(y); }

void PictureSurface::setFont(const FontSpec& font) {
  if (font == m_font) return;
  m_font = font;
  applyFont();
}

void PictureSurface::applyFont() {
  QFont f = m_box.font();
  // A size of 0 (headings beyond the table) is drawn at the smallest size there is.
  f.setPointSizeF(std::max(1.0, m_font.points));
  f.setBold(m_font.bold);
  f.setItalic(m_font.italic);
  f.setUnderline(m_font.underline);
  f.setStrikeOut(m_font.strikethrough);
  m_box.setFont(f);
  m_current = nullptr;
}

PictureSurface::Metrics& PictureSurface::metrics() {
  if (!m_current) {
    m_current = &m_metrics[fontKey(m_font)];
    if (m_current->lineHeight == 0) {
      m_current->lineHeight = toTwips(m_box.TextHeight(QStringLiteral("Ay")));
      const QFontMetrics fm(m_box.font());
      m_current->ascentPixels = fm.ascent();
      m_current->heightPixels = fm.height();
    }
  }
  return *m_current;
}

Color PictureSurface::foreColor() const { return m_box.ForeColor(); }
void PictureSurface::setForeColor(Color color) { m_box.setForeColor(color); }
Color PictureSurface::backColor() const { return m_box.BackColor(); }
void PictureSurface::setBackColor(Color color) { m_box.setBackColor(color); }

void PictureSurface::print(std::string_view utf8) { m_box.Print(QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))); }
void PictureSurface::lineEnd() { m_box.PrintLine(); }

Twips PictureSurface::textWidth(std::string_view utf8) {
  std::size_t pos = 0;
  if (!utf8.empty()) {
    const char32_t c = utf8::next(utf8, pos);
    if (pos == utf8.size() && c != U'\n') {
      auto& widths = metrics().widths;
      auto it = widths.find(c);
      if (it == widths.end())
        it = widths.emplace(c, toTwips(m_box.TextWidth(QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))))).first;
      return it->second;
    }
  }
  return toTwips(m_box.TextWidth(QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))));
}

Twips PictureSurface::textHeight(std::string_view utf8) {
  const long long lines = 1 + std::count(utf8.begin(), utf8.end(), '\n');
  return toTwips(static_cast<double>(lines) * metrics().lineHeight);
}

void PictureSurface::cls() { m_box.Cls(); }

void PictureSurface::drawLine(Twips x1, Twips y1, Twips x2, Twips y2, Color color) {
  m_box.Line(x1, y1, x2, y2, color, LineShape::Line);
}

void PictureSurface::drawBox(Twips x, Twips y, Twips width, Twips height, Color color) {
  m_box.Line(x, y, static_cast<double>(x) + width, static_cast<double>(y) + height, color, LineShape::Box);
}

bool PictureSurface::loadPicture(const std::string& path) {
  const QString file = QString::fromStdString(path);
  // Check the size before decoding, so a hostile image cannot take all memory.
  QImageReader reader(file);
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) return false;
  m_box.setAutoSize(true);
  const bool ok = m_box.LoadPicture(file);
  m_box.setAutoSize(false);
  if (ok) syncHeight();
  return ok;
}

void PictureSurface::clearPicture() { m_box.LoadPicture(QString()); }

int PictureSurface::pixelWidth() const { return m_box.width(); }
int PictureSurface::pixelHeight() const { return m_box.height(); }

void PictureSurface::stretchFrom(const HelpSurface& source, int x, int y, int width, int height,
                                 int srcX, int srcY, int srcWidth, int srcHeight) {
  const auto* src = dynamic_cast<const PictureSurface*>(&source);
  if (!src) return;
  if (width == srcWidth && height == srcHeight)
    m_box.hDC().BitBlt(x, y, width, height, src->m_box.hDC(), srcX, srcY, raster::SRCCOPY);
  else
    m_box.hDC().StretchBlt(x, y, width, height, src->m_box.hDC(), srcX, srcY, srcWidth, srcHeight, raster::SRCCOPY);
  m_box.Refresh();
}

}  // namespace quorvane::help
