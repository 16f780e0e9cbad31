#pragma once

#include <QWidget>

namespace quorvane {

// A horizontal separator with the etched look: a line in the button-shadow colour and,
// one pixel below it, a white line reaching one pixel further to the right. Placed by
// setLine, or by a layout (it keeps a fixed height and takes the width it is given).
class EtchedLine : public QWidget {
  Q_OBJECT
 public:
  explicit EtchedLine(QWidget* parent = nullptr);

  // Places the line from (x1, y) to (x2, y) in the container's pixels.
  void setLine(int x1, int y, int x2);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace quorvane
