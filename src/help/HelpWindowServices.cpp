#include "help/HelpWindowServices.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace quorvane::help {

QString qtNameFilter(const QString& pipeFilter) {
  const QStringList parts = pipeFilter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    // The description usually repeats the pattern in brackets already.
    const QString& description = parts[i];
    const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << (description.contains(QLatin1Char('(')) ? description : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
  }
  return filters.join(QStringLiteral(";;"));
}

HelpWindowServices HelpWindowServices::defaults() {
  HelpWindowServices s;
  // The file-open question of the common dialog wrapper, built on Qt's own dialog so it
  // looks the same on every platform.
  s.askFile = [](QWidget* owner, const QString& title, const QString& filter, const QString& start) {
    QFileDialog dialog(owner, title, start, qtNameFilter(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().front();
  };
  s.critical = [](QWidget* owner, const QString& title, const QString& text) {
    QMessageBox::critical(owner, title, text, QMessageBox::Ok);
  };
  s.information = [](QWidget* owner, const QString& title, const QString& text) {
    QMessageBox::information(owner, title, text, QMessageBox::Ok);
  };
  s.askYesNo = [](QWidget* owner, const QString& title, const QString& text) {
    return QMessageBox::question(owner, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  };
  return s;
}

}  // namespace quorvane::help
