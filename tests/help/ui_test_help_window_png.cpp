// Renders the help window on the program's own help file into PNG files under the build
// folder, for a person to look at; checks that the page is not blank.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "controls/PictureBox.h"
#include "help/clsHTML.h"
#include "help/frmHTMLHelp.h"

using namespace quorvane::help;

TEST(HelpWindowPicture, RendersTheProgramsHelpFile) {
  HelpWindowServices services = HelpWindowServices::defaults();
  services.critical = [](QWidget*, const QString& t, const QString& m) { ADD_FAILURE() << t.toStdString() << m.toStdString(); };
  frmHTMLHelp form(nullptr, services);
  form.setHTMLHelpFile(QStringLiteral(QUORVANE_BINARY_DIR "/share/quorvane/QUORVANE.HTM"));
  ASSERT_TRUE(form.Form_Load());
  form.resize(680, 560);
  form.show();
  const auto save = [&](const char* name) {
    const QImage shot = form.grab().toImage();
    EXPECT_TRUE(shot.save(QStringLiteral(QUORVANE_BINARY_DIR "/") + QString::fromLatin1(name)));
    // Some dark text pixels on the page.
    const QImage page = form.canvas()->grab().toImage();
    int dark = 0;
    for (int y = 0; y < page.height(); y += 2)
      for (int x = 0; x < page.width(); x += 2) dark += qGray(page.pixel(x, y)) < 100;
    EXPECT_GT(dark, 200) << name;
  };
  ASSERT_TRUE(form.showTopic(QString()));
  save("help_window_contents.png");
  ASSERT_TRUE(form.showTopic(QStringLiteral("#extract")));
  save("help_window_extract.png");
}
