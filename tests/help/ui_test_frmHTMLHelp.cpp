#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <stdexcept>

#include "common/sjis.h"
#include "controls/picture_box.h"
#include "controls/twips.h"
#include "help/clsHTML.h"
#include "help/frmHTMLHelp.h"
#include "help/help_settings.h"
#include "support/temp_folder.h"

using namespace quorvane;
using namespace quorvane::help;

namespace {

// Writes a help file (UTF-8 text, stored as code page 932 with CR LF) into the process's
// own folder and returns its path.
QString writeHelpFile(const std::string& name, const std::string& utf8Text) {
  static const testsupport::TempFolder folder("help");
  std::string crlf;
  for (char c : utf8Text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const auto bytes = sjis::encode(crlf);
  if (!bytes.ok()) throw std::runtime_error("not representable in code page 932: " + name);
  return QString::fromStdString(folder.write(name, *bytes.bytes));
}

const char* const kMain =
    "<HTML><BODY>\n<A NAME=\"context\"></A><H2>目次</H2>\n<A HREF=\"#second\">二番目</A><BR>\n"
    "<A HREF=\"other.htm\">別のファイル</A><BR>\n<A HREF=\"http://example.org/\">外部</A>\n"
    "<!-- zqHTML.EndOfTopic -->\n<A NAME=\"second\"></A>二番目の項目です。\n<!-- zqHTML.EndOfTopic -->\n</BODY></HTML>\n";

// Records every question and message as kind, title, text; answers with preset values.
struct Recorder {
  QStringList log;
  QString fileAnswer;
  bool yes = false;

  HelpWindowServices services() {
    HelpWindowServices s;
    s.askFile = [this](QWidget*, const QString& title, const QString& filter, const QString&) {
      log << "askFile" << title << filter;
      return fileAnswer;
    };
    s.critical = [this](QWidget*, const QString& title, const QString& text) { log << "critical" << title << text; };
    s.information = [this](QWidget*, const QString& title, const QString& text) { log << "information" << title << text; };
    s.askYesNo = [this](QWidget*, const QString& title, const QString& text) {
      log << "askYesNo" << title << text;
      return yes;
    };
    return s;
  }
};

struct Window {
  Recorder rec;
  frmHTMLHelp form{nullptr, rec.services()};
  QStringList launched;

  bool load(const QString& file) {
    form.setHTMLHelpFile(file);
    if (!form.Form_Load()) return false;
    form.renderer()->setLauncher([this](const QString& t) {
      launched << t;
      return true;
    });
    return true;
  }
  QString text() const { return form.renderer()->PlaneText(); }
};

QString mainFile() {
  writeHelpFile("other.htm", "<BODY>別のファイルです。</BODY>");
  return writeHelpFile("main.htm", kMain);
}

// A window showing the main file.
struct HelpWindow : ::testing::Test {
  Window w;
  const QString file = mainFile();
  void SetUp() override { ASSERT_TRUE(w.load(file)); }
};

}  // namespace

TEST_F(HelpWindow, MouseOverAndOnLinks) {
  clsHTML& html = *w.form.renderer();
  const LinkRegion link = html.document().links().at(0);
  ASSERT_EQ(link.Target, "#second");
  const double x = (link.X1 + link.X2) / 2.0, y = (link.Y1 + link.Y2) / 2.0;
  QSignalSpy down(&html, &clsHTML::MouseDown);
  html.canvasMouseMove(x, y);
  EXPECT_TRUE(html.isHovering());
  EXPECT_EQ(w.form.canvas()->toolTip(), "二番目");
  EXPECT_EQ(w.form.canvas()->cursor().shape(), Qt::BitmapCursor);
  // The right button gives the location to copy, the page text copies as shown.
  w.form.setPopupEnabled(false);
  html.canvasMouseDown(MouseButton::Right, x, y);
  w.form.mnuPuCopy_Click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), file + "#second");
  w.form.mcHTML_LinkRightClick("other.htm");
  w.form.mnuPuCopy_Click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "other.htm");
  w.form.mnuCopy_Click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), w.text());
  html.canvasMouseDown(MouseButton::Left, x, link.Y2 + 2000);  // beside the link
  EXPECT_FALSE(html.isHovering());
  EXPECT_EQ(w.form.canvas()->toolTip(), QString());
  EXPECT_EQ(down.count(), 1);
  EXPECT_TRUE(w.text().contains("目次"));
  QSignalSpy done(&html, &clsHTML::DispDone);
  html.canvasMouseDown(MouseButton::Left, x, y);
  EXPECT_EQ(w.text(), "二番目の項目です。");
  EXPECT_EQ(done.count(), 1);
  EXPECT_EQ(down.count(), 1);
}

