// Renders every custom control in each of its states, and the windows drawn with them,
// into PNG files, so that a person can look at them: controls_gallery OUTPUT_FOLDER
// [HELP_FILE]. Each picture is written at its own size and three times enlarged
// (name_x3.png). Also prints how long a full toolbar repaint takes.
#include "about/frmVersionInfo.h"
#include "controls/clsBitMapEx.h"
#include "controls/clsBorder3D.h"
#include "controls/clsStatusBar.h"
#include "controls/clsTabStrip.h"
#include "controls/clsToolBar.h"
#include "controls/picture_box.h"
#include "controls/resources.h"
#include "controls/system_colors.h"
#include "dialogs/clsProgressForm.h"
#include "dialogs/frmProgress.h"
#include "help/frmHTMLHelp.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>

#include <cstdio>

using namespace quorvane;

namespace {

QString g_out;
int g_written = 0;

void save(const QImage& image, const QString& name) {
  image.save(g_out + QLatin1Char('/') + name + QStringLiteral(".png"));
  image.scaled(image.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation)
      .save(g_out + QLatin1Char('/') + name + QStringLiteral("_x3.png"));
  ++g_written;
}

void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton b, Qt::MouseButtons bs, QPoint p) {
  QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), b, bs, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

QPoint centreOf(const clsToolBar& bar, int id) {
  const clsToolButton* b = bar.Item(id);
  return {(b->Left() + b->Width() / 2) / 15, (b->Top() + b->Height() / 2) / 15};
}

void borders() {
  struct Case { const char* name; int style, outer, inner, bevelWidth, edgeStyle; };
  const Case cases[] = {
      {"border_8_raised", 8, 2, 0, 1, 0},      {"border_8_inset", 8, 1, 0, 1, 0},
      {"border_8_raised_inset", 8, 2, 1, 2, 0}, {"border_7_outward", 7, 2, 2, 1, 0},
      {"border_6_etched", 6, 2, 0, 1, 0},       {"border_12_thin_raised", 12, 2, 0, 1, 0},
      {"border_13_thin_sunken", 13, 2, 0, 1, 0}, {"border_12_one_call", 12, 2, 0, 1, 1},
      {"border_13_one_call", 13, 2, 0, 1, 1},
  };
  for (const Case& c : cases) {
    PictureBox canvas;
    canvas.resize(40, 30);
    canvas.Cls();
    clsBorder3D b;
    b.setCanvas(&canvas);
    b.setClient(&canvas);
    b.setStyle3D(c.style);
    b.setBevelOuter(c.outer);
    b.setBevelInner(c.inner);
    b.setBevelWidth(c.bevelWidth);
    b.setDrawEdgeStyle(c.edgeStyle);
    b.setLeft(8 * 15);
    b.setTop(6 * 15);
    b.setWidth(24 * 15);
    b.setHeight(18 * 15);
    b.Draw();
    save(canvas.Image(), QString::fromLatin1(c.name));
  }
}

void bitmapKinds() {
  PictureBox canvas;
  canvas.resize(6 * 24 + 4, 5 * 24 + 4);
  canvas.setBackColor(rgbColor(0, 128, 128));  // teal shows what is transparent
  canvas.Cls();
  const int ids[] = {50, 40, 30, 3, 41, 51};
  for (int col = 0; col < 6; ++col) {
    clsBitMapEx bmp;
    bmp.setCanvas(&canvas);
    bmp.setSrcPic(LoadResPicture(ids[col]));
    bmp.setMaskColor(bmp.MaskColor());
    bmp.setMonoForeColor(bmp.MonoForeColor());
    for (int kind = 0; kind < 5; ++kind) {
      bmp.setLeft((4 + col * 24) * 15);
      bmp.setTop((4 + kind * 24) * 15);
      bmp.Draw(kind);
    }
  }
  save(canvas.Image(), QStringLiteral("bitmap_kinds_rows_0_to_4"));
}

