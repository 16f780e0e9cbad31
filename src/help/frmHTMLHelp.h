#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <memory>

#include "help/help_window_services.h"

class QAction;
class QMenu;
class QPushButton;
class QScrollBar;

namespace quorvane {
class PictureBox;
}

namespace quorvane::help {

class clsHTML;

// The help window: navigation buttons, menus and a renderer on four of its surfaces. It
// decides what a link click means: a jump inside the help, or (after a question) the
// launch of an internet address.
//
// Opening it from the program:
//   frmHTMLHelp::open(owner)              the configured help file, first topic
//   frmHTMLHelp::open(owner, "#context")  the same, at a topic
// or step by step: construct, setHTMLHelpFile, Form_Load (false: the window closed
// itself), show, showTopic.
class frmHTMLHelp : public QMainWindow {
  Q_OBJECT

 public:
  explicit frmHTMLHelp(QWidget* parent = nullptr, HelpWindowServices services = HelpWindowServices::defaults());
  ~frmHTMLHelp() override;

  // Opens a help window on the help file of the settings ("HTMLHelpFile", or the
  // default rule) and shows it without blocking; nullptr when it closed at load. The
  // window deletes itself when closed.
  static frmHTMLHelp* open(QWidget* owner, const QString& topic = QString(),
                           HelpWindowServices services = HelpWindowServices::defaults());

  void setHTMLHelpFile(const QString& path) { m_helpFile = path; }
  QString HTMLHelpFile() const { return m_helpFile; }

  // Loads the window: the file question when the file is missing, the renderer, the
  // first topic. False when the window could not be loaded and was closed.
  bool Form_Load();
  // Shows a topic ("#name" or "name"); an empty topic shows the first one.
  bool showTopic(const QString& topic);

  clsHTML* renderer() const { return mcHTML.get(); }
  PictureBox* canvas() const { return Picture3; }
  QPushButton* button(int index) const { return Command1.at(static_cast<std::size_t>(index)); }
  const QString& previousLocation() const { return m_previous; }
  bool isStayOnTop() const;

  // Handlers, named after their controls and events.
  void Command1_Click(int index);
  void mnuOpen_Click();
  void mnuCopy_Click();
  void mnuOpDisp_Click(int index);
  void mnuOpFont_Click(int index);
  void mnuVer_Click();
  void mnuPuCopy_Click();
  void mcHTML_LinkClick(const QString& target);
  void mcHTML_LinkRightClick(const QString& target);
  void mcHTML_LaunchFailed(const QString& target);

  // The help engine's name, the title of its messages.
  static QString engineTitle() { return QStringLiteral("zqHTMLHelp"); }

  // Popup shown for a right-clicked link; tests call the copy handler directly instead.
  void setPopupEnabled(bool on) { m_popupEnabled = on; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void buildMenus();
  void layoutFrame();
  void place();
  void navigate(const std::function<bool()>& step);
  QString title() const;

  HelpWindowServices m_services;
  QString m_helpFile;
  QString m_previous;
  QString m_rightTarget;
  bool m_popupEnabled = true;
  std::unique_ptr<clsHTML> mcHTML;

  std::array<QPushButton*, 7> Command1{};
  PictureBox* Picture1 = nullptr;  // back frame
  PictureBox* Picture2 = nullptr;  // hidden work canvas
  PictureBox* Picture3 = nullptr;  // canvas
  QScrollBar* VScroll1 = nullptr;

  QMenu* mnuFile = nullptr;
  QAction* mnuOpen = nullptr;
  QAction* mnuEnd = nullptr;
  QMenu* mnuEdit = nullptr;
  QAction* mnuCopy = nullptr;
  QMenu* mnuOption = nullptr;
  QMenu* mnuOp1 = nullptr;
  std::array<QAction*, 3> mnuOpDisp{};
  QMenu* mnuOp2 = nullptr;
  std::array<QAction*, 3> mnuOpFont{};
  QMenu* mnuHelp = nullptr;
  QAction* mnuVer = nullptr;
  QMenu* mnuPu = nullptr;
  QAction* mnuPuCopy = nullptr;
};

}  // namespace quorvane::help
