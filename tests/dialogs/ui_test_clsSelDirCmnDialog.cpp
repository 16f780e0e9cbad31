#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "controls/picture_box.h"
#include "controls/system_colors.h"
#include "controls/twips.h"
#include "dialogs/clsSelDirCmnDialog.h"
#include "dialogs/dialog_script.h"
#include "dialogs/last_folder.h"
#include "dialogs/qt_print.h"

using quorvane::clsSelDirCmnDialog;
using quorvane::PictureBox;

namespace {

// True when some pixel of the box differs from its background: text was printed.
bool hasDrawing(const PictureBox& box) {
  const QImage img = box.Image();
  const QRgb background = quorvane::toQRgb(box.BackColor()) & 0xFFFFFF;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) != background) return true;
  return false;
}

class FolderPickerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid() && QDir(m_dir.path()).mkdir(QStringLiteral("sub")));
    m_form.resize(400, 200);
    m_box = new PictureBox(&m_form);
    m_box->setGeometry(10, 150, 380, 20);
    m_box->hide();
    m_form.show();
    m_picker.setForm(&m_form);
    m_picker.setPictureBox(m_box);
    m_picker.setDialogTitle(QStringLiteral("バージョン情報抽出先フォルダーの選択"));
    m_picker.setInitDir(native());
  }
  QString native(const QString& rel = QString()) const {
    return QDir::toNativeSeparators(rel.isEmpty() ? m_dir.path() : m_dir.filePath(rel));
  }

  QTemporaryDir m_dir;
  QWidget m_form;
  PictureBox* m_box = nullptr;
  clsSelDirCmnDialog m_picker;
};

}  // namespace

// The dialog carries the picture box showing the folder; selecting returns the highlighted
// subfolder, a cancel the last shown folder, and the box goes back to the form either way.
TEST_F(FolderPickerTest, SelectReturnsTheHighlightedFolderAndCancelTheShownOne) {
  DialogScript script;
  script.then<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->windowTitle(), QStringLiteral("バージョン情報抽出先フォルダーの選択"));
    EXPECT_EQ(d->parentWidget(), &m_form);
    ASSERT_NE(acceptButton(d), nullptr);
    EXPECT_EQ(acceptButton(d)->text(), QStringLiteral("選択(&S)"));
    EXPECT_FALSE(d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->isVisible());
    EXPECT_FALSE(d->findChild<QWidget*>(QStringLiteral("fileTypeCombo"))->isVisible());
    EXPECT_TRUE(d->isAncestorOf(m_box) && m_box->isVisible());
    EXPECT_EQ(m_box->size(), QSize(380, 20));
    EXPECT_EQ(m_picker.DirPath(), native());
    EXPECT_TRUE(hasDrawing(*m_box));
    d->selectFile(m_dir.filePath(QStringLiteral("sub")));
    accept(d);
  });
  EXPECT_EQ(m_picker.OpenDialog(), 1);
  EXPECT_FALSE(m_picker.CancelError());
  EXPECT_EQ(m_picker.DirPath(), native(QStringLiteral("sub")));

  m_picker.setInitDir(native());
  script.then<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_EQ(m_picker.OpenDialog(), 0);
  EXPECT_TRUE(m_picker.CancelError());
  EXPECT_EQ(m_picker.DirPath(), native());
  EXPECT_EQ(m_box->parentWidget(), &m_form);
  EXPECT_FALSE(m_box->isVisible());
  EXPECT_EQ(m_box->geometry(), QRect(10, 150, 380, 20));
}

TEST_F(FolderPickerTest, DetachedDialogDisablesTheFormAndOpensAtTheRequestedPlace) {
  m_picker.setSetDialogPosition(true);
  m_picker.setDialogLeft(40 * quorvane::TwipsPerPixelX());
  m_picker.setDialogTop(30 * quorvane::TwipsPerPixelY());
  DialogScript script;
  script.then<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->parentWidget(), nullptr);
    EXPECT_FALSE(m_form.isEnabled());
    EXPECT_EQ(d->pos(), QPoint(40, 30));
    accept(d);
  });
  EXPECT_EQ(m_picker.OpenDialog(), 1);
  EXPECT_TRUE(m_form.isEnabled());
}
