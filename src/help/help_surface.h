#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The drawing operations the help layout needs from a picture surface. The GUI provides
// them on its picture boxes; the core has a surface with fixed metrics for checking help
// files, fuzzing and measuring without a display.
namespace quorvane::help {

// Positions and sizes in twips.
using Twips = std::int32_t;

// Colours as platform values: red in the lowest byte.
using Color = std::uint32_t;

struct FontSpec {
  double points = 14;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  bool operator==(const FontSpec&) const = default;
};

class HelpSurface {
 public:
  virtual ~HelpSurface() = default;

  virtual int twipsPerPixelX() const = 0;
  virtual int twipsPerPixelY() const = 0;

  virtual Twips scaleWidth() const = 0;
  virtual Twips scaleHeight() const = 0;
  virtual void setWidth(Twips width) = 0;
  // Sets the height and shows the surface at its new size.
  virtual void setHeight(Twips height) = 0;

  virtual Twips currentX() const = 0;
  virtual Twips currentY() const = 0;
  virtual void setCurrentX(Twips x) = 0;
  virtual void setCurrentY(Twips y) = 0;

  virtual const FontSpec& font() const = 0;
  virtual void setFont(const FontSpec& font) = 0;
  virtual Color foreColor() const = 0;
  virtual void setForeColor(Color color) = 0;
  virtual Color backColor() const = 0;
  // Sets the colour the surface clears to; the drawing already made is kept.
  virtual void setBackColor(Color color) = 0;

  // Draws at the current position and advances CurrentX by the text's width; a CR LF
  // inside the text starts a new line.
  virtual void print(std::string_view utf8) = 0;
  // Line end: CurrentX = 0, CurrentY advances by the line height of the current font.
  virtual void lineEnd() = 0;
  virtual Twips textWidth(std::string_view utf8) = 0;
  // Height of the text: one line height per line of the text.
  virtual Twips textHeight(std::string_view utf8) = 0;

  virtual void cls() = 0;
  virtual void drawLine(Twips x1, Twips y1, Twips x2, Twips y2, Color color) = 0;
  virtual void drawBox(Twips x, Twips y, Twips width, Twips height, Color color) = 0;

  // Loads an image file and resizes the surface to it; false when it cannot be read.
  virtual bool loadPicture(const std::string& path) = 0;
  virtual void clearPicture() = 0;
  // Size of the surface in pixels.
  virtual int pixelWidth() const = 0;
  virtual int pixelHeight() const = 0;

  // Copies a block of `source`'s drawing (pixels) onto this surface, stretching it when
  // the two sizes differ.
  virtual void stretchFrom(const HelpSurface& source, int x, int y, int width, int height,
                           int srcX, int srcY, int srcWidth, int srcHeight) = 0;
};

}  // namespace quorvane::help
