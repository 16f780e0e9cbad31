#include "controls/etched_line.h"

#include <QPainter>

namespace quorvane {

EtchedLine::EtchedLine(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void EtchedLine::setLine(int x1, int y, int x2) {
  // Room for the white line below and its extra pixel on the right.
  setGeometry(x1, y, x2 - x1 + 2, borderWidth() + 1);
}

void EtchedLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int length = width() - 2;
  painter.setPen(palette().color(QPalette::Active, QPalette::Dark));
  painter.drawLine(0, 0, length, 0);
  painter.setPen(Qt::white);
  painter.drawLine(0, borderWidth(), length + 1, borderWidth());
}

}  // namespace quorvane
