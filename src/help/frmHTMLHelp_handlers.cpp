// The help window's event handlers: buttons, menus and the renderer's link events.
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QMenu>
#include <QPushButton>

#include "controls/picture_box.h"
#include "help/clsDLLInfo.h"
#include "help/clsHTML.h"
#include "help/frmHTMLHelp.h"
#include "help/help_document.h"
#include "program_info.h"

namespace quorvane::help {

void frmHTMLHelp::navigate(const std::function<bool()>& step) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  step();
  QApplication::restoreOverrideCursor();
}

void frmHTMLHelp::Command1_Click(int index) {
  if (!mcHTML && index != 6) return;
  switch (index) {
    case 0:
      navigate([this] {
        mcHTML->setCurName(QStringLiteral("context"));
        return mcHTML->DispHTML(false);
      });
      break;
    case 2:
      if (m_previous.isEmpty()) break;
      navigate([this] {
        if (m_previous.startsWith(QLatin1Char('#')))
          mcHTML->setCurName(m_previous);
        else
          mcHTML->setHtmlFile(m_previous);
        return mcHTML->DispHTML(false);
      });
      break;
    case 3: navigate([this] { return mcHTML->GoBack(); }); break;
    case 4: navigate([this] { return mcHTML->GoNext(); }); break;
    case 6: close(); return;
    default: break;  // search and options have no action
  }
  if (Picture3) Picture3->setFocus();
}

void frmHTMLHelp::mnuOpen_Click() {
  if (mcHTML) mcHTML->ShowHelpFileInBrowser();
}

void frmHTMLHelp::mnuCopy_Click() {
  if (mcHTML) QGuiApplication::clipboard()->setText(mcHTML->PlaneText());
}

void frmHTMLHelp::mnuOpDisp_Click(int index) {
  for (int i = 0; i < 3; ++i) mnuOpDisp[static_cast<std::size_t>(i)]->setChecked(i == index);
  static constexpr bool kOnTop[3] = {false, true, false};
  if (index < 0 || index > 2) return;
  const bool wasVisible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, kOnTop[index]);
  // Changing window flags hides a window; show it again where it was.
  if (wasVisible) show();
}

void frmHTMLHelp::mnuOpFont_Click(int index) {
  for (int i = 0; i < 3; ++i) mnuOpFont[static_cast<std::size_t>(i)]->setChecked(i == index);
  static constexpr int kSizes[3] = {1, 0, 2};
  if (!mcHTML || index < 0 || index > 2) return;
  mcHTML->setFontSize(kSizes[index]);
  mcHTML->DispHTML(false);
}

void frmHTMLHelp::mnuVer_Click() {
  const clsDLLInfo info;
  QStringList lines;
  lines << engineTitle();
  if (info.IsEmbedded()) lines << QStringLiteral("This Version Of zqHTML.DLL Is embedded In Application");
  lines << QString() << QString::fromUtf8(programInfo::kProductName) + QString::fromUtf8(" ヘルプ")
        << QStringLiteral("( ") + m_helpFile + QStringLiteral(" )");
  m_services.information(this, engineTitle(), lines.join(QLatin1Char('\n')));
}

void frmHTMLHelp::mcHTML_LinkClick(const QString& target) {
  if (!mcHTML) return;
  if (isInternetAddress(target.toStdString())) {
    const QString question =
        target + QLatin1Char('\r') + QString::fromUtf8(" Internet URL へのハイパーリンクです。実行しますか？");
    if (!m_services.askYesNo(this, engineTitle(), question)) return;
    mcHTML->setHtmlFile(target);
  }
  if (target.startsWith(QLatin1Char('#'))) {
    m_previous = mcHTML->CurName();
    mcHTML->setCurName(target);
  } else {
    m_previous = mcHTML->HtmlFile();
    mcHTML->setHtmlFile(target);
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = mcHTML->DispHTML(false);
  QApplication::restoreOverrideCursor();
  if (!ok) m_services.critical(this, engineTitle(), target + QString::fromUtf8(" を開けません"));
}

void frmHTMLHelp::mcHTML_LaunchFailed(const QString& target) {
  m_services.critical(this, engineTitle(),
                      target + QLatin1Char('\n') + QString::fromUtf8("を開くプログラム (ブラウザーなど) を起動できませんでした。"));
}

void frmHTMLHelp::mcHTML_LinkRightClick(const QString& target) {
  m_rightTarget = target;
  if (m_popupEnabled) mnuPu->popup(QCursor::pos());
}

void frmHTMLHelp::mnuPuCopy_Click() {
  QString text = m_rightTarget;
  if (text.startsWith(QLatin1Char('#')) && mcHTML) text = mcHTML->HtmlFile() + text;
  QGuiApplication::clipboard()->setText(text);
}

}  // namespace quorvane::help
