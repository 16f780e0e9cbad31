#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "controls/device_context.h"

class QPainter;

namespace quorvane::help {

// A help page as the drawing operations that made it, filed by horizontal bands. A page
// of a long topic is tens of thousands of pixels high; as one image it would take
// hundreds of megabytes and most of a second just to clear. Showing a part draws only the
// operations of the bands in that part; the bands last shown are kept as images until
// something new is drawn on them. Coordinates are pixels of the page.
class PageDrawing {
 public:
  static constexpr int kBandHeight = 256;
  static constexpr std::size_t kCachedBands = 16;

  // Operations reaching below `heightLimit` pixels are not kept: the page is never shown
  // taller, and the band index stays bounded whatever a help file asks for.
  explicit PageDrawing(int heightLimit);

  // Forgets every operation; the page shows `background` until drawn on.
  void clear(QRgb background);
  QRgb background() const { return m_background; }

  // Registers a font for the texts that follow; returns its number.
  int addFont(const QFont& font);
  // Text in font number `font` with its baseline at `origin`; `top` and `bottom` bound
  // the line it is on.
  void addText(QPoint origin, int top, int bottom, int font, QRgb color, const QString& text);
  // A filled rectangle combined by a binary raster operation, as the device context's PaintRect.
  void addRect(const GdiRect& rect, OleColor color, int rop2);
  // A pen line without its end point, as the device context's LineTo.
  void addLine(QPoint from, QPoint to, OleColor color, int rop2);
  // A block copy from `source` (stretched when the sizes differ), as the device context's
  // StretchBlt with the same arguments.
  struct Block {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
  };
  void addBlock(const Block& target, const QImage& source, const Block& sourceBlock, quint32 rop);

  // Paints the part `area` of a page `width` pixels wide; the painter is in page coordinates.
  void paint(QPainter& painter, const QRect& area, int width);

  std::size_t operationCount() const { return m_operations.size(); }
  std::size_t cachedBandCount() const { return m_cache.size(); }

 private:
  enum class Kind : std::uint8_t { Text, Rect, Line, Block };
  struct Operation {
    Kind kind = Kind::Text;
    int rop = 0;
    quint32 color = 0;  // QRgb for text, OleColor for the others
    int font = -1;
    QPoint from;
    QPoint to;
    GdiRect rect;
    Block target;
    Block source;
    QString text;
    QImage image;
  };
  struct CachedBand {
    int index = 0;
    int width = 0;
    std::uint64_t lastUse = 0;
    QImage image;
  };

  void file(Operation&& op, long long top, long long bottom);
  const QImage& band(int index, int width);
  void renderBand(QImage& image, int index) const;
  void replay(const Operation& op, QPainter& painter, DeviceContext& dc, int bandTop, int& fontInUse) const;
  void dropCached(int index);

  int m_heightLimit;
  QRgb m_background = 0xFFFFFFFF;
  std::vector<QFont> m_fonts;
  std::vector<Operation> m_operations;
  std::vector<std::vector<std::uint32_t>> m_bands;  // operation indices, in drawing order
  std::vector<CachedBand> m_cache;
  std::uint64_t m_useCounter = 0;
};

}  // namespace quorvane::help
