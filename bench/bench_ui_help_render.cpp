// The help renderer on real picture surfaces (offscreen): every topic of the program's
// help file, and a generated 200 KB topic. Targets on the reference machine: under 50 ms
// for a topic of the help file, under 300 ms for the 200 KB topic.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScrollBar>
#include <QWidget>

#include <cstdio>
#include <fstream>

#include "common/sjis.h"
#include "controls/picture_box.h"
#include "controls/twips.h"
#include "help/clsHTML.h"
#include "help_bench_pages.h"

using namespace quorvane;
using namespace quorvane::help;

namespace {
struct Host {
  QWidget window;
  PictureBox* frame = new PictureBox(&window);
  PictureBox* canvas = new PictureBox(frame);
  PictureBox* work = new PictureBox(&window);
  QScrollBar* scroll = new QScrollBar(Qt::Vertical, &window);
  clsHTML html;
  Host() {
    html.setCanvas(canvas);
    html.setWorkCanvas(work);
    html.setVScroll(scroll);
    html.setBackFrame(frame);
    html.Move(150, 150, 640 * TwipsPerPixelX(), 480 * TwipsPerPixelY());
  }
};

// Paints what the frame shows of the canvas, as a repaint of the window would.
void paintVisible(Host& h, QImage& screen) {
  h.canvas->render(&screen, QPoint(), QRegion(0, -h.canvas->y(), h.frame->width(), h.frame->height()));
}

double timeTopic(Host& h, const QString& topic, int repeat) {
  h.html.setCurName(topic);
  h.html.DispHTML(false);  // warm: file read, fonts measured
  QImage screen(h.frame->size(), QImage::Format_RGB32);
  QElapsedTimer t;
  t.start();
  for (int i = 0; i < repeat; ++i) {
    if (!h.html.DispHTML(false)) std::printf("pass failed: %s\n", qPrintable(topic));
    paintVisible(h, screen);
  }
  return double(t.nsecsElapsed()) / 1e6 / repeat;
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  {
    Host h;
    h.html.setHtmlFile(QStringLiteral(QUORVANE_BINARY_DIR "/share/quorvane/QUORVANE.HTM"));
    for (const char* topic : {"", "#extract", "#compare", "#recordfile", "#resultfile", "#menus", "#messages", "#helpwindow"})
      std::printf("help file topic %-12s %.2f ms\n", topic[0] ? topic : "(first)", timeTopic(h, QString::fromLatin1(topic), 10));
  }
  {
    const auto big = sjis::encode(generatedHelpTopicUtf8(200 * 1024));
    const std::string path = QUORVANE_BINARY_DIR "/bench_help_200k.htm";
    std::ofstream(path, std::ios::binary) << *big.bytes;
    Host h;
    h.html.setHtmlFile(QString::fromStdString(path));
    QImage screen(h.frame->size(), QImage::Format_RGB32);
    QElapsedTimer first;
    first.start();
    h.html.DispHTML(false);
    paintVisible(h, screen);
    const double firstMs = double(first.nsecsElapsed()) / 1e6;
    std::printf("200 KB topic (%zu bytes): first display %.1f ms (with reading and painting), display %.1f ms, "
                "page %d px high\n",
                big.bytes->size(), firstMs, timeTopic(h, QString(), 3), h.html.PageHeight() / TwipsPerPixelY());
    // Scrolling through the page: each step paints the part that comes into view.
    QElapsedTimer scrolling;
    scrolling.start();
    const int steps = 200;
    for (int i = 1; i <= steps; ++i) {
      h.scroll->setValue(h.scroll->maximum() * i / steps);
      paintVisible(h, screen);
    }
    std::printf("200 KB topic: scroll and paint %.2f ms a step (%d steps to the end)\n",
                double(scrolling.nsecsElapsed()) / 1e6 / steps, steps);
  }
  return 0;
}
