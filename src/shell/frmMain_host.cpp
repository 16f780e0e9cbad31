// The services the pages ask of the main window: status line, messages, dialogs, progress.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMessageBox>

#include "compare/ComparisonPage.h"
#include "dialogs/clsCommonDialog.h"
#include "dialogs/clsProgressForm.h"
#include "dialogs/clsSelDirCmnDialog.h"
#include "program_info.h"
#include "shell/MainControls.h"
#include "shell/frmMain.h"

namespace quorvane {

namespace {

// The program's progress window, waiting at 100 % with an OK button. Updates reach the
// window at most every few milliseconds (each one lets the event loop run, which is what
// repaints and notices cancel); a new caption and the end always reach it at once.
class ProgressFormReporter : public ProgressReporter {
 public:
  explicit ProgressFormReporter(QWidget* owner) {
    m_form.setOwnerForm(owner);
    m_form.setDispFinished(true);
  }
  bool update(float fraction, const QString& caption, bool completion) override {
    constexpr qint64 kIntervalNs = 15'000'000;
    const bool due = !m_sinceLast.isValid() || m_sinceLast.nsecsElapsed() >= kIntervalNs ||
                     caption != m_lastCaption || fraction >= 1.0f;
    if (!due) return true;
    m_sinceLast.start();
    m_lastCaption = caption;
    return m_form.UpdateStatus(fraction, caption, completion);
  }
  bool canceled() override { return m_form.Canceled(); }

 private:
  clsProgressForm m_form;
  QElapsedTimer m_sinceLast;
  QString m_lastCaption;
};

}  // namespace

// Every text becomes the status text at once; painting it waits while texts arrive
// faster than a person can read them, and the last one is always painted.
void frmMain::setStatusText(const QString& text) {
  m_statusText = text;
  if (!m_controls) return;
  constexpr qint64 kIntervalMs = 40;
  // One reading of the clock: a second one could pass the interval and give the timer a
  // negative wait, which Qt refuses, and the last text would stay unpainted.
  const qint64 since = m_statusPainted.isValid() ? m_statusPainted.elapsed() : kIntervalMs;
  if (since >= kIntervalMs) {
    paintStatusText();
  } else if (!m_statusTimer.isActive()) {
    m_statusTimer.start(static_cast<int>(kIntervalMs - since));
  }
}

void frmMain::paintStatusText() {
  m_statusTimer.stop();
  m_statusPainted.start();
  if (m_controls && m_controls->statusText() != m_statusText) m_controls->setStatusText(m_statusText);
}

QString frmMain::statusText() const { return m_statusText; }

QString frmMain::paintedStatusText() const { return m_controls ? m_controls->statusText() : QString(); }

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

bool frmMain::askYesNo(const QString& text) {
  if (m_interaction.question) return m_interaction.question(text);
  return QMessageBox::question(this, QString::fromUtf8(programInfo::kTitle), text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
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
  clsSelDirCmnDialog dialog;
  dialog.setForm(this);
  dialog.setPictureBox(Picture3);
  dialog.setDialogTitle(request.title);
  dialog.setInitDir(request.initDir);
  if (dialog.OpenDialog() == 0 || dialog.CancelError() || dialog.DirPath().isEmpty()) return std::nullopt;
  return dialog.DirPath();
}

std::optional<QString> frmMain::chooseFile(const FileRequest& request) {
  if (m_interaction.chooseFile) return m_interaction.chooseFile(request);
  if (!m_fileDialog) m_fileDialog = std::make_unique<clsCommonDialog>();
  clsCommonDialog& dialog = *m_fileDialog;
  dialog.setForm(this);
  dialog.setFileName(QString());
  dialog.setDialogTitle(request.title);
  dialog.setFilter(request.filter);
  dialog.setFilterIndex(request.filterIndex);
  dialog.setInitDir(request.initDir);
  dialog.setDefaultExt(request.defaultExt.isEmpty() ? QString(QChar(u'\0')) : request.defaultExt);
  dialog.setFlags(request.flags);
  if (request.save)
    dialog.ShowSave();
  else
    dialog.ShowOpen();
  if (dialog.CancelError() || dialog.FileName().isEmpty()) return std::nullopt;
  return dialog.FileName();
}

std::unique_ptr<ProgressReporter> frmMain::createProgress() {
  // An interaction that gives no reporter leaves the run to the program's own window.
  if (m_interaction.progress)
    if (auto reporter = m_interaction.progress()) return reporter;
  return std::make_unique<ProgressFormReporter>(this);
}

void frmMain::extractionRunEnded(bool completed) {
  if (m_page1) m_page1->extractionRunEnded(completed);
}

}  // namespace quorvane
