// Pictures of both pages after real runs and of the help window on the bundled help file,
// for the README: scripts/screenshots.sh runs this with the folder to write them to. Not a
// test; it shares the tests' window fixture.
#include <cstdio>

#include "help/frmHTMLHelp.h"
#include "support/pe_image_builder.h"
#include "support/private_configuration.h"
#include "shell/support_main_window.h"

namespace quorvane {
namespace {

using test::putDll;

// Lets pending paints (the status line paints a moment after its last change) happen.
void settle() { QTest::qWait(150); }

bool takePictures(const QString& out) {
  QDir().mkpath(out);
  testsupport::TempFolder dir;
  putDll(dir, "COMCTL32.OCX", {6, 0, 81, 5}, "6.00.8105");
  putDll(dir, "MSVBVM60.DLL", {6, 0, 84, 95}, "6.00.8495");
  putDll(dir, "OLEAUT32.DLL", {2, 40, 4275, 1}, "2.40.4275");
  putDll(dir, "STDOLE2.TLB", {2, 40, 4275, 1}, "2.40.4275");
  putDll(dir, "MSCOMCTL.OCX", {6, 0, 88, 62}, "6.00.8862");
  putDll(dir, "RICHTX32.OCX", {6, 0, 84, 17}, "6.00.8417");

  test::MainWindowFixture f;
  frmMain& w = f.window();
  ExtractionPage& page = *w.extractionPage();
  page.Text1[0]->setText(test::qpath(dir));
  const QString record = test::qpath(dir, "before.txt");
  page.Text1[2]->setText(record);
  page.Command1[1]->click();
  page.Command1[3]->click();

  // A newer setup: one control updated, one library gone, one added.
  putDll(dir, "MSCOMCTL.OCX", {6, 1, 97, 82}, "6.01.9782");
  QFile::remove(test::qpath(dir, "RICHTX32.OCX"));
  putDll(dir, "MSCOMCT2.OCX", {6, 0, 88, 4}, "6.00.8804");
  page.Command1[1]->click();
  page.List1->setCurrentRow(2);
  w.setStatusText(QStringLiteral("バージョン情報抽出完了 "));
  settle();
  if (!w.grab().save(out + QStringLiteral("/extraction.png"))) return false;

  w.selectTab(1);
  ComparisonPage& cmp = *w.comparisonPage();
  cmp.Text4[0]->setText(record);
  cmp.Text4[2]->setText(test::qpath(dir, "result.txt"));
  cmp.Command5[1]->click();
  cmp.Option1[1]->click();
  settle();
  if (!w.grab().save(out + QStringLiteral("/comparison.png")) || !f.seen->messages.empty()) return false;

  // The help window as the menu opens it. Without its file it would ask for one, and
  // nobody is there to answer.
  if (!QFileInfo(w.helpFileName()).isFile()) {
    std::fprintf(stderr, "page_screenshots: help file not found: %s\n", qPrintable(w.helpFileName()));
    return false;
  }
  w.mnuHelp1_Click();
  auto* helpWindow = w.findChild<help::frmHTMLHelp*>();
  if (helpWindow == nullptr || !helpWindow->isVisible()) {
    std::fprintf(stderr, "page_screenshots: the help window did not open on %s\n", qPrintable(w.helpFileName()));
    return false;
  }
  settle();
  return helpWindow->grab().save(out + QStringLiteral("/help.png"));
}

}  // namespace
}  // namespace quorvane

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: page_screenshots FOLDER\n");
    return 2;
  }
  const quorvane::testsupport::PrivateConfiguration configuration;
  QApplication app(argc, argv);
  return quorvane::takePictures(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
