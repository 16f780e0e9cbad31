#pragma once

#include <QWidget>

namespace quorvane {

// A horizontal separator line with the etched look: the line in the button-shadow colour
// and, one border width below it, a white line reaching one pixel further to the right.
class EtchedLine : public QWidget {
  Q_OBJECT
 public:
  explicit EtchedLine(QWidget* parent = nullptr);

  // Places the line from (x1, y) to (x2, y) in the container's pixels.
  void setLine(int x1, int y, int x2);
  int borderWidth() const { return 1; }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace quorvane
