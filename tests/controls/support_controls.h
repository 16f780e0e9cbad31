#pragma once
// Pixel and mouse helpers for the control tests.
#include "controls/picture_box.h"
#include "controls/resources.h"
#include "controls/system_colors.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace quorvane::testing {

constexpr OleColor kFace = rgbColor(192, 192, 192);
constexpr OleColor kShadow = rgbColor(128, 128, 128);
constexpr OleColor kWhite = rgbColor(255, 255, 255);
constexpr OleColor kBlack = 0;

// The pixel as 0x00BBGGRR.
inline OleColor pixelAt(const QImage& image, int x, int y) { return fromQRgb(image.pixel(x, y)); }

// A row or column segment as colour letters (F face, S shadow, W white, K black, else <BBGGRR>), so a
// failure shows the picture.
inline std::string pixelString(const QImage& image, bool row, int at, int from, int to) {
  std::string s;
  for (int i = from; i < to; ++i) {
    const OleColor c = row ? pixelAt(image, i, at) : pixelAt(image, at, i);
    char buf[16];
    std::snprintf(buf, sizeof buf, "<%06X>", static_cast<unsigned>(c));
    s += c == kFace ? "F" : c == kShadow ? "S" : c == kWhite ? "W" : c == kBlack ? "K" : buf;
  }
  return s;
}
inline std::string rowString(const QImage& i, int y, int x0, int x1) { return pixelString(i, true, y, x0, x1); }

// True when every pixel of [x0, x1) x [y0, y1) has the colour.
inline bool allPixels(const QImage& image, int x0, int y0, int x1, int y1, OleColor color) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (pixelAt(image, x, y) != color) return false;
  return true;
}

// Sends one mouse event to a widget, with an explicit button state.
inline void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                      QPoint pos) {
  QMouseEvent e(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &e);
}
inline void clickAt(QWidget* widget, QPoint pos) {
  sendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, pos);
  sendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, pos);
}

}  // namespace quorvane::testing
