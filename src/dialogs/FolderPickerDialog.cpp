#include "dialogs/FolderPickerDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace quorvane {

namespace {

void hideChild(QWidget* dialog, const char* name) {
  if (auto* w = dialog->findChild<QWidget*>(QString::fromLatin1(name))) w->hide();
}

}  // namespace

FolderPickerDialog::FolderPickerDialog(QWidget* owner) : QFileDialog(owner) {
  setOption(QFileDialog::DontUseNativeDialog, true);
  setFileMode(QFileDialog::Directory);
  setAcceptMode(QFileDialog::AcceptOpen);
  setLabelText(QFileDialog::LookIn, QStringLiteral("ファイルの場所:"));
  setLabelText(QFileDialog::Accept, QStringLiteral("選択(&S)"));
  setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
  // The folder is chosen by opening it; a name box or a type box has nothing to do here.
  hideChild(this, "fileNameLabel");
  hideChild(this, "fileNameEdit");
  hideChild(this, "fileTypeLabel");
  hideChild(this, "fileTypeCombo");
  connect(this, &QFileDialog::directoryEntered, this,
          [this](const QString& dir) { emit folderShown(QDir::toNativeSeparators(dir)); });
}

QString FolderPickerDialog::currentFolder() const {
  return QDir::toNativeSeparators(directory().absolutePath());
}

void FolderPickerDialog::embed(QWidget* widget) {
  auto* grid = findChild<QGridLayout*>(QStringLiteral("gridLayout"));
  auto* label = findChild<QWidget*>(QStringLiteral("fileNameLabel"));
  if (grid == nullptr || label == nullptr) {
    // Without the expected layout the widget still shows, below everything else.
    widget->setParent(this);
    if (layout() != nullptr) layout()->addWidget(widget);
    return;
  }
  int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
  grid->getItemPosition(grid->indexOf(label), &row, &column, &rowSpan, &columnSpan);
  grid->addWidget(widget, row, 0, 2, 2, Qt::AlignLeft | Qt::AlignVCenter);
}

void FolderPickerDialog::showEvent(QShowEvent* event) {
  QFileDialog::showEvent(event);
  // The Explorer-style dialog reports the folder it opens in; so does this one, so that
  // choosing at once returns the start folder.
  if (!m_reportedInitial) {
    m_reportedInitial = true;
    emit folderShown(currentFolder());
  }
}

void FolderPickerDialog::accept() {
  // A folder highlighted in the list is the one the user points at: choosing returns it,
  // not the folder around it.
  auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  const QString typed = edit != nullptr ? edit->text().trimmed() : QString();
  if (!typed.isEmpty()) {
    const QFileInfo target(directory(), QDir::fromNativeSeparators(typed));
    if (target.isDir()) m_chosen = QDir::toNativeSeparators(QDir::cleanPath(target.absoluteFilePath()));
  }
  QDialog::accept();
}

QString FolderPickerDialog::chosenFolder() const { return m_chosen.isEmpty() ? currentFolder() : m_chosen; }

}  // namespace quorvane
