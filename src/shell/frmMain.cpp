// The main window's assembly at load time and its unloading.
#include "shell/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <QPushButton>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

#include "common/basDirUtil.h"
#include "controls/picture_box.h"
#include "controls/resources.h"
#include "controls/twips.h"
#include "help/help_settings.h"
#include "dialogs/clsCommonDialog.h"
#include "compare/ComparisonPage.h"
#include "extraction/ExtractionPage.h"
#include "program_info.h"
#include "shell/MainControls.h"
#include "shell/form_routines.h"
#include "shell/window_placement.h"

namespace quorvane {

namespace {
// The window's fixed client layout, pixels.
constexpr int kClientWidth = 640;
constexpr int kTabStripHeight = 430;
constexpr int kStatusHeight = 22;
}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setObjectName(QStringLiteral("frmMain"));
  m_statusTimer.setSingleShot(true);
  connect(&m_statusTimer, &QTimer::timeout, this, [this] { paintStatusText(); });
}

frmMain::~frmMain() = default;

void frmMain::createSurfaces() {
  auto* client = new QWidget(this);
  setCentralWidget(client);
  auto picture = [client](const char* name) {
    auto* box = new PictureBox(client);
    box->setObjectName(QString::fromLatin1(name));
    return box;
  };
  Picture4 = picture("Picture4");
  Picture6 = picture("Picture6");
  Picture6->hide();
  Picture2 = picture("Picture2");
  Picture5 = picture("Picture5");
  Picture3 = picture("Picture3");
  Picture3->setGeometry(0, 0, 400, 24);
  Picture3->hide();
  Timer1 = new QTimer(this);
  Timer1->setInterval(100);
  Picture4->setGeometry(0, 0, kClientWidth, 30);
  Picture2->resize(kClientWidth, kTabStripHeight);
  Picture5->setGeometry(0, 0, kClientWidth, kStatusHeight);
}

// The default size is the least the window takes; showing or hiding the toolbar changes
// both it and the window's height by the toolbar's height, keeping any extra height.
void frmMain::placeSurfaces() {
  const int top = toolbarVisible() ? m_controls->toolbarHeight() : 0;
  const QSize least(kClientWidth, menuBar()->sizeHint().height() + top + kTabStripHeight + kStatusHeight);
  const int extraHeight = m_leastSize.isValid() ? std::max(0, height() - m_leastSize.height()) : 0;
  setMinimumSize(least);
  if (!isMaximized()) resize(std::max(width(), least.width()), least.height() + extraHeight);
  m_leastSize = least;
  layoutSurfaces();
}

// Tab strip below the toolbar (when shown), the pages on its client area, the status bar
// at the bottom; whatever the window has beyond its default size goes to the tab strip.
void frmMain::layoutSurfaces() {
  if (!m_controls) return;
  const int top = toolbarVisible() ? m_controls->toolbarHeight() : 0;
  const QSize area = centralWidget()->size();
  const int width = std::max(kClientWidth, area.width());
  const int tabHeight = std::max(kTabStripHeight, area.height() - top - kStatusHeight);
  Picture4->resize(width, Picture4->height());
  Picture2->setGeometry(0, top, width, tabHeight);
  const QRect client = m_controls->tabClientArea();
  for (QWidget* page : Picture1) page->setGeometry(client);
  Picture5->setGeometry(0, top + tabHeight, width, kStatusHeight);
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  layoutSurfaces();
}

void frmMain::Form_Load() {
  if (m_loaded) return;
  setWindowTitle(QString::fromUtf8(programInfo::kTitle));
  setWindowIcon(programIcon());
  createSurfaces();
  createMenus();
  mnuHelp1->setShortcut(QKeySequence(Qt::Key_F1));

  MainControls::Events events;
  events.buttonClick = [this](int id) { mcToolBar_ButtonClick(id); };
  events.tabChanged = [this] { mcTabStrip_TabChanged(); };
  events.changeFocus = [this] { mcChaseFocus_ChangeFocus(); };
  m_controls = std::make_unique<MainControls>(this, std::move(events));
  m_controls->attachStatusBar(Picture5);
  m_controls->attachToolBar(Picture4, Picture6, Timer1);

  m_controls->attachTabStrip(Picture2);
  m_page0 = new ExtractionPage(*this, centralWidget());
  m_page1 = new ComparisonPage(*this, centralWidget());
  Picture1 = {m_page0, m_page1};
  m_pages = {m_page0, m_page1};
  placeSurfaces();
  // The pages' fixed places are drawn for the client area at the default size.
  m_page0->setDefaultSize(m_controls->tabClientArea().size());
  m_page1->setDefaultSize(m_controls->tabClientArea().size());
  if (!CenterForm(this, nullptr)) fitIntoScreen(this);
  LoadWindowPlacement(this, false, minimumWidth() * TwipsPerPixelX(), minimumHeight() * TwipsPerPixelY());
  loadHelpFileName();

  SetControlsProperty(this, QStringLiteral("PICTUREBOX"), QStringLiteral("TABSTOP"), false);
  for (QWidget* page : Picture1) {
    page->raise();
    page->setFocusPolicy(Qt::NoFocus);
  }
  ShowPage();
  m_page0->Tab0FormInitialize();
  m_page1->Tab1FormInitialize();
  setStatusText(QString());
  UpdateControlState(false);

  // The folder box is where work starts.
  m_page0->Text1[0]->setFocus();
  m_controls->createFocusChaser(Timer1);
  Timer1->start();
  m_loaded = true;
}

void frmMain::loadHelpFileName() {
  // The setting, else QUORVANE.HTM where the program keeps its help file.
  m_helpFile = help::configuredHelpFile();
}

void frmMain::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmMain::Form_Unload() {
  if (m_unloaded) return;
  if (m_helpWindow) m_helpWindow->close();
  if (m_loaded) {
    SaveWindowPlacement(this, false);
    m_page0->savePlaces();
    m_page1->savePlaces();
  }
  if (Timer1) Timer1->stop();
  m_unloaded = true;
}

void frmMain::unloadMainWindow() { close(); }

}  // namespace quorvane
