#include "support_pixels.h"

#include <cstdio>

namespace quorvane::testing {

namespace {
std::string nameOf(OleColor c) {
  switch (c) {
    case kFace: return "F";
    case kShadow: return "S";
    case kWhite: return "W";
    case kBlack: return "K";
    default: {
      char buf[16];
      std::snprintf(buf, sizeof buf, "<%06X>", static_cast<unsigned>(c));
      return buf;
    }
  }
}
}  // namespace

OleColor pixelAt(const QImage& image, int x, int y) { return fromQRgb(image.pixel(x, y)); }

std::string rowString(const QImage& image, int y, int x0, int x1) {
  std::string s;
  for (int x = x0; x < x1; ++x) s += nameOf(pixelAt(image, x, y));
  return s;
}

std::string columnString(const QImage& image, int x, int y0, int y1) {
  std::string s;
  for (int y = y0; y < y1; ++y) s += nameOf(pixelAt(image, x, y));
  return s;
}

bool allPixels(const QImage& image, int x0, int y0, int x1, int y1, OleColor color) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (pixelAt(image, x, y) != color) return false;
  return true;
}

QImage solidImage(int width, int height, OleColor color) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(toQRgb(color));
  return img;
}

}  // namespace quorvane::testing
