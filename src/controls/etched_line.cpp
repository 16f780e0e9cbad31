#include "controls/etched_line.h"

#include <QPainter>

#include "controls/system_colors.h"

namespace quorvane {

namespace {
constexpr int kHeight = 2;  // the shadow line and the white line under it
}

EtchedLine::EtchedLine(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setFixedHeight(kHeight);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void EtchedLine::setLine(int x1, int y, int x2) {
  // Room for the white line's extra pixel on the right.
  setGeometry(x1, y, x2 - x1 + 2, kHeight);
}

void EtchedLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int end = width() - 1;
  painter.setPen(toQColor(systemColorValue(SysColor::ButtonShadow)));
  painter.drawLine(0, 0, end - 1, 0);
  painter.setPen(Qt::white);
  painter.drawLine(0, 1, end, 1);
}

}  // namespace quorvane
