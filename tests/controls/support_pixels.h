#pragma once

#include "controls/system_colors.h"

#include <QImage>
#include <QString>

#include <string>

// Pixel helpers for the control tests.
namespace quorvane::testing {

constexpr OleColor kFace = rgbColor(192, 192, 192);
constexpr OleColor kShadow = rgbColor(128, 128, 128);
constexpr OleColor kWhite = rgbColor(255, 255, 255);
constexpr OleColor kBlack = 0;

// The pixel as 0x00BBGGRR.
OleColor pixelAt(const QImage& image, int x, int y);
// Describes the pixels of one row or column segment as colour names, for readable failures.
std::string rowString(const QImage& image, int y, int x0, int x1);
std::string columnString(const QImage& image, int x, int y0, int y1);
// True when every pixel of [x0, x1) x [y0, y1) has the colour.
bool allPixels(const QImage& image, int x0, int y0, int x1, int y1, OleColor color);
// A solid image of the given size.
QImage solidImage(int width, int height, OleColor color);

}  // namespace quorvane::testing
