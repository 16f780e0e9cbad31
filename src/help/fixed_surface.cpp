#include "help/fixed_surface.h"

#include <algorithm>
#include <cmath>

#include "common/sjis.h"
#include "common/utf8.h"

namespace quorvane::help {

FixedMetricsSurface::FixedMetricsSurface(Twips width, Twips height, int twipsPerPixel)
    : m_width(clampTwips(width)), m_height(clampTwips(height)),
      m_tpp(std::max(1, twipsPerPixel)) {}

Twips FixedMetricsSurface::clampTwips(long long value) {
  return static_cast<Twips>(std::clamp<long long>(value, -kMaxTwips, kMaxTwips));
}

void FixedMetricsSurface::setWidth(Twips width) { m_width = clampTwips(std::max(0, width)); }
void FixedMetricsSurface::setHeight(Twips height) { m_height = clampTwips(std::max(0, height)); }

Twips FixedMetricsSurface::lineHeight() const {
  return std::max<Twips>(1, static_cast<Twips>(std::lround(std::max(0.0, m_font.points) * 25)));
}

Twips FixedMetricsSurface::textWidth(std::string_view utf8) {
  const double points = std::max(0.0, m_font.points);
  long long widest = 0, width = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t c = utf8::next(utf8, pos);
    if (c == U'\r') continue;
    if (c == U'\n') {
      widest = std::max(widest, width);
      width = 0;
      continue;
    }
    width += std::lround(points * (sjis::isSingleByteCodePoint(c) ? 10 : 20));
  }
  return clampTwips(std::max(widest, width));
}

Twips FixedMetricsSurface::textHeight(std::string_view utf8) {
  const long long lines = 1 + std::count(utf8.begin(), utf8.end(), '\n');
  return clampTwips(lines * lineHeight());
}

void FixedMetricsSurface::record(DrawOp op) {
  if (m_recording) m_ops.push_back(std::move(op));
}

void FixedMetricsSurface::print(std::string_view utf8) {
  std::size_t start = 0;
  while (true) {
    const std::size_t lf = utf8.find('\n', start);
    std::string_view piece = utf8.substr(start, lf == std::string_view::npos ? lf : lf - start);
    if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
    if (!piece.empty()) {
      record({DrawOp::Kind::Text, m_x, m_y, 0, 0, std::string(piece), m_fore, m_font});
      m_x = clampTwips(static_cast<long long>(m_x) + textWidth(piece));
    }
    if (lf == std::string_view::npos) break;
    lineEnd();
    start = lf + 1;
  }
}

void FixedMetricsSurface::lineEnd() {
  m_x = 0;
  m_y = clampTwips(static_cast<long long>(m_y) + lineHeight());
}

void FixedMetricsSurface::cls() {
  record({DrawOp::Kind::Clear, 0, 0, 0, 0, {}, m_back, m_font});
  m_x = 0;
  m_y = 0;
}

void FixedMetricsSurface::drawLine(Twips x1, Twips y1, Twips x2, Twips y2, Color color) {
  record({DrawOp::Kind::Line, x1, y1, x2, y2, {}, color, m_font});
}

void FixedMetricsSurface::drawBox(Twips x, Twips y, Twips width, Twips height, Color color) {
  record({DrawOp::Kind::Box, x, y, clampTwips(static_cast<long long>(x) + width),
          clampTwips(static_cast<long long>(y) + height), {}, color, m_font});
}

bool FixedMetricsSurface::loadPicture(const std::string& path) {
  if (!m_probe) return false;
  const auto size = m_probe(path);
  if (!size) return false;
  setWidth(clampTwips(static_cast<long long>(size->first) * m_tpp));
  setHeight(clampTwips(static_cast<long long>(size->second) * m_tpp));
  return true;
}

void FixedMetricsSurface::stretchFrom(const HelpSurface&, int x, int y, int width, int height,
                                      int srcX, int srcY, int srcWidth, int srcHeight) {
  DrawOp op{DrawOp::Kind::Copy, x, y, width, height, {}, 0, m_font};
  op.text = std::to_string(srcX) + "," + std::to_string(srcY) + "," + std::to_string(srcWidth) +
            "," + std::to_string(srcHeight);
  record(std::move(op));
}

}  // namespace quorvane::help
