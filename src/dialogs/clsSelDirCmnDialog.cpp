#include "dialogs/clsSelDirCmnDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include "controls/picture_box.h"
#include "controls/twips.h"
#include "dialogs/FolderPickerDialog.h"
#include "dialogs/last_folder.h"

namespace quorvane {

clsSelDirCmnDialog::clsSelDirCmnDialog() = default;

clsSelDirCmnDialog::~clsSelDirCmnDialog() { RestoreEmbeddedCtl(); }

quorvane::PictureBox* clsSelDirCmnDialog::PictureBox() const { return m_pictureBox; }

void clsSelDirCmnDialog::setPictureBox(quorvane::PictureBox* box) {
  RestoreEmbeddedCtl();
  m_pictureBox = box;
  m_home = Home{};
  if (box == nullptr) return;
  m_home.parent = box->parentWidget();
  m_home.geometry = box->geometry();
  m_home.minimumSize = box->minimumSize();
  m_home.maximumSize = box->maximumSize();
}

std::int32_t clsSelDirCmnDialog::OpenDialog() {
  QPointer<QWidget> form = m_form;
  const bool detached = m_setDialogPosition;
  FolderPickerDialog dialog(detached ? nullptr : form.data());
  dialog.setWindowTitle(m_dialogTitle);
  // Without a start folder that exists, the user's documents or home folder, never the
  // current folder (for an installed program, its own read-only folder).
  const QString start = QDir::fromNativeSeparators(m_initDir);
  dialog.setDirectory(!start.isEmpty() && QFileInfo(start).isDir() ? start : lastFolder::fallbackFolder());
  QObject::connect(&dialog, &FolderPickerDialog::folderShown, &dialog,
                   [this](const QString& folder) { showFolder(folder); });
  embedPictureBox(dialog);
  if (detached) {
    placeDialog(dialog);
    if (form) form->setEnabled(false);
  }

  const int result = dialog.exec();
  RestoreEmbeddedCtl();
  if (detached && form) {
    form->setEnabled(true);
    form->activateWindow();
    form->setFocus();
  }
  m_cancelError = result != QDialog::Accepted;
  if (!m_cancelError) m_dirPath = dialog.chosenFolder();
  return m_cancelError ? 0 : 1;
}

void clsSelDirCmnDialog::showFolder(const QString& folder) {
  if (folder.isEmpty()) return;
  m_dirPath = folder;
  if (!m_pictureBox) return;
  m_pictureBox->Cls();
  m_pictureBox->Print(folderPrefix() + folder);
}

void clsSelDirCmnDialog::embedPictureBox(FolderPickerDialog& dialog) {
  if (!m_pictureBox) return;
  // The layout would squeeze a widget without a size hint, so the box keeps its size.
  m_pictureBox->setFixedSize(m_home.geometry.size());
  dialog.embed(m_pictureBox);
  m_pictureBox->show();
  m_home.embedded = true;
}

void clsSelDirCmnDialog::RestoreEmbeddedCtl() {
  if (!m_pictureBox || !m_home.embedded) return;
  m_home.embedded = false;
  m_pictureBox->hide();
  m_pictureBox->setParent(m_home.parent);
  m_pictureBox->setMinimumSize(m_home.minimumSize);
  m_pictureBox->setMaximumSize(m_home.maximumSize);
  m_pictureBox->setGeometry(m_home.geometry);
}

// Opens the dialog at the requested place, moved back inside the screen when it would
// stick out.
void clsSelDirCmnDialog::placeDialog(QWidget& dialog) const {
  dialog.adjustSize();
  QPoint pos(m_dialogLeft / TwipsPerPixelX(), m_dialogTop / TwipsPerPixelY());
  QScreen* screen = QGuiApplication::screenAt(pos);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    const QRect area = screen->availableGeometry();
    pos.setX(std::max(area.left(), std::min(pos.x(), area.right() + 1 - dialog.width())));
    pos.setY(std::max(area.top(), std::min(pos.y(), area.bottom() + 1 - dialog.height())));
  }
  dialog.move(pos);
}

}  // namespace quorvane
