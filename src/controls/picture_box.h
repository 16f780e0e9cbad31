#pragma once

#include "controls/device_context.h"
#include "controls/system_colors.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QPainter;

namespace quorvane {

// Units of a surface's drawing coordinates (the values of the classic ScaleMode).
enum class ScaleUnit { Twips = 1, Pixels = 3 };

// How Line draws: a line without its end point, a box outline including both corners,
// or a filled box.
enum class LineShape { Line, Box, BoxFilled };

// Mouse buttons and shift state as the surface's events report them.
namespace MouseButton { constexpr int Left = 1, Right = 2, Middle = 4; }
namespace ShiftState { constexpr int Shift = 1, Ctrl = 2, Alt = 4; }

// A drawing surface with a persistent backing image. Everything drawn stays in the image
// and is shown from it whenever the widget paints, so nothing is lost when the window is
// covered. Drawing coordinates are in the scale unit (twips or pixels); position and size
// (Left, Top, Width, Height) are in twips, the unit of the surrounding window. The
// device-context calls (hDC) work in pixels.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);
  ~PictureBox() override;

  // --- scale and geometry ---
  ScaleUnit ScaleMode() const { return m_scaleMode; }
  void setScaleMode(ScaleUnit mode) { m_scaleMode = mode; }
  double ScaleWidth() const;
  double ScaleHeight() const;
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void setLeft(int twips);
  void setTop(int twips);
  void setWidth(int twips);
  void setHeight(int twips);
  // Moves (and, when width and height are >= 0, sizes) the surface; twips.
  void Move(int left, int top, int width = -1, int height = -1);

  // Scale units <-> device pixels of this surface.
  int toPixelsX(double value) const;
  int toPixelsY(double value) const;
  double fromPixelsX(int pixels) const;
  double fromPixelsY(int pixels) const;

  // --- drawing state ---
  double CurrentX() const { return m_currentX; }
  double CurrentY() const { return m_currentY; }
  void setCurrentX(double x) { m_currentX = x; }
  void setCurrentY(double y) { m_currentY = y; }
  OleColor ForeColor() const { return m_foreColor; }
  void setForeColor(OleColor color);
  OleColor BackColor() const { return m_backColor; }
  // Stores the colour Cls clears to; the current drawing is kept.
  void setBackColor(OleColor color) { m_backColor = color; }
  // Binary raster operation for Line and PSet: 13 copy pen (default), 10 not-xor pen, ...
  int DrawMode() const { return m_dc.rop2(); }
  void setDrawMode(int mode) { m_dc.SetROP2(mode); }
  // Kept for callers that switch it around drawing; drawing always persists here.
  bool AutoRedraw() const { return m_autoRedraw; }
  void setAutoRedraw(bool on) { m_autoRedraw = on; }

  bool FontBold() const { return font().bold(); }
  bool FontItalic() const { return font().italic(); }
  bool FontUnderline() const { return font().underline(); }
  bool FontStrikethru() const { return font().strikeOut(); }
  double FontSize() const { return font().pointSizeF(); }
  QString FontName() const { return font().family(); }
  void setFontBold(bool on);
  void setFontItalic(bool on);
  void setFontUnderline(bool on);
  void setFontStrikethru(bool on);
  void setFontSize(double points);
  void setFontName(const QString& family);

  // --- pictures ---
  // The background picture: Cls clears to BackColor and then draws it at the origin.
  const QImage& Picture() const { return m_picture; }
  void setPicture(const QImage& picture);
  // A copy of the persistent drawing (what the surface shows).
  QImage Image() const;
  // The persistent drawing itself, read-only, for block copies without a copy.
  const QImage& image() const;
  // When on, setting a picture resizes the surface to the picture's size.
  bool AutoSize() const { return m_autoSize; }
  void setAutoSize(bool on) { m_autoSize = on; }
  // Loads an image file as the picture; an empty name clears the picture. False (and the
  // picture unchanged) when the file cannot be read as an image.
  bool LoadPicture(const QString& fileName);

  // --- drawing ---
  void Cls();
  // Draws text at (CurrentX, CurrentY) in the current font and ForeColor and advances
  // CurrentX by its width; a line break inside the text (CR LF or LF) starts a new line.
  void Print(const QString& text);
  // Print followed by a line end: CurrentX becomes 0, CurrentY advances by one line.
  void PrintLine(const QString& text = QString());
  double TextWidth(const QString& text) const;
  double TextHeight(const QString& text) const;
  // A line from (x1, y1) to (x2, y2) without its end point, or a box with both corners
  // included; no colour means ForeColor. CurrentX/CurrentY become (x2, y2).
  void Line(double x1, double y1, double x2, double y2, std::optional<OleColor> color = std::nullopt,
            LineShape shape = LineShape::Line);
  void PSet(double x, double y, std::optional<OleColor> color = std::nullopt);
  // The colour of a point as 0x00BBGGRR, or -1 outside the surface.
  qint64 Point(double x, double y) const;
  // Shows the current drawing.
  void Refresh();

  // --- drawing kept elsewhere ---
  // Paints the part `area` (pixels) of the surface's drawing; the painter is in surface
  // coordinates.
  using PaintSource = std::function<void(QPainter& painter, const QRect& area)>;
  // A surface far taller than the screen (a long page) keeps its drawing as operations
  // instead of a backing image of its full size. While a source is set, painting, Point,
  // Image and image() ask it, and the surface's own drawing calls and hDC() draw nowhere.
  // An empty source goes back to the backing image (cleared to BackColor).
  void setPaintSource(PaintSource source);
  bool hasPaintSource() const { return static_cast<bool>(m_paintSource); }

  // --- device context (pixels) ---
  DeviceContext& hDC();
  const DeviceContext& hDC() const;

 signals:
  // Raised when the surface needs its drawing made again: first show, resize, palette change.
  void Paint();
  void Resize();
  void MouseDown(int button, int shift, double x, double y);
  void MouseMove(int button, int shift, double x, double y);
  void MouseUp(int button, int shift, double x, double y);
  void Click();
  void DblClick();
  void KeyDown(int keyCode, int shift);
  void KeyUp(int keyCode, int shift);
  void GotFocus();
  void LostFocus();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ensureBacking() const;
  QImage renderSource(const QRect& area) const;
  void printSegment(const QString& text);
  void changeFont(const QFont& f);

  ScaleUnit m_scaleMode = ScaleUnit::Twips;
  double m_currentX = 0;
  double m_currentY = 0;
  OleColor m_foreColor = systemColorValue(SysColor::ButtonText);
  OleColor m_backColor = systemColorValue(SysColor::ButtonFace);
  bool m_autoRedraw = false;
  bool m_autoSize = false;
  bool m_pressedInside = false;
  QImage m_picture;
  PaintSource m_paintSource;
  mutable QImage m_image;
  mutable DeviceContext m_dc;
};

// Windows virtual-key code for a Qt key (letters and digits as their upper-case ASCII
// code, 0 for keys without one), and the shift state of Qt modifiers.
int virtualKeyFromQt(int qtKey);
int shiftStateFromQt(Qt::KeyboardModifiers modifiers);

}  // namespace quorvane
