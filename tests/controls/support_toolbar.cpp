#include "support_toolbar.h"

#include "controls/resources.h"

#include <QApplication>

namespace quorvane::testing {

void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
               QPoint pos) {
  QMouseEvent e(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &e);
}

void clickAt(QWidget* widget, QPoint pos) {
  sendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, pos);
  sendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, pos);
}

ToolbarRig::ToolbarRig(bool coolBar, bool addButtons) {
  form.resize(400, 120);
  canvas = new PictureBox(&form);
  canvas->setGeometry(0, 0, 300, 40);
  work = new PictureBox(&form);
  bar.setAutoWidth(false);
  bar.setDrawEndline(true);
  bar.setCanvas(canvas);
  bar.setWorkCanvas(work);
  bar.setTimerForMouse(&timer);
  bar.setCoolBar(coolBar);
  bar.Initialize();
  if (addButtons) addStandardButtons();
  form.show();
  bar.Show();
}

void ToolbarRig::addStandardButtons() {
  bar.AddButton(LoadResPicture(50), 50, 0, LoadResString(50));
  bar.AddSeparator();
  bar.AddButton(LoadResPicture(40), 40, 0, LoadResString(40));
  bar.AddButton(LoadResPicture(30), 30, 0, LoadResString(30));
  bar.AddButton(LoadResPicture(3), 3, 0, LoadResString(3));
  bar.AddSeparator();
  bar.AddButton(LoadResPicture(41), 41, 0, LoadResString(41));
  bar.AddSeparator();
  bar.AddButton(LoadResPicture(51), 51, 0, LoadResString(51));
}

}  // namespace quorvane::testing
