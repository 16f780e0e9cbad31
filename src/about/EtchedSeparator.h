#pragma once

#include <QWidget>

namespace quorvane {

// A horizontal etched separator: a line in the button-shadow colour with a white line
// one pixel below it.
class EtchedSeparator : public QWidget {
  Q_OBJECT

 public:
  explicit EtchedSeparator(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace quorvane
