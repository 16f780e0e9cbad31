#pragma once

#include "controls/device_context.h"
#include "controls/system_colors.h"

#include <QImage>

#include <optional>

// Picture-copy routines shared by the bitmap, tool button, toolbar and status bar code.
// Pictures are 32-bit RGB images; coordinates and sizes are pixels unless said otherwise.
namespace quorvane {

// Copies (part of) a picture into a device context with a ternary raster operation.
bool BlitPicture(DeviceContext& destination, int x, int y, int width, int height, const QImage& source,
                 int sx, int sy, quint32 rop);

// Combines a picture into `destination` (created at width x height, black, when it is
// null) at (x, y) with a raster operation; the result replaces `destination`.
void CopyIntoPicture(QImage& destination, int x, int y, int width, int height, const QImage& source, int sx,
                     int sy, quint32 rop);

// The picture's size in twips (pixels times the twips-per-pixel factors).
void GetPictureSize(const QImage& picture, int& widthTwips, int& heightTwips);

// A two-colour copy of `source`: every pixel of colour `key` becomes `keyPixel` (white
// when not given), every other pixel becomes `other` (black when not given).
QImage MakeTwoColourPicture(const QImage& source, OleColor key, std::optional<OleColor> other = std::nullopt,
                            std::optional<OleColor> keyPixel = std::nullopt);

}  // namespace quorvane