TEST_F(HelpWindow, AnchorJumpsBackNextAndContents) {
  w.form.mcHTML_LinkClick("#second");
  EXPECT_EQ(w.text(), "二番目の項目です。");
  EXPECT_EQ(w.form.previousLocation(), "#");
  w.form.Command1_Click(2);  // back: the top of the page
  EXPECT_TRUE(w.text().contains("目次"));
  w.form.mcHTML_LinkClick("#second");
  w.form.Command1_Click(0);  // contents
  EXPECT_EQ(w.form.renderer()->CurName(), "#context");
  EXPECT_TRUE(w.text().contains("別のファイル"));
  // "<<" and ">>" step through the topics and stop at either end.
  const std::pair<int, const char*> steps[] = {{4, "#second"}, {4, "#second"}, {3, "#context"}, {3, "#context"}};
  for (const auto& [button, topic] : steps) {
    w.form.Command1_Click(button);
    EXPECT_EQ(w.form.renderer()->CurName(), topic) << button;
  }
  EXPECT_FALSE(w.form.renderer()->GoBack());
  ASSERT_TRUE(w.form.showTopic("#second"));  // as the program opens a topic
  EXPECT_EQ(w.text(), "二番目の項目です。");
  // The canvas follows the window's size.
  w.form.show();
  const int width = w.form.canvas()->width();
  w.form.resize(w.form.width() + 40, w.form.height());
  EXPECT_EQ(w.form.canvas()->width(), width + 40);
}

TEST_F(HelpWindow, FileJumpsAndFilesThatCannotBeShown) {
  w.form.resize(680, 560);
  w.form.show();
  w.form.mcHTML_LinkClick("other.htm");
  EXPECT_EQ(w.text(), "別のファイルです。");
  EXPECT_EQ(w.form.previousLocation(), file);
  w.form.Command1_Click(2);
  EXPECT_EQ(w.form.renderer()->HtmlFile(), file);
  EXPECT_TRUE(w.text().contains("目次"));
  // A missing file leaves the former one, and its page, in place.
  QSignalSpy done(w.form.renderer(), &clsHTML::DispDone);
  w.form.mcHTML_LinkClick("missing.htm");
  EXPECT_EQ(w.rec.log, QStringList({"critical", "zqHTMLHelp", "missing.htm を開けません"}));
  EXPECT_EQ(w.form.renderer()->HtmlFile(), file);
  EXPECT_TRUE(w.text().contains("目次"));
  EXPECT_EQ(done.count(), 0);
  // A file without BODY is read but fails its pass: DispDone all the same, and the
  // canvas, lower than the frame, takes the frame's height.
  w.form.mcHTML_LinkClick(writeHelpFile("nobody.htm", "<HTML>x</HTML>"));
  EXPECT_EQ(done.count(), 1);
  EXPECT_EQ(w.form.canvas()->height(), w.form.canvas()->parentWidget()->height());
}

