#include "help/page_drawing.h"

#include <QPainter>

#include <algorithm>

namespace quorvane::help {

PageDrawing::PageDrawing(int heightLimit) : m_heightLimit(std::max(1, heightLimit)) {}

void PageDrawing::clear(QRgb background) {
  m_background = background;
  m_fonts.clear();
  m_operations.clear();
  m_bands.clear();
  m_cache.clear();
}

int PageDrawing::addFont(const QFont& font) {
  m_fonts.push_back(font);
  return static_cast<int>(m_fonts.size() - 1);
}

void PageDrawing::addText(QPoint origin, int top, int bottom, int font, QRgb color, const QString& text) {
  if (text.isEmpty() || font < 0 || static_cast<std::size_t>(font) >= m_fonts.size()) return;
  Operation op;
  op.kind = Kind::Text;
  op.color = color;
  op.font = font;
  op.from = origin;
  op.text = text;
  // Glyphs may reach a little beyond their line (accents, italics).
  constexpr int kOverhang = 2;
  file(std::move(op), static_cast<long long>(top) - kOverhang, static_cast<long long>(bottom) + kOverhang);
}

void PageDrawing::addRect(const GdiRect& rect, OleColor color, int rop2) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  Operation op;
  op.kind = Kind::Rect;
  op.rop = rop2;
  op.color = color;
  op.rect = rect;
  file(std::move(op), rect.top, static_cast<long long>(rect.bottom) - 1);
}

void PageDrawing::addLine(QPoint from, QPoint to, OleColor color, int rop2) {
  Operation op;
  op.kind = Kind::Line;
  op.rop = rop2;
  op.color = color;
  op.from = from;
  op.to = to;
  file(std::move(op), std::min(from.y(), to.y()), std::max(from.y(), to.y()));
}

void PageDrawing::addBlock(const Block& target, const QImage& source, const Block& sourceBlock, quint32 rop) {
  if (target.width <= 0 || target.height <= 0 || sourceBlock.width <= 0 || sourceBlock.height <= 0) return;
  Operation op;
  op.kind = Kind::Block;
  op.rop = static_cast<int>(rop);
  op.target = target;
  op.source = sourceBlock;
  op.image = source;
  file(std::move(op), target.y, static_cast<long long>(target.y) + target.height - 1);
}

void PageDrawing::file(Operation&& op, long long top, long long bottom) {
  top = std::max<long long>(top, 0);
  bottom = std::min<long long>(bottom, m_heightLimit - 1);
  if (bottom < top) return;
  const auto first = static_cast<std::size_t>(top / kBandHeight);
  const auto last = static_cast<std::size_t>(bottom / kBandHeight);
  if (m_bands.size() <= last) m_bands.resize(last + 1);
  const auto index = static_cast<std::uint32_t>(m_operations.size());
  m_operations.push_back(std::move(op));
  for (std::size_t b = first; b <= last; ++b) {
    m_bands[b].push_back(index);
    dropCached(static_cast<int>(b));
  }
}

void PageDrawing::dropCached(int index) {
  if (m_cache.empty()) return;
  m_cache.erase(std::remove_if(m_cache.begin(), m_cache.end(), [index](const CachedBand& c) { return c.index == index; }),
                m_cache.end());
}

void PageDrawing::paint(QPainter& painter, const QRect& area, int width) {
  if (area.isEmpty() || width <= 0) return;
  const int firstBand = std::max(0, area.top()) / kBandHeight;
  const int lastBand = std::max(0, area.bottom()) / kBandHeight;
  for (int b = firstBand; b <= lastBand; ++b) {
    const int top = b * kBandHeight;
    if (static_cast<std::size_t>(b) >= m_bands.size() || m_bands[static_cast<std::size_t>(b)].empty()) {
      painter.fillRect(QRect(0, top, width, kBandHeight), QColor::fromRgb(m_background));
      continue;
    }
    painter.drawImage(0, top, band(b, width));
  }
}

const QImage& PageDrawing::band(int index, int width) {
  ++m_useCounter;
  for (CachedBand& c : m_cache) {
    if (c.index == index && c.width == width) {
      c.lastUse = m_useCounter;
      return c.image;
    }
  }
  if (m_cache.size() >= kCachedBands) {
    const auto oldest = std::min_element(m_cache.begin(), m_cache.end(),
                                         [](const CachedBand& a, const CachedBand& b) { return a.lastUse < b.lastUse; });
    m_cache.erase(oldest);
  }
  dropCached(index);  // one drawn at another width
  CachedBand fresh;
  fresh.index = index;
  fresh.width = width;
  fresh.lastUse = m_useCounter;
  fresh.image = QImage(width, kBandHeight, QImage::Format_RGB32);
  renderBand(fresh.image, index);
  m_cache.push_back(std::move(fresh));
  return m_cache.back().image;
}

void PageDrawing::renderBand(QImage& image, int index) const {
  image.fill(m_background);
  const int bandTop = index * kBandHeight;
  DeviceContext dc(image);
  QPainter painter(&image);
  painter.translate(0, -bandTop);
  int fontInUse = -1;
  for (const std::uint32_t i : m_bands[static_cast<std::size_t>(index)])
    replay(m_operations[i], painter, dc, bandTop, fontInUse);
}

// Text goes through the painter, everything else through a device context on the band
// with the page's coordinates moved up by the band's top, so that every pixel comes out
// as a drawing on the whole page would have made it.
void PageDrawing::replay(const Operation& op, QPainter& painter, DeviceContext& dc, int bandTop,
                         int& fontInUse) const {
  switch (op.kind) {
    case Kind::Text:
      if (op.font != fontInUse) {
        painter.setFont(m_fonts[static_cast<std::size_t>(op.font)]);
        fontInUse = op.font;
      }
      painter.setPen(QColor::fromRgb(op.color));
      painter.drawText(op.from, op.text);
      break;
    case Kind::Rect:
      dc.SetROP2(op.rop);
      dc.PaintRect({op.rect.left, op.rect.top - bandTop, op.rect.right, op.rect.bottom - bandTop}, op.color);
      break;
    case Kind::Line:
      dc.SetROP2(op.rop);
      dc.SetPenColor(op.color);
      dc.MoveToEx(op.from.x(), op.from.y() - bandTop);
      dc.LineTo(op.to.x(), op.to.y() - bandTop);
      break;
    case Kind::Block:
      dc.StretchBlt(op.target.x, op.target.y - bandTop, op.target.width, op.target.height, op.image, op.source.x,
                    op.source.y, op.source.width, op.source.height, static_cast<quint32>(op.rop));
      break;
  }
}

}  // namespace quorvane::help
