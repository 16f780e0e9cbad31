#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace quorvane {

class PictureBox;

// Lets the user choose a folder in the file dialog adapted for folders: the caller's
// picture box is shown inside the dialog with "選択フォルダ : " and the folder open at
// the moment, and "選択(&S)" returns in DirPath the folder highlighted in the list, or
// the open folder when none is highlighted.
class clsSelDirCmnDialog {
 public:
  clsSelDirCmnDialog();
  ~clsSelDirCmnDialog();
  clsSelDirCmnDialog(const clsSelDirCmnDialog&) = delete;
  clsSelDirCmnDialog& operator=(const clsSelDirCmnDialog&) = delete;

  QWidget* Form() const { return m_form; }
  void setForm(QWidget* owner) { m_form = owner; }

  // The caller's picture box; its place in the calling window is remembered now and
  // restored when the dialog closes.
  quorvane::PictureBox* PictureBox() const;
  void setPictureBox(quorvane::PictureBox* box);

  QString DialogTitle() const { return m_dialogTitle; }
  void setDialogTitle(const QString& title) { m_dialogTitle = title; }
  QString InitDir() const { return m_initDir; }
  void setInitDir(const QString& dir) { m_initDir = dir; }

  // When true the dialog has no owner, Form is disabled while it shows, and it opens at
  // DialogLeft/DialogTop (twips, screen coordinates), kept on the screen.
  bool SetDialogPosition() const { return m_setDialogPosition; }
  void setSetDialogPosition(bool on) { m_setDialogPosition = on; }
  int DialogLeft() const { return m_dialogLeft; }
  void setDialogLeft(int twips) { m_dialogLeft = twips; }
  int DialogTop() const { return m_dialogTop; }
  void setDialogTop(int twips) { m_dialogTop = twips; }

  // Kept for callers that set them; the dialog offers no context help of its own.
  QString helpfile() const { return m_helpFile; }
  void sethelpfile(const QString& file) { m_helpFile = file; }
  std::int32_t HelpContext() const { return m_helpContext; }
  void setHelpContext(std::int32_t context) { m_helpContext = context; }
  QString HelpKey() const { return m_helpKey; }
  void setHelpKey(const QString& key) { m_helpKey = key; }

  QString DirPath() const { return m_dirPath; }
  bool CancelError() const { return m_cancelError; }

  // Shows the dialog modally: non-zero when a folder was chosen, 0 when cancelled.
  std::int32_t OpenDialog();
  // Gives the picture box back to the calling window, hidden, at its earlier place.
  void RestoreEmbeddedCtl();

  // The text shown in front of the folder.
  static QString folderPrefix() { return QStringLiteral("選択フォルダ : "); }

 private:
  void showFolder(const QString& folder);
  void embedPictureBox(class FolderPickerDialog& dialog);
  void placeDialog(QWidget& dialog) const;

  struct Home {
    QPointer<QWidget> parent;
    QRect geometry;
    QSize minimumSize;
    QSize maximumSize;
    bool embedded = false;
  };

  QPointer<QWidget> m_form;
  QPointer<quorvane::PictureBox> m_pictureBox;
  Home m_home;
  QString m_dialogTitle;
  QString m_initDir;
  bool m_setDialogPosition = false;
  int m_dialogLeft = 0;
  int m_dialogTop = 0;
  QString m_helpFile;
  std::int32_t m_helpContext = 0;
  QString m_helpKey;
  QString m_dirPath;
  bool m_cancelError = false;
};

}  // namespace quorvane
