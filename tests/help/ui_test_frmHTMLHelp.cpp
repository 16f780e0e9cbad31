#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

#include "controls/picture_box.h"
#include "controls/twips.h"
#include "help/clsHTML.h"
#include "help/frmHTMLHelp.h"
#include "help/help_settings.h"
#include "support_help_files.h"

using namespace quorvane;
using namespace quorvane::help;
using quorvane::help::testing::writeHelpFile;

namespace {

const char* const kMain =
    "<HTML><BODY>\n"
    "<A NAME=\"context\"></A><H2>目次</H2>\n"
    "<A HREF=\"#second\">二番目</A><BR>\n"
    "<A HREF=\"other.htm\">別のファイル</A><BR>\n"
    "<A HREF=\"http://example.org/\">外部</A>\n"
    "<!-- zqHTML.EndOfTopic -->\n"
    "<A NAME=\"second\"></A>二番目の項目です。\n"
    "<!-- zqHTML.EndOfTopic -->\n"
    "</BODY></HTML>\n";

// Records every question and message; answers with preset values.
struct Recorder {
  QStringList critical, information, questions, asked;
  QString fileAnswer;
  bool yes = false;

  HelpWindowServices services() {
    HelpWindowServices s;
    s.askFile = [this](QWidget*, const QString& title, const QString& filter, const QString&) {
      asked << title << filter;
      return fileAnswer;
    };
    s.critical = [this](QWidget*, const QString& title, const QString& text) { critical << title << text; };
    s.information = [this](QWidget*, const QString& title, const QString& text) { information << title << text; };
    s.askYesNo = [this](QWidget*, const QString& title, const QString& text) {
      questions << title << text;
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
  return QString::fromStdString(writeHelpFile("main.htm", kMain));
}

}  // namespace

TEST(frmHTMLHelp, LoadsTheFirstTopicWithCaptionsAndDisabledButtons) {
  Window w;
  ASSERT_TRUE(w.load(mainFile()));
  EXPECT_TRUE(w.text().contains(QString::fromUtf8("目次")));
  EXPECT_FALSE(w.text().contains(QString::fromUtf8("二番目の項目")));
  QStringList captions{w.form.windowTitle()};
  QString enabled;
  for (int i = 0; i < 7; ++i) {
    captions << w.form.button(i)->text();
    enabled += w.form.button(i)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
  }
  EXPECT_EQ(captions.join(QLatin1Char('|')),
            QString::fromUtf8("Quorvane ヘルプ|目次(&C)|検索(&S)|戻る(&B)|<<(&<)|>>(&>)|オプション(&O)|終了(&X)"));
  EXPECT_EQ(enabled, QStringLiteral("1010001"));
}

TEST(frmHTMLHelp, AnchorJumpThenBackAndContents) {
  Window w;
  ASSERT_TRUE(w.load(mainFile()));
  w.form.mcHTML_LinkClick(QStringLiteral("#second"));
  EXPECT_EQ(w.text(), QString::fromUtf8("二番目の項目です。"));
  EXPECT_EQ(w.form.previousLocation(), QStringLiteral("#"));
  w.form.Command1_Click(2);  // back: the top of the page
  EXPECT_TRUE(w.text().contains(QString::fromUtf8("目次")));
  w.form.mcHTML_LinkClick(QStringLiteral("#second"));
  w.form.Command1_Click(0);  // contents
  EXPECT_EQ(w.form.renderer()->CurName(), QStringLiteral("#context"));
  EXPECT_TRUE(w.text().contains(QString::fromUtf8("別のファイル")));
  ASSERT_TRUE(w.form.showTopic(QStringLiteral("#second")));  // as the program opens a topic
  EXPECT_EQ(w.text(), QString::fromUtf8("二番目の項目です。"));
  // The canvas follows the window's size.
  w.form.show();
  const int width = w.form.canvas()->width();
  w.form.resize(w.form.width() + 40, w.form.height());
  EXPECT_EQ(w.form.canvas()->width(), width + 40);
}

TEST(frmHTMLHelp, FileJumpThenBackReloadsTheFormerFile) {
  Window w;
  const QString file = mainFile();
  ASSERT_TRUE(w.load(file));
  w.form.mcHTML_LinkClick(QStringLiteral("other.htm"));
  EXPECT_EQ(w.text(), QString::fromUtf8("別のファイルです。"));
  EXPECT_EQ(w.form.previousLocation(), file);
  w.form.Command1_Click(2);
  EXPECT_EQ(w.form.renderer()->HtmlFile(), file);
  EXPECT_TRUE(w.text().contains(QString::fromUtf8("目次")));
}

TEST(frmHTMLHelp, LinkThatCannotBeShown) {
  Window w;
  const QString file = mainFile();
  ASSERT_TRUE(w.load(file));
  w.form.mcHTML_LinkClick(QStringLiteral("missing.htm"));
  ASSERT_EQ(w.rec.critical.size(), 2);
  EXPECT_EQ(w.rec.critical[0], QStringLiteral("zqHTMLHelp"));
  EXPECT_EQ(w.rec.critical[1], QString::fromUtf8("missing.htm を開けません"));
  EXPECT_EQ(w.form.renderer()->HtmlFile(), file);
  EXPECT_TRUE(w.text().contains(QString::fromUtf8("目次")));
}

TEST(frmHTMLHelp, InternetLinksAskFirst) {
  Window w;
  ASSERT_TRUE(w.load(mainFile()));
  w.rec.yes = false;
  w.form.mcHTML_LinkClick(QStringLiteral("http://example.org/"));
  ASSERT_EQ(w.rec.questions.size(), 2);
  EXPECT_EQ(w.rec.questions[0], QStringLiteral("zqHTMLHelp"));
  EXPECT_EQ(w.rec.questions[1], QString::fromUtf8("http://example.org/\r Internet URL へのハイパーリンクです。実行しますか？"));
  EXPECT_TRUE(w.launched.isEmpty());
  w.rec.yes = true;
  w.form.mcHTML_LinkClick(QStringLiteral("mailto:someone@example.org"));
  EXPECT_EQ(w.launched, QStringList{QStringLiteral("mailto:someone@example.org")});
  EXPECT_TRUE(w.rec.critical.isEmpty());
}

TEST(frmHTMLHelp, CopyPageTextAndLinkLocations) {
  Window w;
  const QString file = mainFile();
  ASSERT_TRUE(w.load(file));
  w.form.mnuCopy_Click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), w.text());
  w.form.setPopupEnabled(false);
  w.form.mcHTML_LinkRightClick(QStringLiteral("#second"));
  w.form.mnuPuCopy_Click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), file + QStringLiteral("#second"));
  w.form.mcHTML_LinkRightClick(QStringLiteral("other.htm"));
  w.form.mnuPuCopy_Click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("other.htm"));
}

