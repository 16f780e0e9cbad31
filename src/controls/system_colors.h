#pragma once

#include <QColor>
#include <QtGlobal>

// Colour values as the controls store them: 32-bit, red in the lowest byte, then green,
// then blue; a value with the top bit set names a system colour by its low byte
// (0x80000014 is system colour 20, button highlight) and is resolved only when painted.
namespace quorvane {

using OleColor = quint32;

// System colour numbers the controls use.
namespace SysColor {
constexpr int Window = 5;
constexpr int WindowText = 8;
constexpr int Highlight = 13;
constexpr int HighlightText = 14;
constexpr int ButtonFace = 15;
constexpr int ButtonShadow = 16;
constexpr int GrayText = 17;
constexpr int ButtonText = 18;
constexpr int ButtonHighlight = 20;
constexpr int DarkShadow = 21;
constexpr int Light = 22;
}  // namespace SysColor

// The colour value that names system colour `index` (0x80000000 | index).
constexpr OleColor systemColorValue(int index) { return 0x80000000u | static_cast<quint32>(index & 0xFF); }
constexpr bool isSystemColor(OleColor value) { return (value & 0x80000000u) != 0; }
constexpr OleColor rgbColor(int r, int g, int b) {
  return static_cast<quint32>(r & 0xFF) | (static_cast<quint32>(g & 0xFF) << 8) |
         (static_cast<quint32>(b & 0xFF) << 16);
}

// Where system colours come from. Application: the QApplication palette (the look the
// user chose); Classic: the fixed values of the classic 3D scheme (button face 192 grey,
// shadow 128 grey, highlight white, dark shadow black), which tests and the gallery use
// for reproducible pixels. Classic values are also the fallback when no application
// palette exists or a number has no palette role.
enum class SystemColorSource { Application, Classic };
void setSystemColorSource(SystemColorSource source);
SystemColorSource systemColorSource();

// GetSysColor: the system colour as a plain RGB value (0x00BBGGRR).
OleColor GetSysColor(int index);
// The classic value of a system colour (0x00BBGGRR), black for unknown numbers.
OleColor classicSysColor(int index);

// Resolves a stored colour value to a plain RGB value (0x00BBGGRR).
OleColor resolveOleColor(OleColor value);
// Resolves a stored colour value to a QColor / a 0xffRRGGBB pixel.
QColor toQColor(OleColor value);
QRgb toQRgb(OleColor value);
// A pixel (alpha ignored) as a plain RGB colour value.
OleColor fromQRgb(QRgb pixel);

}  // namespace quorvane
