#include "controls/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <climits>
#include <cmath>

namespace quorvane {

namespace {

constexpr int kClassicTwipsPerPixel = 15;

// Reads one factor from the primary screen; 0 when there is no screen to ask.
int readFactor(bool horizontal) {
  if (QGuiApplication::instance() == nullptr) return 0;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return 0;
  const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
  if (!(dpi > 0.0)) return 0;
  const int factor = roundHalfEven(1440.0 / dpi);
  return factor > 0 ? factor : 1;
}

int cachedFactor(int& cache, bool horizontal) {
  if (cache == 0) cache = readFactor(horizontal);
  return cache != 0 ? cache : kClassicTwipsPerPixel;
}

}  // namespace

int TwipsPerPixelX() {
  static int cache = 0;
  return cachedFactor(cache, true);
}

int TwipsPerPixelY() {
  static int cache = 0;
  return cachedFactor(cache, false);
}

int roundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  const double below = std::floor(value);
  const double fraction = value - below;
  double result = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) result = below + 1.0;
  return static_cast<int>(result);
}

}  // namespace quorvane
