#include "controls/picture_copy.h"

#include "controls/twips.h"

namespace quorvane {

bool BlitPicture(DeviceContext& destination, int x, int y, int width, int height, const QImage& source,
                 int sx, int sy, quint32 rop) {
  if (source.isNull()) return false;
  return destination.BitBlt(x, y, width, height, source, sx, sy, rop);
}

void CopyIntoPicture(QImage& destination, int x, int y, int width, int height, const QImage& source, int sx,
                     int sy, quint32 rop) {
  if (destination.isNull()) {
    if (width <= 0 || height <= 0) return;
    destination = QImage(width, height, QImage::Format_RGB32);
    destination.fill(0xFF000000u);
  } else if (destination.format() != QImage::Format_RGB32) {
    destination = destination.convertToFormat(QImage::Format_RGB32);
  }
  DeviceContext dc(destination);
  dc.BitBlt(x, y, width, height, source, sx, sy, rop);
}

void GetPictureSize(const QImage& picture, int& widthTwips, int& heightTwips) {
  widthTwips = picture.width() * TwipsPerPixelX();
  heightTwips = picture.height() * TwipsPerPixelY();
}

QImage MakeTwoColourPicture(const QImage& source, OleColor key, std::optional<OleColor> other,
                            std::optional<OleColor> keyPixel) {
  if (source.isNull()) return QImage();
  QImage out = source.convertToFormat(QImage::Format_RGB32);
  const QRgb keyRgb = toQRgb(key) & 0x00FFFFFFu;
  const QRgb otherRgb = toQRgb(other.value_or(0));
  const QRgb keyOut = toQRgb(keyPixel.value_or(rgbColor(255, 255, 255)));
  for (int y = 0; y < out.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) line[x] = ((line[x] & 0x00FFFFFFu) == keyRgb) ? keyOut : otherRgb;
  }
  return out;
}

}  // namespace quorvane
