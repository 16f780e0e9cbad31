#pragma once

#include <QtGlobal>

// Raster operations on 24-bit RGB pixel values, evaluated bit by bit exactly as the
// ternary (pattern, source, destination) and binary (pen, destination) truth tables say.
namespace quorvane::raster {

// Ternary raster operation codes the controls use (the high byte of the low 24 bits is
// the truth table; the rest is the classic encoding and is ignored here).
constexpr quint32 SRCCOPY = 0x00CC0020;     // S
constexpr quint32 SRCAND = 0x008800C6;      // S and D
constexpr quint32 SRCINVERT = 0x00660046;   // S xor D
constexpr quint32 DSNA = 0x00220326;        // D and not S
constexpr quint32 MERGEPAINT = 0x00BB0226;  // D or not S
constexpr quint32 PSO = 0x00FC008A;         // P or S
constexpr quint32 PATCOPY = 0x00F00021;     // P
constexpr quint32 BLACKNESS = 0x00000042;
constexpr quint32 WHITENESS = 0x00FF0062;

// Binary raster operations (draw modes) 1..16.
constexpr int R2_BLACK = 1;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_COPYPEN = 13;
constexpr int R2_WHITE = 16;

// True when the operation reads the source / the pattern / the destination.
bool ropUsesSource(quint32 rop);
bool ropUsesPattern(quint32 rop);

// Applies a ternary operation to RGB values (bits above 24 are ignored and returned 0).
inline quint32 applyRop3(quint32 rop, quint32 p, quint32 s, quint32 d) {
  const quint32 table = (rop >> 16) & 0xFF;
  quint32 out = 0;
  for (int i = 0; i < 8; ++i) {
    if ((table & (1u << i)) == 0) continue;
    const quint32 pm = (i & 4) ? p : ~p;
    const quint32 sm = (i & 2) ? s : ~s;
    const quint32 dm = (i & 1) ? d : ~d;
    out |= pm & sm & dm;
  }
  return out & 0x00FFFFFFu;
}

// Applies a binary operation (1..16; other values act as copy pen) to RGB values.
inline quint32 applyRop2(int mode, quint32 pen, quint32 d) {
  if (mode < 1 || mode > 16) mode = R2_COPYPEN;
  const quint32 table = static_cast<quint32>(mode - 1);
  quint32 out = 0;
  for (int i = 0; i < 4; ++i) {
    if ((table & (1u << i)) == 0) continue;
    out |= ((i & 2) ? pen : ~pen) & ((i & 1) ? d : ~d);
  }
  return out & 0x00FFFFFFu;
}

}  // namespace quorvane::raster
