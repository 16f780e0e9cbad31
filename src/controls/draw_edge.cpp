// DrawEdge for the classic (non-flat, non-mono) look. The edge type selects up to four
// colours: top-left and bottom-right of an outer ring on the rectangle's border pixels and
// of an inner ring one pixel inside. A lone inner edge is drawn in the outer position,
// and an edge that asks for both raised and sunken in one ring drops that ring, as the
// classic implementation does.
#include "controls/device_context.h"

#include <array>

namespace quorvane {

namespace {

constexpr int kNone = -1;
using S = std::array<int, 16>;
// Indexed by edge & 0xF (inner bits 2..3 select the row, outer bits 0..1 the column).
constexpr S kTopLeftInner = {kNone, kNone, kNone, kNone, kNone, 20, 20, kNone,
                             kNone, 21,    21,    kNone, kNone, kNone, kNone, kNone};
constexpr S kTopLeftOuter = {kNone, 22, 16, kNone, 20, 22, 16, kNone, 21, 22, 16, kNone, kNone, 22, 16, kNone};
constexpr S kBottomRightInner = {kNone, kNone, kNone, kNone, kNone, 16, 16, kNone,
                                 kNone, 22,    22,    kNone, kNone, kNone, kNone, kNone};
constexpr S kBottomRightOuter = {kNone, 21, 20, kNone, 16, 21, 20, kNone, 22, 21, 20, kNone, kNone, 21, 20, kNone};

}  // namespace

bool DeviceContext::DrawEdge(const GdiRect& rc, int edge, int flags) {
  // The sides step one and two pixels in; keep that arithmetic far from overflow.
  constexpr int kLimit = 1 << 28;
  for (int v : {rc.left, rc.top, rc.right, rc.bottom})
    if (v < -kLimit || v > kLimit) return false;
  const int index = edge & 0xF;
  const int tlOuter = kTopLeftOuter[index], tlInner = kTopLeftInner[index];
  const int brOuter = kBottomRightOuter[index], brInner = kBottomRightInner[index];
  const bool left = flags & Edge::Left, top = flags & Edge::Top;
  const bool right = flags & Edge::Right, bottom = flags & Edge::Bottom;
  // Where two inner sides meet, the later one starts one pixel in so it does not cover
  // the outer ring's corner.
  const int ltPlus = (top && left) ? 1 : 0;
  const int rtPlus = (top && right) ? 1 : 0;
  const int lbPlus = (bottom && left) ? 1 : 0;
  const int rbPlus = (bottom && right) ? 1 : 0;
  const OleColor savedPen = m_pen;
  const int savedRop = m_rop2;
  m_rop2 = 13;
  auto line = [this](int color, int x0, int y0, int x1, int y1) {
    m_pen = systemColorValue(color);
    drawPenLine(x0, y0, x1, y1);
  };
  if (tlOuter != kNone) {
    if (top) line(tlOuter, rc.left, rc.top, rc.right, rc.top);
    if (left) line(tlOuter, rc.left, rc.top, rc.left, rc.bottom);
  }
  if (brOuter != kNone) {
    if (bottom) line(brOuter, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1);
    if (right) line(brOuter, rc.right - 1, rc.top, rc.right - 1, rc.bottom);
  }
  if (tlInner != kNone) {
    if (top) line(tlInner, rc.left + ltPlus, rc.top + 1, rc.right - rtPlus, rc.top + 1);
    if (left) line(tlInner, rc.left + 1, rc.top + ltPlus, rc.left + 1, rc.bottom - lbPlus);
  }
  if (brInner != kNone) {
    if (bottom) line(brInner, rc.left + lbPlus, rc.bottom - 2, rc.right - rbPlus, rc.bottom - 2);
    if (right) line(brInner, rc.right - 2, rc.top + rtPlus, rc.right - 2, rc.bottom - rbPlus);
  }
  m_pen = savedPen;
  m_rop2 = savedRop;
  notify();
  return true;
}

}  // namespace quorvane
