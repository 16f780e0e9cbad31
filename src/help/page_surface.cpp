#include "help/page_surface.h"

#include <QPainter>

#include <algorithm>

#include "common/utf8.h"
#include "controls/picture_box.h"
#include "controls/raster_ops.h"

namespace quorvane::help {

namespace {
constexpr int kCopyPen = 13;

// The part of `block` inside an image of `size`; empty when none.
QRect clippedTo(const PageDrawing::Block& block, const QSize& size) {
  const long long left = std::max<long long>(block.x, 0);
  const long long top = std::max<long long>(block.y, 0);
  const long long right = std::min<long long>(static_cast<long long>(block.x) + block.width, size.width());
  const long long bottom = std::min<long long>(static_cast<long long>(block.y) + block.height, size.height());
  if (right <= left || bottom <= top) return {};
  return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
               static_cast<int>(bottom - top));
}

// The smallest rectangle of `area` holding every pixel that is not `background`.
QRect contentOf(const QImage& image, const QRect& area, QRgb background) {
  int left = area.right() + 1, right = area.left() - 1, top = area.bottom() + 1, bottom = area.top() - 1;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) {
      if (((row[x] ^ background) & 0x00FFFFFFu) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = y;
    }
  }
  return right < left ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
}  // namespace

PageSurface::PageSurface(PictureBox& box)
    : PictureSurface(box, Growth::Geometric, kMaxPagePixelHeight), m_drawing(kMaxPagePixelHeight), m_host(&box) {
  m_drawing.clear(toQRgb(box.BackColor()));
  box.setPaintSource([this](QPainter& painter, const QRect& area) {
    m_drawing.paint(painter, area, this->box().width());
  });
}

PageSurface::~PageSurface() {
  // The box may already be gone with its window.
  if (m_host) m_host->setPaintSource({});
}

void PageSurface::print(std::string_view utf8) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t lf = utf8.find('\n', start);
    if (lf == std::string_view::npos) {
      printSegment(utf8.substr(start));
      return;
    }
    std::size_t end = lf;
    if (end > start && utf8[end - 1] == '\r') --end;
    printSegment(utf8.substr(start, end - start));
    lineEnd();
    start = lf + 1;
  }
}

void PageSurface::setFont(const FontSpec& font) {
  if (font == this->font()) return;
  PictureSurface::setFont(font);
  m_pageFont = -1;
}

void PageSurface::printSegment(std::string_view utf8) {
  if (utf8.empty()) return;
  PictureBox& b = box();
  const Metrics& m = metrics();
  if (m_pageFont < 0) m_pageFont = m_drawing.addFont(b.font());
  const int x = b.toPixelsX(b.CurrentX());
  const int top = b.toPixelsY(b.CurrentY());
  m_drawing.addText(QPoint(x, top + m.ascentPixels), top, top + m.heightPixels, m_pageFont, toQRgb(b.ForeColor()),
                    QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
  long long advance = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t from = pos;
    utf8::next(utf8, pos);
    advance += textWidth(utf8.substr(from, pos - from));
  }
  b.setCurrentX(b.CurrentX() + static_cast<double>(advance));
}

void PageSurface::cls() {
  box().Cls();
  m_drawing.clear(toQRgb(box().BackColor()));
  m_pageFont = -1;
}

void PageSurface::drawLine(Twips x1, Twips y1, Twips x2, Twips y2, Color color) {
  PictureBox& b = box();
  m_drawing.addLine(QPoint(b.toPixelsX(x1), b.toPixelsY(y1)), QPoint(b.toPixelsX(x2), b.toPixelsY(y2)), color,
                    b.DrawMode());
  b.setCurrentX(x2);
  b.setCurrentY(y2);
}

void PageSurface::drawBox(Twips x, Twips y, Twips width, Twips height, Color color) {
  PictureBox& b = box();
  const double x2 = static_cast<double>(x) + width, y2 = static_cast<double>(y) + height;
  const int px1 = b.toPixelsX(x), py1 = b.toPixelsY(y), px2 = b.toPixelsX(x2), py2 = b.toPixelsY(y2);
  GdiRect sides[4];
  const int n = BoxOutline(std::min(px1, px2), std::min(py1, py2), std::max(px1, px2), std::max(py1, py2), sides);
  for (int i = 0; i < n; ++i) m_drawing.addRect(sides[i], color, b.DrawMode());
  b.setCurrentX(x2);
  b.setCurrentY(y2);
}

void PageSurface::stretchFrom(const HelpSurface& source, int x, int y, int width, int height, int srcX, int srcY,
                              int srcWidth, int srcHeight) {
  const auto* src = dynamic_cast<const PictureSurface*>(&source);
  if (!src || width <= 0 || height <= 0) return;
  const QImage& shown = src->box().image();
  const QImage image = shown.depth() == 32 ? shown : shown.convertToFormat(QImage::Format_RGB32);
  const PageDrawing::Block wanted{srcX, srcY, srcWidth, srcHeight};
  // Source pixels outside the image are not copied, so only the part inside is kept.
  const QRect part = clippedTo(wanted, image.size());
  if (part.isEmpty()) return;
  if (width == srcWidth && height == srcHeight) {
    copyTrimmed(image, PageDrawing::Block{x, y, width, height}, wanted, part);
    return;
  }
  m_drawing.addBlock({x, y, width, height}, image.copy(part),
                     {srcX - part.x(), srcY - part.y(), srcWidth, srcHeight}, raster::SRCCOPY);
}

// A composed line is copied with the whole work canvas below it, which is mostly
// background: that part becomes a fill, and only the pixels that differ are kept.
void PageSurface::copyTrimmed(const QImage& image, const PageDrawing::Block& target,
                              const PageDrawing::Block& wanted, const QRect& part) {
  const QRgb background = toQRgb(box().BackColor());
  const long long dx = static_cast<long long>(target.x) - wanted.x;
  const long long dy = static_cast<long long>(target.y) - wanted.y;
  const auto shifted = [&](long long v, long long by) {
    return static_cast<int>(std::clamp<long long>(v + by, -(1LL << 30), 1LL << 30));
  };
  m_drawing.addRect({shifted(part.left(), dx), shifted(part.top(), dy), shifted(part.right() + 1LL, dx),
                     shifted(part.bottom() + 1LL, dy)},
                    fromQRgb(background), kCopyPen);
  const QRect content = contentOf(image, part, background);
  if (content.isEmpty()) return;
  m_drawing.addBlock({shifted(content.left(), dx), shifted(content.top(), dy), content.width(), content.height()},
                     image.copy(content), {0, 0, content.width(), content.height()}, raster::SRCCOPY);
}

}  // namespace quorvane::help
