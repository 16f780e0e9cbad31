#pragma once

#include <QMainWindow>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "extraction/ExtractionResult.h"
#include "controls/page_host.h"

class QAction;
class QMenu;
class QTimer;
class QPushButton;

namespace quorvane {

class clsCommonDialog;
class ComparisonPage;
class PictureBox;
class ExtractionPage;
class MainControls;

// The program's working window: menus, toolbar, tab strip with the extraction and the
// comparison page, status bar. Fixed size; only its position is remembered.
class frmMain : public QMainWindow, public PageHost {
  Q_OBJECT
 public:
  // The dialogs and messages a test can answer instead of a person.
  struct Interaction {
    std::function<void(const QString& text, MessageIcon icon)> message;
    std::function<bool(const QString& text)> question;
    std::function<std::optional<QString>(const FolderRequest&)> chooseFolder;
    std::function<std::optional<QString>(const FileRequest&)> chooseFile;
    std::function<std::unique_ptr<ProgressReporter>()> progress;  // null: the program's own window
    std::function<void()> beep;
  };

  explicit frmMain(QWidget* parent = nullptr);
  ~frmMain() override;

  // Builds the window (the load handler). Throws on an unexpected failure.
  void Form_Load();
  bool isLoaded() const { return m_loaded; }
  bool isUnloaded() const { return m_unloaded; }
  void setInteraction(Interaction interaction) { m_interaction = std::move(interaction); }

  // Command state, pages and focus.
  void UpdateControlState(bool onlyRun);
  void ShowPage();
  void mcTabStrip_TabChanged();
  void mcChaseFocus_ChangeFocus();
  int selectedTab() const;
  void selectTab(int index);  // as the user would, raising the tab change

  // Commands of the menus and the toolbar.
  void mnuRun_Click();
  void mnuSave_Click();
  void mnuEnd_Click();
  void mnuOptToolbar_Click();
  void mnuHelp1_Click();
  void mnuVer_Click();
  void mcToolBar_ButtonClick(int id);

  // The toolbar button with this key is enabled.
  bool toolbarEnabled(int id) const;
  bool toolbarVisible() const;
  // The status text (the last one set; its painting may lag a few milliseconds).
  QString statusText() const;
  // The text the status bar shows now.
  QString paintedStatusText() const;
  QString helpFileName() const { return m_helpFile; }

  ExtractionPage* extractionPage() const { return m_page0; }
  ComparisonPage* comparisonPage() const { return m_page1; }

  // Menu entries.
  QMenu* mnuFile = nullptr;
  QMenu* mnuOpt = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuRun = nullptr;
  QAction* mnuSave = nullptr;
  QAction* mnuLine = nullptr;
  QAction* mnuEnd = nullptr;
  QAction* mnuOptToolbar = nullptr;
  QAction* mnuOptRecurse = nullptr;  // list subfolders too
  QAction* mnuHelp1 = nullptr;
  QAction* mnuVer = nullptr;

  // The picture boxes the custom controls draw on and the two page containers.
  PictureBox* Picture2 = nullptr;  // tab strip
  PictureBox* Picture3 = nullptr;  // the folder picker's folder display
  PictureBox* Picture4 = nullptr;  // toolbar
  PictureBox* Picture5 = nullptr;  // status bar
  PictureBox* Picture6 = nullptr;  // the toolbar's work canvas
  std::array<QWidget*, 2> Picture1{};
  QTimer* Timer1 = nullptr;

  // PageHost
  void setStatusText(const QString& text) override;
  void updateControlState(bool onlyRun) override { UpdateControlState(onlyRun); }
  void setFocusChaserHook(bool on) override;
  QWidget* lastActiveControl() override;
  QWidget* activeControl() override;
  void showMessage(const QString& text, MessageIcon icon) override;
  bool askYesNo(const QString& text) override;
  void beep() override;
  void setBusyPointer(bool busy) override;
  void setClipboardText(const QString& text) override;
  std::optional<QString> chooseFolder(const FolderRequest& request) override;
  std::optional<QString> chooseFile(const FileRequest& request) override;
  std::unique_ptr<ProgressReporter> createProgress() override;
  void unloadMainWindow() override;
  QWidget* ownerWindow() override { return this; }
  ExtractionResult& extraction() override { return m_extraction; }
  void extractionRunEnded(bool completed) override;
  bool recurseSubfolders() const override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void createMenus();
  void createSurfaces();
  void placeSurfaces();
  void layoutSurfaces();
  void Form_Unload();
  void loadHelpFileName();
  void setCommandEnabled(QAction* menu, int toolbarId, bool enabled);
  PageCommands& shownPage();
  void paintStatusText();

  std::unique_ptr<MainControls> m_controls;
  QSize m_leastSize;  // the default size for the toolbar's current state
  std::unique_ptr<clsCommonDialog> m_fileDialog;
  ExtractionPage* m_page0 = nullptr;
  ComparisonPage* m_page1 = nullptr;
  std::array<PageCommands*, 2> m_pages{};  // by tab index
  ExtractionResult m_extraction;
  Interaction m_interaction;
  QString m_helpFile;
  QString m_statusText;
  QElapsedTimer m_statusPainted;
  QTimer m_statusTimer;
  QPointer<QWidget> m_helpWindow;
  int m_busyDepth = 0;
  bool m_loaded = false;
  bool m_unloaded = false;
};

}  // namespace quorvane
