#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QWidget>

#include "controls/picture_box.h"
#include "controls/twips.h"
#include "help/clsHTML.h"
#include "support_help_files.h"

using namespace quorvane;
using namespace quorvane::help;
using quorvane::help::testing::writeHelpFile;

namespace {

constexpr int kVkPageUp = 0x21, kVkPageDown = 0x22, kVkEnd = 0x23, kVkHome = 0x24, kVkUp = 0x26, kVkDown = 0x28;

std::string longPage() {
  std::string text = "<BODY>\n";
  for (int i = 0; i < 80; ++i) text += "行 " + std::to_string(i) + "<BR>\n";
  return text;
}

// A host with the four surfaces, 400 x 300 pixels of back frame.
struct Host {
  QWidget window;
  PictureBox* frame = new PictureBox(&window);
  PictureBox* canvas = new PictureBox(frame);
  PictureBox* work = new PictureBox(&window);
  QScrollBar* scroll = new QScrollBar(Qt::Vertical, &window);
  clsHTML html;
  QStringList launched;

  Host() {
    window.resize(460, 340);
    frame->move(10, 10);
    html.setCanvas(canvas);
    html.setWorkCanvas(work);
    html.setVScroll(scroll);
    html.setBackFrame(frame);
    html.setLauncher([this](const QString& t) {
      launched << t;
      return true;
    });
    html.Move(150, 150, 400 * TwipsPerPixelX(), 300 * TwipsPerPixelY());
  }
};

}  // namespace

TEST(clsHTML, ShortPageDisablesTheScrollBar) {
  Host h;
  h.html.setHtmlFile(QString::fromStdString(writeHelpFile("short.htm", "<BODY>短いページ</BODY>")));
  QSignalSpy done(&h.html, &clsHTML::DispDone);
  ASSERT_TRUE(h.html.DispHTML(false));
  EXPECT_EQ(done.count(), 1);
  EXPECT_FALSE(h.scroll->isEnabled());
  EXPECT_EQ(h.html.PlaneText(), QString::fromUtf8("短いページ"));
  EXPECT_EQ(h.canvas->width(), 400);
}

TEST(clsHTML, LongPageScrollsWithBarKeysAndWheel) {
  Host h;
  h.html.setHtmlFile(QString::fromStdString(writeHelpFile("long.htm", longPage())));
  ASSERT_TRUE(h.html.DispHTML(false));
  ASSERT_TRUE(h.scroll->isEnabled());
  const int overflow = h.html.CanvasHeight() - h.frame->Height();
  const int max = h.scroll->maximum();
  EXPECT_EQ(max, roundHalfEven(double(overflow) / TwipsPerPixelY()));
  // A page is what the frame shows: Page Down and a click in the trough move by it.
  EXPECT_EQ(h.scroll->pageStep(), 300);
  const int small = h.scroll->singleStep(), large = max / 10;
  ASSERT_GT(max, 2 * 300);
  h.html.wheelScroll(-120);  // one notch down
  const int notch = h.scroll->value();
  EXPECT_GT(notch, small);
  h.scroll->setValue(0);
  struct Step {
    int key;
    int shift;
    int wheel;
    int expected;
  };
  const Step steps[] = {
      {kVkUp, 0, 0, 0},  // not above the top
      {kVkDown, 0, 0, small},
      {kVkDown, ShiftState::Shift, 0, small + large},
      {kVkPageDown, 0, 0, small + large + 300},
      {kVkPageUp, 0, 0, small + large},
      {0, 0, -120, small + large + notch},
      {0, 0, 120, small + large},
      {kVkEnd, 0, 0, max},
      {kVkPageDown, 0, 0, max},  // not below the bottom
      {kVkDown, ShiftState::Shift, 0, max},
      {0, 0, -120, max},
      {kVkHome, 0, 0, 0},
      {kVkPageUp, 0, 0, 0},
  };
  for (const Step& s : steps) {
    if (s.wheel != 0) {
      // Turned over the page, as a person does.
      QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, s.wheel), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(h.canvas, &wheel);
    } else {
      h.html.handleKey(s.key, s.shift);
    }
    EXPECT_EQ(h.scroll->value(), s.expected) << "key " << s.key << " wheel " << s.wheel;
    if (s.expected == max) {  // the bottom of the page at the bottom of the frame
      EXPECT_EQ(h.canvas->y() * TwipsPerPixelY(), -(h.html.PageHeight() - h.frame->Height()));
    }
  }
  EXPECT_EQ(h.canvas->y(), 0);
}