TEST_F(HelpWindow, InternetLinksAskFirstAndAreLaunchedNotLoaded) {
  QSignalSpy done(w.form.renderer(), &clsHTML::DispDone);
  w.form.mcHTML_LinkClick("http://example.org/");
  EXPECT_EQ(w.rec.log,
            QStringList({"askYesNo", "zqHTMLHelp", "http://example.org/\r Internet URL へのハイパーリンクです。実行しますか？"}));
  EXPECT_TRUE(w.launched.isEmpty());
  w.rec.log.clear();
  w.rec.yes = true;
  w.form.mcHTML_LinkClick("mailto:someone@example.org");
  EXPECT_EQ(w.launched, QStringList{"mailto:someone@example.org"});
  EXPECT_EQ(w.rec.log.size(), 3);  // the question only
  EXPECT_EQ(w.form.renderer()->HtmlFile(), file);
  EXPECT_TRUE(w.text().contains("目次"));
  EXPECT_EQ(done.count(), 0);
}

TEST(frmHTMLHelp, MissingOrUnreadableHelpFile) {
  const QString chosen = mainFile();
  const QString bad = writeHelpFile("bad.htm", "<HTML>no body</HTML>");
  const QString ask = "HTML ヘルプファイル名の選択", filter = "HTM Files (*.HTM)|*.HTM|HTML Files (*.HTML)|*.HTML";
  {
    Window w;
    EXPECT_FALSE(w.load("/no/such/QUORVANE.HTM"));
    EXPECT_EQ(w.rec.log, QStringList({"askFile", ask, filter}));
  }
  {
    Window w;
    EXPECT_FALSE(w.load(bad));
    EXPECT_EQ(w.rec.log, QStringList({"critical", "zqHTMLHelp", "指定された HTML ファイル " + bad + " が見つかりませんでした"}));
  }
  Window w;
  w.rec.fileAnswer = chosen;
  ASSERT_TRUE(w.load("/no/such/QUORVANE.HTM"));
  EXPECT_EQ(w.form.HTMLHelpFile(), chosen);
  EXPECT_EQ(QSettings("Quorvane", "Quorvane").value("Settings/HTMLHelpFile").toString(), chosen);
  EXPECT_EQ(configuredHelpFile(), chosen);
}

TEST_F(HelpWindow, OptionsStayOnTopFontSizeAndVersion) {
  for (const auto& [entry, onTop, font, scale] : {std::tuple{1, true, 2, 1.3}, {2, false, 0, 0.8}}) {
    w.form.mnuOpDisp_Click(entry);
    EXPECT_EQ(w.form.isStayOnTop(), onTop);
    w.form.mnuOpFont_Click(font);
    EXPECT_DOUBLE_EQ(w.form.renderer()->document().displayScale(), scale);
  }
  w.form.mnuVer_Click();
  EXPECT_EQ(w.rec.log, QStringList({"information", "zqHTMLHelp",
                                    "zqHTMLHelp\nThis Version Of zqHTML.DLL Is embedded In Application\n\n"
                                    "Quorvane ファイルバージョン比較ツール ヘルプ\n( " + file + " )"}));
}

