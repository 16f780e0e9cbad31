#include "controls/system_colors.h"

#include <QApplication>
#include <QPalette>

#include <array>
#include <optional>

namespace quorvane {

namespace {

SystemColorSource g_source = SystemColorSource::Application;

// The classic scheme's values for system colours 0..24, as RGB triples.
constexpr std::array<OleColor, 25> kClassic = {
    rgbColor(192, 192, 192),  // 0 scroll bar
    rgbColor(0, 128, 128),    // 1 desktop
    rgbColor(0, 0, 128),      // 2 active caption
    rgbColor(128, 128, 128),  // 3 inactive caption
    rgbColor(192, 192, 192),  // 4 menu
    rgbColor(255, 255, 255),  // 5 window
    rgbColor(0, 0, 0),        // 6 window frame
    rgbColor(0, 0, 0),        // 7 menu text
    rgbColor(0, 0, 0),        // 8 window text
    rgbColor(255, 255, 255),  // 9 caption text
    rgbColor(192, 192, 192),  // 10 active border
    rgbColor(192, 192, 192),  // 11 inactive border
    rgbColor(128, 128, 128),  // 12 application workspace
    rgbColor(0, 0, 128),      // 13 highlight
    rgbColor(255, 255, 255),  // 14 highlight text
    rgbColor(192, 192, 192),  // 15 button face
    rgbColor(128, 128, 128),  // 16 button shadow
    rgbColor(128, 128, 128),  // 17 grey text
    rgbColor(0, 0, 0),        // 18 button text
    rgbColor(192, 192, 192),  // 19 inactive caption text
    rgbColor(255, 255, 255),  // 20 button highlight
    rgbColor(0, 0, 0),        // 21 3D dark shadow
    rgbColor(192, 192, 192),  // 22 3D light
    rgbColor(0, 0, 0),        // 23 tooltip text
    rgbColor(255, 255, 225),  // 24 tooltip background
};

std::optional<QColor> paletteColor(const QPalette& p, int index) {
  switch (index) {
    case 4: case 15: case 0: case 10: case 11: return p.color(QPalette::Active, QPalette::Button);
    case 5: return p.color(QPalette::Active, QPalette::Base);
    case 7: case 8: return p.color(QPalette::Active, QPalette::WindowText);
    case 13: return p.color(QPalette::Active, QPalette::Highlight);
    case 14: return p.color(QPalette::Active, QPalette::HighlightedText);
    case 16: return p.color(QPalette::Active, QPalette::Dark);
    case 17: return p.color(QPalette::Disabled, QPalette::Text);
    case 18: return p.color(QPalette::Active, QPalette::ButtonText);
    case 20: return p.color(QPalette::Active, QPalette::Light);
    case 21: return p.color(QPalette::Active, QPalette::Shadow);
    case 22: return p.color(QPalette::Active, QPalette::Midlight);
    case 23: return p.color(QPalette::Active, QPalette::ToolTipText);
    case 24: return p.color(QPalette::Active, QPalette::ToolTipBase);
    default: return std::nullopt;
  }
}

}  // namespace

void setSystemColorSource(SystemColorSource source) { g_source = source; }
SystemColorSource systemColorSource() { return g_source; }

OleColor classicSysColor(int index) {
  if (index < 0 || index >= static_cast<int>(kClassic.size())) return 0;
  return kClassic[static_cast<std::size_t>(index)];
}

OleColor GetSysColor(int index) {
  if (g_source == SystemColorSource::Application && qobject_cast<QApplication*>(QCoreApplication::instance())) {
    if (const auto c = paletteColor(QApplication::palette(), index))
      return rgbColor(c->red(), c->green(), c->blue());
  }
  return classicSysColor(index);
}

OleColor resolveOleColor(OleColor value) {
  if (isSystemColor(value)) return GetSysColor(static_cast<int>(value & 0xFF));
  return value & 0x00FFFFFFu;
}

QRgb toQRgb(OleColor value) {
  const OleColor rgb = resolveOleColor(value);
  return qRgb(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
              static_cast<int>((rgb >> 16) & 0xFF));
}

QColor toQColor(OleColor value) { return QColor(toQRgb(value)); }

OleColor fromQRgb(QRgb pixel) { return rgbColor(qRed(pixel), qGreen(pixel), qBlue(pixel)); }

}  // namespace quorvane
