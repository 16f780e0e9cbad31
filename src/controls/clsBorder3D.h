#pragma once

#include "controls/picture_box.h"
#include "controls/system_colors.h"

#include <QPointer>
#include <QWidget>

namespace quorvane {

// Draws a three-dimensional frame onto a drawing surface: either rings of one-pixel lines
// in two colours (the bevel styles) or the thin button edges of DrawEdge. It keeps no
// pixels; every Draw paints the frame again from the current properties.
//
// Style3D: 0 nothing; 4 the Client's rectangle on the Canvas, grown outward; 5 the whole
// Client surface; 6 an etched frame around Left/Top/Width/Height; 7 Left/Top/Width/Height
// grown outward; 8 Left/Top/Width/Height; 10/11 the whole Canvas raised/sunken thin edge;
// 12/13 Left/Top/Width/Height raised/sunken thin edge. 1, 2, 3 and 9 only adopt the
// Client's container as the Canvas. Geometry is in twips.
class clsBorder3D {
 public:
  enum Bevel { None = 0, Inset = 1, Raised = 2 };

  clsBorder3D();

  QWidget* Client() const { return m_client; }
  void setClient(QWidget* client) { m_client = client; }
  PictureBox* Canvas() const { return m_canvas; }
  void setCanvas(PictureBox* canvas) { m_canvas = canvas; }

  int Style3D() const { return m_style3D; }
  void setStyle3D(int style) { m_style3D = style; }
  // Values outside 0..2 are ignored.
  int BevelInner() const { return m_bevelInner; }
  void setBevelInner(int value);
  int BevelOuter() const { return m_bevelOuter; }
  void setBevelOuter(int value);
  // Negative values are ignored by these setters.
  int BevelWidth() const { return m_bevelWidth; }
  void setBevelWidth(int pixels);
  int BorderWidth() const { return m_borderWidth; }
  void setBorderWidth(int pixels);
  int Left() const { return m_left; }
  void setLeft(int twips);
  int Top() const { return m_top; }
  void setTop(int twips);
  int Width() const { return m_width; }
  void setWidth(int twips);
  int Height() const { return m_height; }
  void setHeight(int twips);

  OleColor Highlight() const { return m_highlight; }
  void setHighlight(OleColor color) { m_highlight = color; }
  OleColor Shadow() const { return m_shadow; }
  void setShadow(OleColor color) { m_shadow = color; }
  OleColor Background() const { return m_background; }
  void setBackground(OleColor color) { m_background = color; }
  bool ActOnNone() const { return m_actOnNone; }
  void setActOnNone(bool on) { m_actOnNone = on; }
  // 0: compose the thin button edges from several DrawEdge calls; non-zero: one call.
  void setDrawEdgeStyle(int style) { m_drawEdgeStyle = style; }
  int DrawEdgeStyle() const { return m_drawEdgeStyle; }

  int TwipsPerPixelX() const { return m_tppX; }
  int TwipsPerPixelY() const { return m_tppY; }

  void Draw();

 private:
  struct WorkRect {
    double x, y, right, bottom;  // twips; right and bottom name the last pixel, inclusive
  };
  void drawBevelPair(int style);
  void drawBevel(const WorkRect& r, int bevel);
  void drawEtched();
  void drawThinEdge(bool raised, bool wholeCanvas);
  void adoptContainer();

  int m_tppX;
  int m_tppY;
  QPointer<QWidget> m_client;
  QPointer<PictureBox> m_canvas;
  int m_style3D = 0;
  int m_bevelInner = None;
  int m_bevelOuter = Raised;
  int m_bevelWidth = 1;
  int m_borderWidth = 1;
  int m_left = 0;
  int m_top = 0;
  int m_width = 0;
  int m_height = 0;
  OleColor m_highlight = systemColorValue(SysColor::ButtonHighlight);
  OleColor m_shadow = systemColorValue(SysColor::ButtonShadow);
  OleColor m_background = systemColorValue(SysColor::ButtonFace);
  bool m_actOnNone = false;
  int m_drawEdgeStyle = 0;
};

}  // namespace quorvane
