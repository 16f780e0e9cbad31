#include "shell/frmMain_windows.h"

#include "about/frmVersionInfo.h"
#include "help/frmHTMLHelp.h"

namespace quorvane {

QWidget* showHelpWindow(QWidget* owner, const QString& helpFile) {
  auto* window = new help::frmHTMLHelp(owner);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowFlag(Qt::Window);
  window->setHTMLHelpFile(helpFile);
  // A window that could not load has closed (and deleted) itself.
  if (!window->Form_Load()) return nullptr;
  window->show();
  return window;
}

void showAboutBox(QWidget* owner) { frmVersionInfo::showModal(owner); }

}  // namespace quorvane
