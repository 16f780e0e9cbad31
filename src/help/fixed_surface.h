#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "help/help_surface.h"

namespace quorvane::help {

// A surface without pixels: text is measured with fixed metrics (a single-byte character
// is half a point size wide, any other character a full point size; a line is 1.25 point
// sizes high, 1 point = 20 twips) and drawing is only recorded. It checks help files
// without a display and makes the layout's arithmetic exact in tests.
class FixedMetricsSurface : public HelpSurface {
 public:
  struct DrawOp {
    enum class Kind { Text, Line, Box, Copy, Clear };
    Kind kind = Kind::Text;
    Twips x = 0, y = 0, x2 = 0, y2 = 0;
    std::string text;
    Color color = 0;
    FontSpec font;
  };
  // Gives the pixel size of an image file, or nothing when it cannot be loaded.
  using PictureProbe = std::function<std::optional<std::pair<int, int>>(const std::string&)>;

  FixedMetricsSurface(Twips width, Twips height, int twipsPerPixel = 15);

  void setRecording(bool on) { m_recording = on; }
  const std::vector<DrawOp>& ops() const { return m_ops; }
  void clearOps() { m_ops.clear(); }
  void setPictureProbe(PictureProbe probe) { m_probe = std::move(probe); }

  int twipsPerPixelX() const override { return m_tpp; }
  int twipsPerPixelY() const override { return m_tpp; }
  Twips scaleWidth() const override { return m_width; }
  Twips scaleHeight() const override { return m_height; }
  void setWidth(Twips width) override;
  void setHeight(Twips height) override;
  Twips currentX() const override { return m_x; }
  Twips currentY() const override { return m_y; }
  void setCurrentX(Twips x) override { m_x = clampTwips(x); }
  void setCurrentY(Twips y) override { m_y = clampTwips(y); }
  const FontSpec& font() const override { return m_font; }
  void setFont(const FontSpec& font) override { m_font = font; }
  Color foreColor() const override { return m_fore; }
  void setForeColor(Color color) override { m_fore = color; }
  Color backColor() const override { return m_back; }
  void setBackColor(Color color) override { m_back = color; }
  void print(std::string_view utf8) override;
  void lineEnd() override;
  Twips textWidth(std::string_view utf8) override;
  Twips textHeight(std::string_view utf8) override;
  void cls() override;
  void drawLine(Twips x1, Twips y1, Twips x2, Twips y2, Color color) override;
  void drawBox(Twips x, Twips y, Twips width, Twips height, Color color) override;
  bool loadPicture(const std::string& path) override;
  void clearPicture() override {}
  int pixelWidth() const override { return m_width / m_tpp; }
  int pixelHeight() const override { return m_height / m_tpp; }
  void stretchFrom(const HelpSurface& source, int x, int y, int width, int height, int srcX,
                   int srcY, int srcWidth, int srcHeight) override;

  // Largest position or size the surface keeps; larger values are held at it.
  static constexpr Twips kMaxTwips = 1 << 30;
  static Twips clampTwips(long long value);

 private:
  Twips lineHeight() const;
  void record(DrawOp op);

  Twips m_width;
  Twips m_height;
  int m_tpp;
  Twips m_x = 0;
  Twips m_y = 0;
  FontSpec m_font;
  Color m_fore = 0;
  Color m_back = 0xFFFFFF;
  bool m_recording = true;
  std::vector<DrawOp> m_ops;
  PictureProbe m_probe;
};

}  // namespace quorvane::help
