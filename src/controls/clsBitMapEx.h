#pragma once

#include "controls/picture_box.h"
#include "controls/system_colors.h"

#include <QImage>
#include <QPointer>

namespace quorvane {

// One small picture drawn onto a surface in five ways (Draw kinds):
//   0 as it is; 1 transparent (the MaskColor pixels show the background);
//   2 the one-colour silhouette MonoPic; 3 the silhouette, transparent;
//   4 a white silhouette (the light half of the embossed disabled look).
// Set Canvas, SrcPic, then MaskColor and MonoForeColor (setting them to their current
// values builds the mask pictures), then Left/Top whenever the owner moves.
class clsBitMapEx {
 public:
  clsBitMapEx() = default;

  PictureBox* Canvas() const { return m_canvas; }
  // Sets the Canvas and the WorkCanvas.
  void setCanvas(PictureBox* canvas);
  PictureBox* WorkCanvas() const { return m_workCanvas; }
  void setWorkCanvas(PictureBox* canvas) { m_workCanvas = canvas; }

  const QImage& SrcPic() const { return m_srcPic; }
  void setSrcPic(const QImage& picture);
  OleColor MaskColor() const { return m_maskColor; }
  void setMaskColor(OleColor color);
  const QImage& MaskPic() const { return m_maskPic; }
  OleColor MonoForeColor() const { return m_monoForeColor; }
  void setMonoForeColor(OleColor color);
  const QImage& MonoPic() const { return m_monoPic; }
  // The source with every key-colour pixel black.
  const QImage& maskedImage() const { return m_maskedImage; }

  // Position in twips, kept in pixels (rounded to nearest, halves to even).
  int Left() const;
  int Top() const;
  void setLeft(int twips);
  void setTop(int twips);
  int leftPixels() const { return m_left; }
  int topPixels() const { return m_top; }
  // Size of the source picture in twips.
  int Width() const;
  int Height() const;
  int widthPixels() const { return m_srcPic.width(); }
  int heightPixels() const { return m_srcPic.height(); }

  // Draws at (Left + dx, Top + dy) pixels; unknown kinds draw nothing.
  void Draw(int kind, int dx = 0, int dy = 0);

 private:
  QPointer<PictureBox> m_canvas;
  QPointer<PictureBox> m_workCanvas;
  QImage m_srcPic;
  QImage m_maskPic;
  QImage m_monoPic;
  QImage m_maskedImage;
  OleColor m_maskColor = rgbColor(192, 192, 192);
  OleColor m_monoForeColor = rgbColor(128, 128, 128);
  int m_left = 0;
  int m_top = 0;
};

}  // namespace quorvane
