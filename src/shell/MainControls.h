#pragma once

#include <QRect>
#include <QString>
#include <functional>
#include <memory>

class QTimer;
class QWidget;

namespace quorvane {

class PictureBox;

// The custom controls of the main window behind one small interface: the toolbar, the
// tab strip, the status bar and the focus chaser, each drawn on a picture box the window
// hands over. The window talks to them only through these calls and callbacks.
class MainControls {
 public:
  struct Events {
    std::function<void(int id)> buttonClick;  // a toolbar button was clicked
    std::function<void()> tabChanged;         // the user picked another tab
    std::function<void()> changeFocus;        // the focus moved to another control
  };

  MainControls(QWidget* form, Events events);
  ~MainControls();

  void attachStatusBar(PictureBox* picture5);
  void setStatusText(const QString& text);
  QString statusText() const;

  // The six buttons and three separators of the program's toolbar.
  void attachToolBar(PictureBox* picture4, PictureBox* picture6, QTimer* timer);
  int toolbarHeight() const;  // pixels
  void setToolbarVisible(bool visible);
  void setToolbarEnabled(int id, bool enabled);
  bool toolbarEnabled(int id) const;

  // The two tabs of the main window.
  void attachTabStrip(PictureBox* picture2);
  QRect tabClientArea() const;  // in the coordinates of the tab strip's parent, pixels
  int selectedIndex() const;
  void setSelectedIndex(int index);  // by program: no tabChanged
  void clickTab(int index);          // as the user: tabChanged when it changes

  void createFocusChaser(QTimer* timer);
  void setFocusChaserHook(bool on);
  QWidget* activeControl();
  QWidget* lastActiveControl();

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};

}  // namespace quorvane
