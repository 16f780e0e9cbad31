#include "about/EtchedSeparator.h"

#include <QPainter>

#include "controls/system_colors.h"

namespace quorvane {

EtchedSeparator::EtchedSeparator(QWidget* parent) : QWidget(parent) {
  setFixedHeight(2);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void EtchedSeparator::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(toQColor(systemColorValue(SysColor::ButtonShadow)));
  p.drawLine(0, 0, width() - 1, 0);
  p.setPen(QColor(255, 255, 255));
  p.drawLine(0, 1, width() - 1, 1);
}

}  // namespace quorvane
