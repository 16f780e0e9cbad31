#pragma once

#include "controls/system_colors.h"

#include <QImage>

#include <functional>

namespace quorvane {

// A rectangle as the device-context calls take it: right and bottom are exclusive.
struct GdiRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Edge types and side flags of DrawEdge.
namespace Edge {
constexpr int RaisedOuter = 0x1;
constexpr int SunkenOuter = 0x2;
constexpr int RaisedInner = 0x4;
constexpr int SunkenInner = 0x8;
constexpr int Left = 0x1;
constexpr int Top = 0x2;
constexpr int Right = 0x4;
constexpr int Bottom = 0x8;
constexpr int Rect = 0xF;
}  // namespace Edge

// The sides of a box outline whose corners are (left, top) and (right, bottom), both
// included, as up to four rectangles that cover every outline pixel exactly once (so that
// xor-like raster operations leave no holes). Returns how many of `sides` are used.
int BoxOutline(int left, int top, int right, int bottom, GdiRect (&sides)[4]);

// Returned by GetPixel for a point outside the surface.
constexpr quint32 CLR_INVALID = 0xFFFFFFFFu;

// The device-context side of a drawing surface: pixel-exact block copies with ternary
// raster operations, a selected pattern brush, a pen with a current position and a
// binary raster operation, single pixels and 3D edges. All coordinates are device
// pixels; everything outside the target image is clipped. A pattern brush is an image
// tiled from the target's origin; with none selected the brush is solid white.
class DeviceContext {
 public:
  // `target` must outlive the context; `changed` is called after every drawing call.
  explicit DeviceContext(QImage& target, std::function<void()> changed = {});

  QImage& image() { return *m_target; }
  const QImage& image() const { return *m_target; }

  bool BitBlt(int x, int y, int width, int height, const QImage& source, int sx, int sy, quint32 rop);
  bool BitBlt(int x, int y, int width, int height, const DeviceContext& source, int sx, int sy, quint32 rop);
  // Nearest-pixel stretch of the source rectangle onto the destination rectangle.
  bool StretchBlt(int x, int y, int width, int height, const QImage& source, int sx, int sy, int sourceWidth,
                  int sourceHeight, quint32 rop);
  bool StretchBlt(int x, int y, int width, int height, const DeviceContext& source, int sx, int sy,
                  int sourceWidth, int sourceHeight, quint32 rop);

  // Selects a pattern brush and returns the one selected before (a null image: none).
  QImage SelectBrush(const QImage& brush);
  const QImage& brush() const { return m_brush; }

  bool SetPixelV(int x, int y, OleColor color);
  quint32 GetPixel(int x, int y) const;  // 0x00BBGGRR or CLR_INVALID

  void SetPenColor(OleColor color) { m_pen = color; }
  OleColor penColor() const { return m_pen; }
  // Binary raster operation 1..16 used by the pen and by PaintRect; returns the old one.
  int SetROP2(int mode);
  int rop2() const { return m_rop2; }

  void MoveToEx(int x, int y);
  // Draws from the current position to (x, y) without painting (x, y) itself, then
  // makes (x, y) the current position.
  bool LineTo(int x, int y);
  int currentX() const { return m_posX; }
  int currentY() const { return m_posY; }

  // Fills the rectangle with `color` combined by the current binary raster operation.
  void PaintRect(const GdiRect& rect, OleColor color);

  // The classic 3D edge: `edge` combines the Edge:: types, `flags` the sides.
  bool DrawEdge(const GdiRect& rect, int edge, int flags);

 private:
  void plot(int x, int y, quint32 rgb);
  void notify();
  bool blit(int x, int y, int width, int height, const QImage& source, int sx, int sy, int sourceWidth,
            int sourceHeight, quint32 rop);
  void drawPenLine(int x0, int y0, int x1, int y1);

  QImage* m_target;
  std::function<void()> m_changed;
  QImage m_brush;
  OleColor m_pen = 0;
  int m_rop2 = 13;
  int m_posX = 0;
  int m_posY = 0;
};

}  // namespace quorvane
