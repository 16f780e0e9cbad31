#include "dialogs/progress_bar.h"

#include <algorithm>
#include <cmath>

#include "controls/picture_box.h"
#include "controls/raster_ops.h"

namespace quorvane::progressBar {

namespace {

constexpr OleColor kWhite = rgbColor(255, 255, 255);
constexpr OleColor kNavy = rgbColor(0, 0, 128);

// NaN and values outside 0..1 would make the integer conversions undefined or absurd.
double clampedFraction(float fraction) {
  if (std::isnan(fraction)) return 0.0;
  return std::clamp(static_cast<double>(fraction), 0.0, 1.0);
}

}  // namespace

int percent(float fraction, bool completed) {
  const int p = static_cast<int>(clampedFraction(fraction) * 100.0 + 0.5);
  if (!completed && p == 100) return 99;
  if (!completed && p == 0) return 1;
  return p;
}

QString label(float fraction, bool completed) {
  return QString::number(percent(fraction, completed)) + u'%';
}

int filledWidth(float fraction, int width) {
  if (width <= 0) return 0;
  return static_cast<int>(clampedFraction(fraction) * width);
}

void draw(PictureBox& surface, float fraction, bool completed) {
  surface.setScaleMode(ScaleUnit::Pixels);
  surface.setBackColor(kWhite);
  surface.Cls();
  const QString text = label(fraction, completed);
  const int width = surface.width();
  const int height = surface.height();
  const int textWidth = static_cast<int>(surface.TextWidth(text));
  const int textHeight = static_cast<int>(surface.TextHeight(text));
  const int left = (width - textWidth) / 2;
  const int top = (height - textHeight) / 2;
  DeviceContext& dc = surface.hDC();
  dc.PaintRect(GdiRect{left, top, left + textWidth, top + textHeight}, kWhite);
  surface.setForeColor(kNavy);
  surface.setCurrentX(left);
  surface.setCurrentY(top);
  surface.Print(text);
  // Not-xor with the navy pen turns white into navy and the navy text into white, so the
  // percentage stays readable where the bar has passed. Over an empty bar nothing changes.
  const int filled = filledWidth(fraction, width);
  if (filled > 0) {
    const int previous = dc.SetROP2(raster::R2_NOTXORPEN);
    dc.PaintRect(GdiRect{0, 0, filled, height}, kNavy);
    dc.SetROP2(previous);
  }
  surface.Refresh();
}

}  // namespace quorvane::progressBar