// Builds the main window's toolbar on a fresh form.
struct Bar {
  explicit Bar(bool cool) {
    form.resize(260, 40);
    canvas = new PictureBox(&form);
    canvas->setGeometry(0, 0, 240, 30);
    work = new PictureBox(&form);
    bar.setDrawEndline(true);
    bar.setCanvas(canvas);
    bar.setWorkCanvas(work);
    bar.setCoolBar(cool);
    bar.Initialize();
    for (int id : {50, 0, 40, 30, 3, 0, 41, 0, 51}) {
      if (id == 0) bar.AddSeparator();
      else bar.AddButton(LoadResPicture(id), id, 0, LoadResString(id));
    }
    form.show();
    bar.Show();
  }
  QImage shot() const { return canvas->Image().copy(0, 0, bar.MinimumWidth() / 15 + 4, bar.Height() / 15); }
  QWidget form;
  PictureBox* canvas;
  PictureBox* work;
  clsToolBar bar;
};

void toolbars() {
  for (bool cool : {false, true}) {
    const QString mode = cool ? QStringLiteral("cool") : QStringLiteral("classic");
    {
      Bar b(cool);
      save(b.shot(), QStringLiteral("toolbar_%1_idle").arg(mode));
      mouse(b.canvas, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, centreOf(b.bar, 30));
      save(b.shot(), QStringLiteral("toolbar_%1_hover_run").arg(mode));
      mouse(b.canvas, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, centreOf(b.bar, 30));
      save(b.shot(), QStringLiteral("toolbar_%1_pressed_run").arg(mode));
      mouse(b.canvas, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, centreOf(b.bar, 30));
      b.bar.setEnabled(3, false);
      b.bar.setEnabled(41, false);
      save(b.shot(), QStringLiteral("toolbar_%1_save_copy_disabled").arg(mode));
      b.bar.Group(40, 40, true);
      b.bar.setValue(40, true);
      save(b.shot(), QStringLiteral("toolbar_%1_choose_checked").arg(mode));
      b.bar.setVisible(30, false);
      save(b.shot(), QStringLiteral("toolbar_%1_run_invisible").arg(mode));
    }
  }
  // Timing of a full repaint of the six-button bar.
  Bar b(true);
  QElapsedTimer t;
  const int rounds = 2000;
  t.start();
  for (int i = 0; i < rounds; ++i) b.bar.Show();
  std::printf("toolbar full repaint: %.1f microseconds on average over %d repaints\n",
              static_cast<double>(t.nsecsElapsed()) / rounds / 1000.0, rounds);
}

void tabStrips() {
  QWidget form;
  form.resize(360, 120);
  auto* picture = new PictureBox(&form);
  picture->setGeometry(0, 0, 340, 100);
  clsTabStrip strip;
  strip.setPicture(picture);
  strip.Add(QStringLiteral("ファイル情報抽出"), QStringLiteral("1"));
  strip.Add(QStringLiteral("ファイル情報比較"), QStringLiteral("2"));
  form.show();
  save(picture->Image(), QStringLiteral("tabstrip_first_selected"));
  picture->setFocus();
  QApplication::processEvents();
  save(picture->Image(), QStringLiteral("tabstrip_first_focused"));
  strip.setSelectedIndex(1);
  save(picture->Image(), QStringLiteral("tabstrip_second_focused"));
  picture->clearFocus();
  QApplication::processEvents();
  save(picture->Image(), QStringLiteral("tabstrip_second_selected"));
  strip.Add(QStringLiteral("その他"), QString());
  strip.setSelectedIndex(0);
  save(picture->Image(), QStringLiteral("tabstrip_three_tabs"));
}