TEST(frmHTMLHelp, MissingFileAsksAndSavesTheChoice) {
  const QString chosen = mainFile();
  {
    Window w;
    w.rec.fileAnswer = QString();
    EXPECT_FALSE(w.load(QStringLiteral("/no/such/QUORVANE.HTM")));
    ASSERT_EQ(w.rec.asked.size(), 2);
    EXPECT_EQ(w.rec.asked[0], QString::fromUtf8("HTML ヘルプファイル名の選択"));
    EXPECT_EQ(w.rec.asked[1], QStringLiteral("HTM Files (*.HTM)|*.HTM|HTML Files (*.HTML)|*.HTML"));
  }
  Window w;
  w.rec.fileAnswer = chosen;
  ASSERT_TRUE(w.load(QStringLiteral("/no/such/QUORVANE.HTM")));
  EXPECT_EQ(w.form.HTMLHelpFile(), chosen);
  QSettings s(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
  EXPECT_EQ(s.value(QStringLiteral("Settings/HTMLHelpFile")).toString(), chosen);
  EXPECT_EQ(configuredHelpFile(), chosen);
}

TEST(frmHTMLHelp, FileThatCannotBeDisplayed) {
  Window w;
  const QString bad = QString::fromStdString(writeHelpFile("bad.htm", "<HTML>no body</HTML>"));
  EXPECT_FALSE(w.load(bad));
  ASSERT_EQ(w.rec.critical.size(), 2);
  EXPECT_EQ(w.rec.critical[0], QStringLiteral("zqHTMLHelp"));
  EXPECT_EQ(w.rec.critical[1], QString::fromUtf8("指定された HTML ファイル ") + bad + QString::fromUtf8(" が見つかりませんでした"));
}

TEST(frmHTMLHelp, OptionsStayOnTopFontSizeAndVersion) {
  Window w;
  const QString file = mainFile();
  ASSERT_TRUE(w.load(file));
  w.form.mnuOpDisp_Click(1);
  EXPECT_TRUE(w.form.isStayOnTop());
  w.form.mnuOpDisp_Click(2);
  EXPECT_FALSE(w.form.isStayOnTop());
  w.form.mnuOpFont_Click(2);
  EXPECT_DOUBLE_EQ(w.form.renderer()->document().displayScale(), 1.3);
  w.form.mnuOpFont_Click(0);
  EXPECT_DOUBLE_EQ(w.form.renderer()->document().displayScale(), 0.8);
  w.form.mnuVer_Click();
  ASSERT_EQ(w.rec.information.size(), 2);
  EXPECT_EQ(w.rec.information[0], QStringLiteral("zqHTMLHelp"));
  EXPECT_EQ(w.rec.information[1],
            QString::fromUtf8("zqHTMLHelp\nThis Version Of zqHTML.DLL Is embedded In Application\n\n"
                              "Quorvane ファイルバージョン比較ツール ヘルプ\n( ") + file + QStringLiteral(" )"));
}

TEST(HelpSettings, DefaultRuleFindsBuildAndInstalledLayouts) {
  const QString build = QStringLiteral(QUORVANE_BINARY_DIR);
  // From build/src/shell the build's own copy in build/share/quorvane is found.
  EXPECT_EQ(defaultHelpFile(build + QStringLiteral("/src/shell")),
            build + QStringLiteral("/share/quorvane/QUORVANE.HTM"));
  // From build/bin (an installed layout prefix/bin) it is found one level up.
  EXPECT_EQ(defaultHelpFile(build + QStringLiteral("/bin")), build + QStringLiteral("/share/quorvane/QUORVANE.HTM"));
  // Nowhere: the program's folder, and the window asks.
  EXPECT_EQ(defaultHelpFile(QStringLiteral("/nonexistent/bin")), QStringLiteral("/nonexistent/bin/QUORVANE.HTM"));
}

TEST(frmHTMLHelp, WindowBesideItsOwnerWithTheWholeFrameShownAndKeysFromAnyControl) {
  std::string page = "<BODY><A NAME=\"context\"></A>\n";
  for (int i = 0; i < 80; ++i) page += "行 " + std::to_string(i) + "<BR>\n";
  QWidget owner;
  owner.setGeometry(100, 100, 500, 400);
  owner.show();
  Recorder rec;
  frmHTMLHelp form(&owner, rec.services());
  form.setWindowFlag(Qt::Window);
  form.setHTMLHelpFile(QString::fromStdString(writeHelpFile("keys.htm", page)));
  ASSERT_TRUE(form.Form_Load());
  form.resize(680, 560);
  form.show();
  EXPECT_NE(form.frameGeometry().topLeft(), owner.frameGeometry().topLeft());
  // A desktop may give the menu bar its height after the window was sized.
  form.menuBar()->setFixedHeight(form.menuBar()->height() + 17);
  QCoreApplication::processEvents();
  // The frame and its scroll bar end above the window's bottom edge, with the margin
  // that is on their left.
  const QWidget* client = form.centralWidget();
  const auto* scroll = client->findChild<QScrollBar*>();
  ASSERT_NE(scroll, nullptr);
  const int margin = form.canvas()->parentWidget()->x();
  EXPECT_EQ(scroll->geometry().bottom() + 1 + margin, client->height());
  EXPECT_EQ(form.canvas()->parentWidget()->geometry().bottom(), scroll->geometry().bottom());
  EXPECT_EQ(scroll->geometry().right() + 1 + margin, client->width());
  // Keys reach the page while a button has the focus; the launch that fails is told.
  form.button(0)->setFocus();
  QTest::keyClick(form.button(0), Qt::Key_End);
  EXPECT_EQ(scroll->value(), scroll->maximum());
  QTest::keyClick(form.button(0), Qt::Key_PageUp);
  EXPECT_EQ(scroll->value(), scroll->maximum() - scroll->pageStep());
  form.renderer()->setLauncher([](const QString&) { return false; });
  form.mnuOpen_Click();
  ASSERT_EQ(rec.critical.size(), 2);
  EXPECT_TRUE(rec.critical[1].contains(QString::fromUtf8("起動できませんでした"))) << rec.critical[1].toStdString();
}
