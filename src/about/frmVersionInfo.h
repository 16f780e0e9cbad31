#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <array>
#include <functional>

#include "about/program_identity.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace quorvane {

class EtchedLine;

// The program's version information window: title, version, product and legal text, a
// contact link that starts the mail program, and a button that starts the system
// information tool. The main window opens it with showModal.
class frmVersionInfo : public QDialog {
  Q_OBJECT

 public:
  explicit frmVersionInfo(QWidget* owner = nullptr, const ProgramIdentity& identity = ProgramIdentity::current());

  // Shows the window modally over `owner` and returns when it is closed.
  static int showModal(QWidget* owner);

  // How the link is handed to the desktop; tests replace it to see what would open.
  using UrlOpener = std::function<bool(const QUrl&)>;
  void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

  // The controls, named as the window's design names them.
  QLabel* picIcon = nullptr;
  std::array<QPlainTextEdit*, 3> Text1{};
  std::array<QLabel*, 3> Label1{};
  QLabel* lblDisclaimer = nullptr;
  EtchedLine* Line1 = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;
  QMenu* mnuPopup = nullptr;
  QAction* mnupOpen = nullptr;
  QAction* mnupCopy = nullptr;

  void cmdOK_Click();
  void cmdSysInfo_Click();
  // Left button on the link sends mail; any other button shows the pop-up menu.
  void Label1_MouseDown(int index, Qt::MouseButton button, const QPoint& globalPos);
  void mnupOpen_Click();
  void mnupCopy_Click();
  void SendMail();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  void layoutControls();
  void Form_Load(const ProgramIdentity& identity);
  void placeOverOwner();

  UrlOpener m_openUrl;
};

}  // namespace quorvane
