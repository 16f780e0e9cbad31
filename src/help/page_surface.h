#pragma once

#include <QPointer>

#include "controls/picture_box.h"
#include "help/page_drawing.h"
#include "help/picture_surface.h"

namespace quorvane::help {

// The help page's canvas: a PictureBox that keeps what the layout draws as operations
// (see PageDrawing) and paints only the part on screen. Sizes, fonts, colours and the
// drawing position stay the box's, as on any picture surface; only the pixels live
// elsewhere. It can therefore be far taller than a surface with a backing image.
class PageSurface : public PictureSurface {
 public:
  static constexpr int kMaxPagePixelHeight = 1'000'000;

  explicit PageSurface(PictureBox& box);
  ~PageSurface() override;
  PageSurface(const PageSurface&) = delete;
  PageSurface& operator=(const PageSurface&) = delete;

  void setFont(const FontSpec& font) override;
  // Advances CurrentX by the characters' own widths, as the layout measures them.
  void print(std::string_view utf8) override;
  void cls() override;
  void drawLine(Twips x1, Twips y1, Twips x2, Twips y2, Color color) override;
  void drawBox(Twips x, Twips y, Twips width, Twips height, Color color) override;
  void stretchFrom(const HelpSurface& source, int x, int y, int width, int height, int srcX, int srcY,
                   int srcWidth, int srcHeight) override;

  const PageDrawing& drawing() const { return m_drawing; }

 private:
  void printSegment(std::string_view utf8);
  void copyTrimmed(const QImage& image, const PageDrawing::Block& target, const PageDrawing::Block& wanted,
                   const QRect& part);

  PageDrawing m_drawing;
  QPointer<PictureBox> m_host;
  int m_pageFont = -1;  // the current font's number in the drawing; -1 until text uses it
};

}  // namespace quorvane::help