TEST(clsHTML, HoverAndClicksOnLinks) {
  Host h;
  h.html.setHtmlFile(QString::fromStdString(
      writeHelpFile("links.htm", "<BODY><A HREF=\"#there\">リンク</A><BR>本文</BODY>")));
  ASSERT_TRUE(h.html.DispHTML(false));
  const auto& links = h.html.document().links();
  ASSERT_EQ(links.size(), 1u);
  const double x = (links[0].X1 + links[0].X2) / 2.0, y = (links[0].Y1 + links[0].Y2) / 2.0;
  QSignalSpy click(&h.html, &clsHTML::LinkClick);
  QSignalSpy right(&h.html, &clsHTML::LinkRightClick);
  QSignalSpy down(&h.html, &clsHTML::MouseDown);
  h.html.canvasMouseMove(x, y);
  EXPECT_TRUE(h.html.isHovering());
  EXPECT_EQ(h.canvas->toolTip(), QString::fromUtf8("リンク"));
  EXPECT_EQ(h.canvas->cursor().shape(), Qt::BitmapCursor);
  h.html.canvasMouseDown(MouseButton::Left, x, y);
  h.html.canvasMouseDown(MouseButton::Right, x, y);
  ASSERT_EQ(click.count(), 1);
  EXPECT_EQ(click.at(0).at(0).toString(), QStringLiteral("#there"));
  EXPECT_EQ(right.count(), 1);
  h.html.canvasMouseDown(MouseButton::Left, x, links[0].Y2 + 600);
  EXPECT_FALSE(h.html.isHovering());
  EXPECT_EQ(h.canvas->toolTip(), QString());
  EXPECT_EQ(down.count(), 1);
  EXPECT_EQ(click.count(), 1);
}

TEST(clsHTML, PendingInternetAddressIsLaunchedNotLoaded) {
  Host h;
  const QString file = QString::fromStdString(writeHelpFile("plain.htm", "<BODY>x</BODY>"));
  h.html.setHtmlFile(file);
  ASSERT_TRUE(h.html.DispHTML(false));
  QSignalSpy done(&h.html, &clsHTML::DispDone);
  h.html.setHtmlFile(QStringLiteral("http://example.org/"));
  EXPECT_EQ(h.html.HtmlFile(), file);
  EXPECT_TRUE(h.html.DispHTML(false));
  EXPECT_EQ(h.launched, QStringList{QStringLiteral("http://example.org/")});
  EXPECT_EQ(done.count(), 0);
  EXPECT_EQ(h.html.PlaneText(), QStringLiteral("x"));
}

TEST(clsHTML, MissingFileKeepsThePreviousOne) {
  Host h;
  const QString file = QString::fromStdString(writeHelpFile("kept.htm", "<BODY>kept</BODY>"));
  h.html.setHtmlFile(file);
  ASSERT_TRUE(h.html.DispHTML(false));
  h.html.setHtmlFile(QStringLiteral("does-not-exist.htm"));
  QSignalSpy done(&h.html, &clsHTML::DispDone);
  EXPECT_FALSE(h.html.DispHTML(false));
  EXPECT_EQ(h.html.HtmlFile(), file);
  EXPECT_EQ(done.count(), 0);
  // A file without BODY is read but fails its pass: DispDone all the same.
  h.html.setHtmlFile(QString::fromStdString(writeHelpFile("nobody.htm", "<HTML>x</HTML>")));
  EXPECT_FALSE(h.html.DispHTML(false));
  EXPECT_EQ(done.count(), 1);
}

TEST(clsHTML, NextAndBackStepThroughTopics) {
  Host h;
  h.html.setHtmlFile(QString::fromStdString(writeHelpFile(
      "topics.htm", "<BODY>\n<A NAME=a></A>A<!--zqHTML.EndOfTopic-->\n<A NAME=b></A>B<!--zqHTML.EndOfTopic-->\n")));
  h.html.setCurName(QStringLiteral("#b"));
  ASSERT_TRUE(h.html.DispHTML(false));
  EXPECT_EQ(h.html.PlaneText(), QStringLiteral("B"));
  EXPECT_TRUE(h.html.GoBack());
  EXPECT_EQ(h.html.PlaneText(), QStringLiteral("A"));
  EXPECT_EQ(h.html.CurName(), QStringLiteral("#a"));
  EXPECT_FALSE(h.html.GoBack());
  EXPECT_TRUE(h.html.GoNext());
  EXPECT_EQ(h.html.PlaneText(), QStringLiteral("B"));
}
