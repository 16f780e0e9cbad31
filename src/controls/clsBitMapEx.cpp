#include "controls/clsBitMapEx.h"

#include "controls/picture_copy.h"
#include "controls/raster_ops.h"
#include "controls/twips.h"

namespace quorvane {

void clsBitMapEx::setCanvas(PictureBox* canvas) {
  m_canvas = canvas;
  m_workCanvas = canvas;
}

void clsBitMapEx::setSrcPic(const QImage& picture) {
  m_srcPic = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
}

void clsBitMapEx::setMaskColor(OleColor color) {
  m_maskColor = color;
  m_maskPic = MakeTwoColourPicture(m_srcPic, m_maskColor);
  // Blacken the key pixels: destination AND NOT mask (the mask is white exactly there).
  m_maskedImage = m_srcPic;
  if (!m_maskedImage.isNull())
    CopyIntoPicture(m_maskedImage, 0, 0, m_srcPic.width(), m_srcPic.height(), m_maskPic, 0, 0, raster::DSNA);
}

void clsBitMapEx::setMonoForeColor(OleColor color) {
  m_monoForeColor = color;
  m_monoPic = MakeTwoColourPicture(m_srcPic, m_maskColor, m_monoForeColor, 0);
}

int clsBitMapEx::Left() const { return m_left * TwipsPerPixelX(); }
int clsBitMapEx::Top() const { return m_top * TwipsPerPixelY(); }
void clsBitMapEx::setLeft(int twips) { m_left = roundHalfEven(static_cast<double>(twips) / TwipsPerPixelX()); }
void clsBitMapEx::setTop(int twips) { m_top = roundHalfEven(static_cast<double>(twips) / TwipsPerPixelY()); }
int clsBitMapEx::Width() const { return m_srcPic.width() * TwipsPerPixelX(); }
int clsBitMapEx::Height() const { return m_srcPic.height() * TwipsPerPixelY(); }

void clsBitMapEx::Draw(int kind, int dx, int dy) {
  if (m_canvas.isNull() || m_srcPic.isNull()) return;
  DeviceContext& dc = m_canvas->hDC();
  const int x = m_left + dx, y = m_top + dy, w = m_srcPic.width(), h = m_srcPic.height();
  switch (kind) {
    case 0:
      BlitPicture(dc, x, y, w, h, m_srcPic, 0, 0, raster::SRCCOPY);
      break;
    case 1:
      BlitPicture(dc, x, y, w, h, m_maskPic, 0, 0, raster::SRCAND);
      BlitPicture(dc, x, y, w, h, m_maskedImage, 0, 0, raster::SRCINVERT);
      break;
    case 2:
      BlitPicture(dc, x, y, w, h, m_monoPic, 0, 0, raster::SRCCOPY);
      break;
    case 3:
      BlitPicture(dc, x, y, w, h, m_maskPic, 0, 0, raster::SRCAND);
      BlitPicture(dc, x, y, w, h, m_monoPic, 0, 0, raster::SRCINVERT);
      break;
    case 4:
      BlitPicture(dc, x, y, w, h, m_maskPic, 0, 0, raster::MERGEPAINT);
      break;
    default:
      break;
  }
}

}  // namespace quorvane
