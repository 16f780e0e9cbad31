#pragma once

#include <QFileDialog>
#include <QString>

namespace quorvane {

// Qt's own file dialog in folder mode, with the file name and file type rows hidden and
// the accept button reading "選択(&S)". Accepting chooses the folder highlighted in the
// list, or the folder open in the dialog when none is highlighted.
class FolderPickerDialog : public QFileDialog {
  Q_OBJECT

 public:
  explicit FolderPickerDialog(QWidget* owner);

  // The folder currently open in the dialog, with native separators.
  QString currentFolder() const;
  // After acceptance: the folder chosen, with native separators.
  QString chosenFolder() const;

  // The place of the hidden rows, where the caller's widget is shown.
  void embed(QWidget* widget);

 signals:
  // Every time another folder is opened, and once for the folder the dialog opens in.
  void folderShown(const QString& folder);

 public slots:
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool m_reportedInitial = false;
  QString m_chosen;
};

}  // namespace quorvane
