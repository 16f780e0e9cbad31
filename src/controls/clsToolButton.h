#pragma once

#include "controls/picture_box.h"

#include <QImage>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

namespace quorvane {

class clsBitMapEx;
class clsBorder3D;
class clsToolBar;

// One picture button of the toolbar: a rectangle on the toolbar's surface that knows its
// picture, its pressed/hot/checked state and how to paint itself in each state. It has no
// window; the toolbar places it, routes the mouse to it and raises the click.
class clsToolButton {
 public:
  // What a click does to Value: push button (reset), toggle, check button (also dithered
  // while down), or nothing.
  enum ModeKind { Push = 0, Toggle = 1, Check = 2, Untouched = 3 };
  enum class BorderLook { Raised, Sunken, None };
  // The look for one state: border, dither, image style 0..4.
  struct Look {
    BorderLook border = BorderLook::Raised;
    bool dither = false;
    int image = 0;
    bool operator==(const Look&) const = default;
  };

  clsToolButton();
  ~clsToolButton();
  clsToolButton(const clsToolButton&) = delete;
  clsToolButton& operator=(const clsToolButton&) = delete;

  bool Enabled() const { return m_enabled; }
  void setEnabled(bool on);  // repaints
  int Mode() const { return m_mode; }
  void setMode(int mode);  // 0..3; other values are ignored
  const QString& ToolTipText() const { return m_toolTipText; }
  void setToolTipText(const QString& text) { m_toolTipText = text; }
  bool Value() const { return m_value; }
  bool Visible() const { return m_visible; }
  int Height() const { return m_height; }
  int Width() const { return m_width; }
  int Left() const { return m_left; }
  int Top() const { return m_top; }
  bool pressed() const { return m_pressed; }
  bool hot() const { return m_hot; }

  // The look of a state: `hot` selects the hover table, otherwise the classic one.
  static Look lookFor(bool hot, bool check, bool enabled, bool value, bool pressed, bool coolBar);

 private:
  friend class clsToolBar;

  // Operations of the toolbar.
  void setValue(bool on);
  void setVisible(bool on) { m_visible = on; }
  void setLeft(int twips);
  void setTop(int twips);
  void SetPicture(const QImage& picture);
  void SetCanvas(PictureBox* canvas);
  void SetWorkCanvas(PictureBox* canvas);
  void SetPatternBrush(const QImage& brush) { m_patternBrush = brush; }
  void SetBorder(clsBorder3D* border) { m_border = border; }
  void SetCoolBar(bool on);
  void SaveBackground();
  bool HitTest(double x, double y) const;
  void Press();
  // Hot follows the mouse in cool-bar mode; no position means the mouse has left.
  void Track(std::optional<double> x, std::optional<double> y);
  void Release();
  void Refresh() { Paint(false); }
  void Paint(bool keep);

  QRect pixelRect() const;
  void drawImage(int style, bool sunken);

  bool m_coolBar = false;
  int m_mode = Push;
  bool m_enabled = true;
  bool m_value = false;
  bool m_visible = true;
  bool m_pressed = false;
  bool m_hot = false;
  QString m_toolTipText;
  QPointer<PictureBox> m_canvas;
  QPointer<PictureBox> m_workCanvas;
  int m_left = 0;
  int m_top = 0;
  int m_width = 0;
  int m_height = 0;
  QImage m_patternBrush;
  std::unique_ptr<clsBitMapEx> m_picture;
  QImage m_background;
  clsBorder3D* m_border = nullptr;
};

}  // namespace quorvane