void statusBars() {
  QWidget form;
  form.resize(420, 40);
  auto* canvas = new PictureBox(&form);
  canvas->setGeometry(0, 0, 400, 22);
  clsStatusBar bar;
  bar.setCanvas(canvas);
  form.show();
  bar.setBarStyle(1);
  save(canvas->Image(), QStringLiteral("statusbar_simple_empty"));
  bar.setSimpleText(QStringLiteral("バージョン情報抽出完了 "));
  save(canvas->Image(), QStringLiteral("statusbar_simple_text"));
  bar.setBarStyle(0);
  bar.AddPanel();
  bar.AddPanel();
  bar.AddPanel();
  bar.setBevel(0, 1);
  bar.setBevel(1, 1);
  bar.setAutoSize(1, 1);
  bar.setBevel(2, 2);
  bar.setTextColor(2, rgbColor(128, 0, 0));
  bar.setText(0, QStringLiteral("固定幅パネルに長いテキストを入れて切る"));
  bar.setText(1, QStringLiteral("自動幅"));
  bar.setText(2, QStringLiteral("浮き"));
  save(canvas->Image(), QStringLiteral("statusbar_panels"));
  bar.setText(1, QString(40, QChar(0x30C6)));
  save(canvas->Image(), QStringLiteral("statusbar_panels_overflow"));
}

void resources() {
  for (int id : {50, 40, 30, 3, 41, 51}) save(LoadResPicture(id), QStringLiteral("resource_bitmap_%1").arg(id));
  save(LoadResPicture(QStringLiteral("STATUSBAR")), QStringLiteral("resource_statusbar_grip"));
  save(LoadResPicture(QStringLiteral("BTN_CROSS")), QStringLiteral("resource_btn_cross"));
  QImage cursor(32, 32, QImage::Format_RGB32);
  cursor.fill(qRgb(0, 128, 128));
  QPainter(&cursor).drawPixmap(0, 0, LoadResCursor(100).pixmap());
  save(cursor, QStringLiteral("resource_cursor_100"));
  save(programIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_RGB32),
       QStringLiteral("resource_program_icon"));
}

// The windows drawn with the controls: the help window on the program's help file, the
// progress window running and finished, the about box.
void windows(const QString& helpFile) {
  help::HelpWindowServices services = help::HelpWindowServices::defaults();
  services.askFile = [](QWidget*, const QString&, const QString&, const QString&) { return QString(); };
  services.critical = [](QWidget*, const QString&, const QString& text) {
    std::fprintf(stderr, "help window: %s\n", qPrintable(text));
  };
  help::frmHTMLHelp helpWindow(nullptr, services);
  helpWindow.setHTMLHelpFile(helpFile);
  if (helpWindow.Form_Load()) {
    helpWindow.resize(680, 560);
    helpWindow.show();
    helpWindow.showTopic(QString());
    save(helpWindow.grab().toImage(), QStringLiteral("help_window_contents"));
    helpWindow.showTopic(QStringLiteral("#extract"));
    save(helpWindow.grab().toImage(), QStringLiteral("help_window_extract"));
  }
  clsProgressForm progress;
  progress.setDispFinished(true);
  progress.UpdateStatus(0.42f, QStringLiteral("バージョン情報抽出中 "), true);
  save(frmProgress::shared()->grab().toImage(), QStringLiteral("progress"));
  progress.UpdateStatus(1.0f, QStringLiteral("バージョン情報抽出完了 "), true);
  save(frmProgress::shared()->grab().toImage(), QStringLiteral("progress_done"));
  frmVersionInfo about;
  about.show();
  save(about.grab().toImage(), QStringLiteral("about_box"));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: controls_gallery OUTPUT_FOLDER [HELP_FILE]\n");
    return 2;
  }
  g_out = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(g_out)) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  setSystemColorSource(SystemColorSource::Classic);
  borders();
  bitmapKinds();
  toolbars();
  tabStrips();
  statusBars();
  resources();
  if (argc > 2) windows(QString::fromLocal8Bit(argv[2]));
  std::printf("%d pictures written to %s\n", g_written, qPrintable(g_out));
  return 0;
}