// A long page beside its owner: the whole frame shows, and the bar, the keys (from any
// control) and the wheel (over the page) scroll it within its ends.
TEST(frmHTMLHelp, LongPageBesideItsOwnerScrollsByBarKeysAndWheel) {
  std::string page = "<BODY><A NAME=\"context\"></A>\n";
  for (int i = 0; i < 80; ++i) page += "行 " + std::to_string(i) + "<BR>\n";
  QWidget owner;
  owner.setGeometry(100, 100, 500, 400);
  owner.show();
  Recorder rec;
  frmHTMLHelp form(&owner, rec.services());
  form.setWindowFlag(Qt::Window);
  form.setHTMLHelpFile(writeHelpFile("keys.htm", page));
  ASSERT_TRUE(form.Form_Load());
  form.resize(680, 560);
  form.show();
  EXPECT_NE(form.frameGeometry().topLeft(), owner.frameGeometry().topLeft());
  // A desktop may give the menu bar its height after the window was sized.
  form.menuBar()->setFixedHeight(form.menuBar()->height() + 17);
  QCoreApplication::processEvents();
  // The frame and its bar end above the window's bottom edge, with the margin on their left.
  const QWidget* client = form.centralWidget();
  auto* scroll = client->findChild<QScrollBar*>();
  const auto* frame = qobject_cast<PictureBox*>(form.canvas()->parentWidget());
  ASSERT_TRUE(scroll && frame);
  const int margin = frame->x();
  EXPECT_EQ(scroll->geometry().bottom() + 1 + margin, client->height());
  EXPECT_EQ(frame->geometry().bottom(), scroll->geometry().bottom());
  EXPECT_EQ(scroll->geometry().right() + 1 + margin, client->width());

  clsHTML& html = *form.renderer();
  ASSERT_TRUE(scroll->isEnabled());
  const int max = scroll->maximum();
  EXPECT_EQ(max, roundHalfEven(double(html.CanvasHeight() - frame->Height()) / TwipsPerPixelY()));
  // A page is what the frame shows: Page Down and a click in the trough move by it.
  const int page1 = frame->height(), small = scroll->singleStep(), large = max / 10;
  EXPECT_EQ(scroll->pageStep(), page1);
  ASSERT_GT(max, 2 * page1);
  html.wheelScroll(-120);  // one notch down
  const int notch = scroll->value();
  EXPECT_GT(notch, small);
  scroll->setValue(0);
  constexpr int kPageUp = 0x21, kPageDown = 0x22, kEnd = 0x23, kHome = 0x24, kUp = 0x26, kDown = 0x28;
  const int shift = ShiftState::Shift;
  const struct Step {
    int key, shift, wheel, expected;
  } steps[] = {
      {kUp, 0, 0, 0},  // not above the top
      {kDown, 0, 0, small},
      {kDown, shift, 0, small + large},
      {kPageDown, 0, 0, small + large + page1},
      {kPageUp, 0, 0, small + large},
      {0, 0, -120, small + large + notch},
      {0, 0, 120, small + large},
      {kEnd, 0, 0, max},
      {kPageDown, 0, 0, max},  // not below the bottom
      {kDown, shift, 0, max},
      {0, 0, -120, max},
      {kHome, 0, 0, 0},
      {kPageUp, 0, 0, 0},
  };
  for (const Step& s : steps) {
    if (s.wheel != 0) {
      QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, s.wheel), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(form.canvas(), &wheel);
    } else {
      html.handleKey(s.key, s.shift);
    }
    EXPECT_EQ(scroll->value(), s.expected) << "key " << s.key << " wheel " << s.wheel;
    if (s.expected == max)  // the bottom of the page at the bottom of the frame
      EXPECT_EQ(form.canvas()->y() * TwipsPerPixelY(), -(html.PageHeight() - frame->Height()));
  }
  EXPECT_EQ(form.canvas()->y(), 0);
  // Keys reach the page while a button has the focus.
  form.button(0)->setFocus();
  QTest::keyClick(form.button(0), Qt::Key_End);
  EXPECT_EQ(scroll->value(), max);
  QTest::keyClick(form.button(0), Qt::Key_PageUp);
  EXPECT_EQ(scroll->value(), max - page1);
  // A launch that fails is told.
  html.setLauncher([](const QString&) { return false; });
  form.mnuOpen_Click();
  ASSERT_EQ(rec.log.size(), 3);
  EXPECT_TRUE(rec.log[2].contains("起動できませんでした")) << rec.log[2].toStdString();
  form.mcHTML_LinkClick(writeHelpFile("short.htm", "<BODY>短いページ</BODY>"));
  EXPECT_EQ(html.PlaneText(), "短いページ");
  EXPECT_FALSE(scroll->isEnabled());
}
