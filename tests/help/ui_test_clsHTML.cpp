#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QWidget>

#include "controls/picture_box.h"
#include "controls/twips.h"
#include "help/clsHTML.h"
#include "support_help_files.h"

using namespace quorvane;
using namespace quorvane::help;
using quorvane::help::testing::writeHelpFile;

namespace {

constexpr int kVkEnd = 0x23, kVkHome = 0x24, kVkUp = 0x26, kVkDown = 0x28;

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

TEST(clsHTML, LongPageScrollsWithBarAndKeys) {
  Host h;
  h.html.setHtmlFile(QString::fromStdString(writeHelpFile("long.htm", longPage())));
  ASSERT_TRUE(h.html.DispHTML(false));
  ASSERT_TRUE(h.scroll->isEnabled());
  const int overflow = h.html.CanvasHeight() - h.frame->Height();
  EXPECT_EQ(h.scroll->maximum(), roundHalfEven(double(overflow) / TwipsPerPixelY()));
  EXPECT_EQ(h.scroll->pageStep(), std::max(1, h.scroll->maximum() / 10 >= 2 ? h.scroll->maximum() / 10 : 1));
  h.html.handleKey(kVkUp, 0);
  EXPECT_EQ(h.scroll->value(), 0);
  h.html.handleKey(kVkDown, 0);
  EXPECT_EQ(h.scroll->value(), h.scroll->singleStep());
  h.html.handleKey(kVkDown, ShiftState::Shift);
  EXPECT_EQ(h.scroll->value(), h.scroll->singleStep() + h.scroll->pageStep());
  h.html.handleKey(kVkEnd, 0);
  EXPECT_EQ(h.scroll->value(), h.scroll->maximum());
  // The bottom of the page at the bottom of the frame.
  EXPECT_EQ(h.canvas->y() * TwipsPerPixelY(), -(h.html.PageHeight() - h.frame->Height()));
  h.html.handleKey(kVkDown, ShiftState::Shift);
  EXPECT_EQ(h.scroll->value(), h.scroll->maximum());
  h.html.handleKey(kVkHome, 0);
  EXPECT_EQ(h.scroll->value(), 0);
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
