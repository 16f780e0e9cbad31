#include "shell/frmMain_windows.h"

#include <QMessageBox>
#include <QWidget>

#include "program_info.h"

namespace quorvane {

QWidget* showHelpWindow(QWidget* owner, const QString& helpFile) {
  QMessageBox::information(owner, QString::fromUtf8(programInfo::kTitle), helpFile);
  return nullptr;
}

void showAboutBox(QWidget* owner) {
  QMessageBox::about(owner, QString::fromUtf8(programInfo::kTitle),
                     QString::fromUtf8(programInfo::kProductName));
}

}  // namespace quorvane
