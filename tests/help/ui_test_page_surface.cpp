#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <memory>

#include "controls/picture_box.h"
#include "controls/twips.h"
#include "help/help_render.h"
#include "help/page_surface.h"
#include "support/temp_folder.h"

using namespace quorvane;
using namespace quorvane::help;

namespace {

constexpr int kWidthPixels = 420;

// A page that uses every kind of drawing: runs in several fonts and colours, invisible
// list fills, centred and right-aligned lines (copied from the work canvas), a rule, an
// image stretched and unstretched, the placeholder of a missing image, and enough lines
// to cross several bands of the page drawing.
std::string mixedPage(const std::string& imageName) {
  std::string text = "<BODY BGCOLOR=\"#F0F0E0\" TEXT=\"#202060\">\n<H1>見出し</H1>\n";
  text += "<CENTER>中央の行</CENTER><P ALIGN=RIGHT>右の行</P>\n";
  text += "<UL><LI>項目一<LI>項目二<OL><LI>番号</OL></UL><HR>\n";
  text += "<IMG SRC=\"" + imageName + "\" WIDTH=90 HEIGHT=45><BR>\n";
  text += "<IMG SRC=\"" + imageName + "\"><BR>\n";
  text += "<IMG SRC=\"missing.png\" WIDTH=40 HEIGHT=30><BR>\n";
  for (int i = 0; i < 40; ++i)
    text += "<P><B>太字 " + std::to_string(i) + "</B> 普通の文字で長い行を折り返して<A HREF=\"#x\">リンク</A>まで<I>書く</I></P>\n";
  text += "<CENTER>最後の中央</CENTER>\n</BODY>\n";
  return text;
}

std::string writeImage(const QString& folder) {
  QImage image(30, 15, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 8, y * 16, 200 - x * 3));
  image.save(folder + "/pattern.png");
  return "pattern.png";
}

// One canvas and its work canvas; the canvas keeps its drawing either as a backing image
// (the picture box's own) or as page operations.
struct Canvas {
  PictureBox box;
  PictureBox workBox;
  std::unique_ptr<PictureSurface> surface;
  PictureSurface work{workBox, PictureSurface::Growth::Exact};

  explicit Canvas(bool asOperations) {
    box.resize(kWidthPixels, 300);
    workBox.resize(kWidthPixels, 300);
    work.syncHeight();
    surface = asOperations ? std::make_unique<PageSurface>(box)
                           : std::make_unique<PictureSurface>(box, PictureSurface::Growth::Exact);
  }

  RenderResult render(const std::string& utf8, const std::string& folder) {
    RenderSettings settings;
    settings.helpFolder = folder;
    AnchorTable anchors;
    std::vector<LinkRegion> links;
    surface->cls();
    surface->setLayoutHeight(300 * TwipsPerPixelY());
    const Text source = toText(utf8);
    RenderResult r = RenderPage(source, settings, anchors, links, *surface, work);
    surface->settle();
    return r;
  }
};

}  // namespace

TEST(PageSurface, DrawsEveryPixelAsABackingImageWould) {
  const testsupport::TempFolder folder("page_surface");
  const std::string page = mixedPage(writeImage(QString::fromStdString(folder.str())));
  Canvas image(false), operations(true);
  ASSERT_TRUE(image.render(page, folder.str()).ok);
  ASSERT_TRUE(operations.render(page, folder.str()).ok);
  const int pageHeight = operations.surface->scaleHeight() / TwipsPerPixelY();
  ASSERT_EQ(image.surface->scaleHeight(), operations.surface->scaleHeight());
  ASSERT_GT(pageHeight, 3 * PageDrawing::kBandHeight);

  const QImage expected = image.box.Image().copy(0, 0, kWidthPixels, pageHeight);
  const QImage actual = operations.box.Image().copy(0, 0, kWidthPixels, pageHeight);
  int differing = 0;
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x) differing += (expected.pixel(x, y) & 0xFFFFFF) != (actual.pixel(x, y) & 0xFFFFFF);
  EXPECT_EQ(differing, 0);
  // Single points come from the same drawing.
  for (int y : {5, 300, 700})
    EXPECT_EQ(operations.box.Point(40 * TwipsPerPixelX(), y * TwipsPerPixelY()),
              image.box.Point(40 * TwipsPerPixelX(), y * TwipsPerPixelY()));
  EXPECT_EQ(operations.box.Point(-5 * TwipsPerPixelX(), 0), -1);
  EXPECT_EQ(operations.box.Point(0, 5 * operations.box.Height()), -1);
}
