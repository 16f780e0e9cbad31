#include "controls/device_context.h"

#include "controls/raster_ops.h"

#include <algorithm>
#include <cstdlib>

namespace quorvane {

namespace {

quint32 rgbOf(QRgb pixel) { return pixel & 0x00FFFFFFu; }
QRgb pixelOf(quint32 rgb) { return 0xFF000000u | (rgb & 0x00FFFFFFu); }

QImage asRgb32(const QImage& image) {
  if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32) return image;
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

DeviceContext::DeviceContext(QImage& target, std::function<void()> changed)
    : m_target(&target), m_changed(std::move(changed)) {}

void DeviceContext::notify() {
  if (m_changed) m_changed();
}

// `rgb` is a pixel value without alpha (0xRRGGBB), not a colour value.
void DeviceContext::plot(int x, int y, quint32 rgb) {
  QImage& img = *m_target;
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return;
  QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
  line[x] = pixelOf(raster::applyRop2(m_rop2, rgb, rgbOf(line[x])));
}

QImage DeviceContext::SelectBrush(const QImage& brush) {
  QImage previous = m_brush;
  m_brush = brush.isNull() ? QImage() : asRgb32(brush);
  return previous;
}

int DeviceContext::SetROP2(int mode) {
  const int previous = m_rop2;
  if (mode >= 1 && mode <= 16) m_rop2 = mode;
  return previous;
}

bool DeviceContext::BitBlt(int x, int y, int width, int height, const QImage& source, int sx, int sy,
                           quint32 rop) {
  return blit(x, y, width, height, source, sx, sy, width, height, rop);
}

bool DeviceContext::BitBlt(int x, int y, int width, int height, const DeviceContext& source, int sx, int sy,
                           quint32 rop) {
  return blit(x, y, width, height, source.image(), sx, sy, width, height, rop);
}

bool DeviceContext::StretchBlt(int x, int y, int width, int height, const QImage& source, int sx, int sy,
                               int sourceWidth, int sourceHeight, quint32 rop) {
  return blit(x, y, width, height, source, sx, sy, sourceWidth, sourceHeight, rop);
}

bool DeviceContext::StretchBlt(int x, int y, int width, int height, const DeviceContext& source, int sx,
                               int sy, int sourceWidth, int sourceHeight, quint32 rop) {
  return blit(x, y, width, height, source.image(), sx, sy, sourceWidth, sourceHeight, rop);
}

// One routine serves plain and stretched copies: destination pixel (i, j) reads source
// pixel (sx + i * sw / w, sy + j * sh / h). A source that is the target itself is copied
// first so that overlapping copies read the old pixels.
bool DeviceContext::blit(int x, int y, int width, int height, const QImage& source, int sx, int sy,
                         int sourceWidth, int sourceHeight, quint32 rop) {
  if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return false;
  QImage& dst = *m_target;
  const bool useSource = raster::ropUsesSource(rop);
  const bool usePattern = raster::ropUsesPattern(rop);
  QImage src;
  if (useSource) {
    if (source.isNull()) return false;
    src = (&source == m_target) ? source.copy() : asRgb32(source);
  }
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = static_cast<int>(std::min<long long>(dst.width(), static_cast<long long>(x) + width));
  const int y1 = static_cast<int>(std::min<long long>(dst.height(), static_cast<long long>(y) + height));
  for (int dy = y0; dy < y1; ++dy) {
    QRgb* out = reinterpret_cast<QRgb*>(dst.scanLine(dy));
    const long long srow = sy + static_cast<long long>(dy - y) * sourceHeight / height;
    if (useSource && (srow < 0 || srow >= src.height())) continue;
    const QRgb* in = useSource ? reinterpret_cast<const QRgb*>(src.constScanLine(static_cast<int>(srow))) : nullptr;
    const QRgb* pat = (usePattern && !m_brush.isNull())
                          ? reinterpret_cast<const QRgb*>(m_brush.constScanLine(dy % m_brush.height()))
                          : nullptr;
    for (int dx = x0; dx < x1; ++dx) {
      quint32 s = 0;
      if (useSource) {
        const long long scol = sx + static_cast<long long>(dx - x) * sourceWidth / width;
        if (scol < 0 || scol >= src.width()) continue;
        s = rgbOf(in[scol]);
      }
      const quint32 p = pat ? rgbOf(pat[dx % m_brush.width()]) : 0x00FFFFFFu;
      out[dx] = pixelOf(raster::applyRop3(rop, p, s, rgbOf(out[dx])));
    }
  }
  notify();
  return true;
}

bool DeviceContext::SetPixelV(int x, int y, OleColor color) {
  QImage& img = *m_target;
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return false;
  img.setPixel(x, y, toQRgb(color));
  notify();
  return true;
}

quint32 DeviceContext::GetPixel(int x, int y) const {
  const QImage& img = *m_target;
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return CLR_INVALID;
  return fromQRgb(img.pixel(x, y));
}

void DeviceContext::MoveToEx(int x, int y) {
  m_posX = x;
  m_posY = y;
}

bool DeviceContext::LineTo(int x, int y) {
  drawPenLine(m_posX, m_posY, x, y);
  m_posX = x;
  m_posY = y;
  notify();
  return true;
}

// Bresenham's walk from the first point towards the second, stopping before it.
void DeviceContext::drawPenLine(int x0, int y0, int x1, int y1) {
  const quint32 rgb = rgbOf(toQRgb(m_pen));
  const long long dx = std::llabs(static_cast<long long>(x1) - x0);
  const long long dy = -std::llabs(static_cast<long long>(y1) - y0);
  const int stepX = x0 < x1 ? 1 : -1;
  const int stepY = y0 < y1 ? 1 : -1;
  long long err = dx + dy;
  int x = x0, y = y0;
  const long long limit = std::max(dx, -dy);
  // Coordinates come from window-sized values; a line of more than 16 million pixels can
  // only be a caller's error and is not walked.
  if (limit > (1LL << 24)) return;
  const int w = m_target->width(), h = m_target->height();
  for (long long n = 0; n < limit; ++n) {
    if (x == x1 && y == y1) break;
    // The walk is monotonic: once past an edge in its direction of travel it never returns.
    if ((stepX > 0 && x >= w) || (stepX < 0 && x < 0) || (stepY > 0 && y >= h) || (stepY < 0 && y < 0)) break;
    plot(x, y, rgb);
    const long long e2 = 2 * err;
    if (e2 >= dy) { err += dy; x += stepX; }
    if (e2 <= dx) { err += dx; y += stepY; }
  }
}

void DeviceContext::PaintRect(const GdiRect& rect, OleColor color) {
  const quint32 rgb = rgbOf(toQRgb(color));
  const int x0 = std::max(0, rect.left), y0 = std::max(0, rect.top);
  const int x1 = std::min(m_target->width(), rect.right), y1 = std::min(m_target->height(), rect.bottom);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) plot(x, y, rgb);
  notify();
}

int BoxOutline(int left, int top, int right, int bottom, GdiRect (&sides)[4]) {
  int n = 0;
  sides[n++] = {left, top, right + 1, top + 1};
  if (bottom > top) sides[n++] = {left, bottom, right + 1, bottom + 1};
  if (bottom - top > 1) {
    sides[n++] = {left, top + 1, left + 1, bottom};
    if (right > left) sides[n++] = {right, top + 1, right + 1, bottom};
  }
  return n;
}

}  // namespace quorvane
