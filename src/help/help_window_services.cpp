#include "help/help_window_services.h"

#include <QMessageBox>
#include <QStringList>

#include "dialogs/clsCommonDialog.h"

namespace quorvane::help {

HelpWindowServices HelpWindowServices::defaults() {
  HelpWindowServices s;
  s.askFile = [](QWidget* owner, const QString& title, const QString& filter, const QString& start) {
    clsCommonDialog dialog;
    dialog.setForm(owner);
    dialog.setDialogTitle(title);
    dialog.setFilter(filter);
    dialog.setFilterIndex(1);
    dialog.setInitDir(start);
    dialog.setFlags(clsCommonDialog::OFN_FILEMUSTEXIST | clsCommonDialog::OFN_PATHMUSTEXIST |
                    clsCommonDialog::OFN_HIDEREADONLY | clsCommonDialog::OFN_EXPLORER |
                    clsCommonDialog::OFN_LONGNAMES);
    // Room for long paths; the dialog's classic 255 characters would refuse many.
    dialog.setMaxFileSize(4096);
    dialog.ShowOpen();
    return dialog.CancelError() ? QString() : dialog.FileName();
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
