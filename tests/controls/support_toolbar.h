#pragma once

#include "controls/clsToolBar.h"
#include "controls/picture_box.h"

#include <QMouseEvent>
#include <QWidget>

#include <memory>

namespace quorvane::testing {

// Sends one mouse event to a widget, with an explicit button state.
void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               QPoint pos);
void clickAt(QWidget* widget, QPoint pos);

// A form with the main window's toolbar: buttons 50 | 40 30 3 | 41 | 51, cool bar, end line.
struct ToolbarRig {
  explicit ToolbarRig(bool coolBar = true, bool addButtons = true);
  void addStandardButtons();
  QWidget form;
  PictureBox* canvas;
  PictureBox* work;
  QTimer timer;
  clsToolBar bar;
};

}  // namespace quorvane::testing
