#pragma once

#include <QHash>
#include <QString>

#include <string>
#include <unordered_map>

#include "help/help_surface.h"

namespace quorvane {
class PictureBox;
}

namespace quorvane::help {

// The help layout's surface operations on a PictureBox (twips scale). Character widths
// are measured once per font and character. A growing canvas takes its memory in large
// steps instead of line by line, so a long page is not copied once per line; the height
// the layout sees is always the one it set.
class PictureSurface : public HelpSurface {
 public:
  enum class Growth { Exact, Geometric };
  // A taller drawing is clipped: beyond this the backing image would take hundreds of MB.
  static constexpr int kMaxPixelHeight = 120000;
  static constexpr int kMaxPictureSide = 8192;

  PictureSurface(PictureBox& box, Growth growth, int maxPixelHeight = kMaxPixelHeight);

  PictureBox& box() { return m_box; }
  const PictureBox& box() const { return m_box; }
  // Takes the box's current height as the layout height (after the host resized it).
  void syncHeight();
  // Sets the height the layout sees without resizing the box yet: a page drawn again
  // reuses the memory of the last one until settle().
  void setLayoutHeight(Twips height);
  // Ends a pass: the box keeps at least the height the layout set; memory taken in steps
  // is kept for the next pass unless it is more than twice what the page needs. Below
  // the layout height the box shows only background.
  void settle();

  int twipsPerPixelX() const override;
  int twipsPerPixelY() const override;
  Twips scaleWidth() const override;
  Twips scaleHeight() const override { return m_height; }
  void setWidth(Twips width) override;
  void setHeight(Twips height) override;
  Twips currentX() const override;
  Twips currentY() const override;
  void setCurrentX(Twips x) override;
  void setCurrentY(Twips y) override;
  const FontSpec& font() const override { return m_font; }
  void setFont(const FontSpec& font) override;
  Color foreColor() const override;
  void setForeColor(Color color) override;
  Color backColor() const override;
  void setBackColor(Color color) override;
  void print(std::string_view utf8) override;
  void lineEnd() override;
  Twips textWidth(std::string_view utf8) override;
  Twips textHeight(std::string_view utf8) override;
  void cls() override;
  void drawLine(Twips x1, Twips y1, Twips x2, Twips y2, Color color) override;
  void drawBox(Twips x, Twips y, Twips width, Twips height, Color color) override;
  bool loadPicture(const std::string& path) override;
  void clearPicture() override;
  int pixelWidth() const override;
  int pixelHeight() const override;
  void stretchFrom(const HelpSurface& source, int x, int y, int width, int height, int srcX,
                   int srcY, int srcWidth, int srcHeight) override;

 protected:
  struct Metrics {
    std::unordered_map<char32_t, Twips> widths;
    Twips lineHeight = 0;
    int ascentPixels = 0;
    int heightPixels = 0;
  };
  Metrics& metrics();

 private:
  Twips clampToMaximum(Twips twips) const;
  void applyFont();

  PictureBox& m_box;
  Growth m_growth;
  int m_maxPixelHeight;
  Twips m_height = 0;
  FontSpec m_font;
  QHash<QString, Metrics> m_metrics;
  Metrics* m_current = nullptr;
};

}  // namespace quorvane::help
