// The services the pages ask of the main window: status line, messages, dialogs, progress.
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>

#include "compare/ComparisonPage.h"
#include "program_info.h"
#include "shell/MainControls.h"
#include "shell/frmMain.h"

namespace quorvane {

namespace {

class ProgressDialogReporter : public ProgressReporter {
 public:
  explicit ProgressDialogReporter(QWidget* owner) : m_owner(owner) {}
  ~ProgressDialogReporter() override {
    if (m_owner) m_owner->setEnabled(true);
  }
  bool update(float fraction, const QString& caption, bool) override {
    if (!m_dialog) {
      m_dialog = std::make_unique<QProgressDialog>(m_owner);
      m_dialog->setRange(0, 1000);
      m_dialog->setWindowModality(Qt::NonModal);
      m_dialog->show();
      if (m_owner) m_owner->setEnabled(false);
    }
    m_dialog->setLabelText(caption);
    m_dialog->setValue(static_cast<int>(fraction * 1000));
    QApplication::processEvents();
    return true;
  }
  bool canceled() override {
    if (m_dialog && m_dialog->wasCanceled()) m_canceled = true;
    return m_canceled;
  }

 private:
  QWidget* m_owner;
  std::unique_ptr<QProgressDialog> m_dialog;
  bool m_canceled = false;
};

}  // namespace

void frmMain::setStatusText(const QString& text) {
  if (m_controls) m_controls->setStatusText(text);
}

QString frmMain::statusText() const { return m_controls ? m_controls->statusText() : QString(); }

void frmMain::showMessage(const QString& text, MessageIcon icon) {
  if (m_interaction.message) {
    m_interaction.message(text, icon);
    return;
  }
  QMessageBox box(this);
  box.setWindowTitle(QString::fromUtf8(programInfo::kTitle));
  box.setText(text);
  box.setStandardButtons(QMessageBox::Ok);
  box.setIcon(icon == MessageIcon::Critical      ? QMessageBox::Critical
              : icon == MessageIcon::Information ? QMessageBox::Information
                                                 : QMessageBox::NoIcon);
  box.exec();
}

void frmMain::beep() {
  if (m_interaction.beep)
    m_interaction.beep();
  else
    QApplication::beep();
}

void frmMain::setBusyPointer(bool busy) {
  if (busy) {
    if (m_busyDepth++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (m_busyDepth > 0) {
    if (--m_busyDepth == 0) QApplication::restoreOverrideCursor();
  }
}

void frmMain::setClipboardText(const QString& text) { QApplication::clipboard()->setText(text); }

std::optional<QString> frmMain::chooseFolder(const FolderRequest& request) {
  if (m_interaction.chooseFolder) return m_interaction.chooseFolder(request);
  const QString dir = QFileDialog::getExistingDirectory(this, request.title, request.initDir);
  if (dir.isEmpty()) return std::nullopt;
  return dir;
}

std::optional<QString> frmMain::chooseFile(const FileRequest& request) {
  if (m_interaction.chooseFile) return m_interaction.chooseFile(request);
  QStringList parts = request.filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) filters << parts[i];
  const QString filter = filters.join(QStringLiteral(";;"));
  const QString name = request.save
                           ? QFileDialog::getSaveFileName(this, request.title, request.initDir, filter)
                           : QFileDialog::getOpenFileName(this, request.title, request.initDir, filter);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::unique_ptr<ProgressReporter> frmMain::createProgress() {
  if (m_interaction.progress) return m_interaction.progress();
  return std::make_unique<ProgressDialogReporter>(this);
}

void frmMain::extractionRunEnded(bool completed) {
  if (m_page1) m_page1->extractionRunEnded(completed);
}

}  // namespace quorvane
