#include "help/frmHTMLHelp.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "controls/picture_box.h"
#include "controls/resources.h"
#include "controls/twips.h"
#include "dialogs/last_folder.h"
#include "help/clsHTML.h"
#include "help/help_settings.h"
#include "program_info.h"

namespace quorvane::help {

namespace {
constexpr int kMarginPx = 4;
constexpr int kButtonHeightPx = 24;
constexpr int kButtonWidthPx = 84;
constexpr int kOwnerOffsetPx = 48;
}  // namespace

frmHTMLHelp::frmHTMLHelp(QWidget* parent, HelpWindowServices services)
    : QMainWindow(parent), m_services(std::move(services)) {
  setWindowIcon(programIcon());
  buildControls();
  buildMenus();
  resize(640, 520);
}

frmHTMLHelp::~frmHTMLHelp() = default;

QString frmHTMLHelp::title() const { return QString::fromUtf8(programInfo::kTitle); }

void frmHTMLHelp::buildControls() {
  auto* client = new QWidget(this);
  setCentralWidget(client);
  client->installEventFilter(this);
  static const char* const kCaptions[7] = {"目次(&C)", "検索(&S)",        "戻る(&B)", "<<(&<)",
                                           ">>(&>)",   "オプション(&O)", "終了(&X)"};
  for (int i = 0; i < 7; ++i) {
    auto* b = new QPushButton(QString::fromUtf8(kCaptions[i]), client);
    b->setGeometry(kMarginPx + i * (kButtonWidthPx + 2), kMarginPx, kButtonWidthPx, kButtonHeightPx);
    connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    Command1[static_cast<std::size_t>(i)] = b;
  }
  Picture1 = new PictureBox(client);
  Picture1->move(kMarginPx, kMarginPx * 2 + kButtonHeightPx);
  Picture1->setBackColor(rgbColor(255, 255, 255));
  Picture3 = new PictureBox(Picture1);
  Picture2 = new PictureBox(client);
  Picture2->setVisible(false);
  VScroll1 = new QScrollBar(Qt::Vertical, client);
  VScroll1->setFocusPolicy(Qt::StrongFocus);
  VScroll1->resize(VScroll1->sizeHint().width(), 100);
}

void frmHTMLHelp::buildMenus() {
  const auto text = [](const char* s) { return QString::fromUtf8(s); };
  mnuFile = menuBar()->addMenu(text("ファイル(&F)"));
  mnuOpen = mnuFile->addAction(text("標準ブラウザーで開く(&O)"), this, [this] { mnuOpen_Click(); });
  mnuFile->addSeparator();  // mnuLine0
  mnuEnd = mnuFile->addAction(text("ヘルプの終了(&X)"), this, [this] { close(); });

  mnuEdit = menuBar()->addMenu(text("編集(&E)"));
  mnuCopy = mnuEdit->addAction(text("コピー(&C)"), this, [this] { mnuCopy_Click(); });

  mnuOption = menuBar()->addMenu(text("オプション(&O)"));
  mnuOp1 = mnuOption->addMenu(text("ヘルプの表示(&K)"));
  static const char* const kDisp[3] = {"標準(&N)", "手前に表示(&O)", "手前に表示しない(&N)"};
  for (int i = 0; i < 3; ++i) {
    QAction* a = mnuOp1->addAction(text(kDisp[i]), this, [this, i] { mnuOpDisp_Click(i); });
    a->setCheckable(true);
    a->setChecked(i == 0);
    mnuOpDisp[static_cast<std::size_t>(i)] = a;
  }
  mnuOp2 = mnuOption->addMenu(text("文字のサイズ(&F)"));
  static const char* const kFont[3] = {"小さく(&S)", "標準(&N)", "大きく(&L)"};
  for (int i = 0; i < 3; ++i) {
    QAction* a = mnuOp2->addAction(text(kFont[i]), this, [this, i] { mnuOpFont_Click(i); });
    a->setCheckable(true);
    a->setChecked(i == 1);
    mnuOpFont[static_cast<std::size_t>(i)] = a;
  }

  mnuHelp = menuBar()->addMenu(text("ヘルプ(&H)"));
  mnuVer = mnuHelp->addAction(text("バージョン情報(&V)"), this, [this] { mnuVer_Click(); });

  mnuPu = new QMenu(this);
  mnuPuCopy = mnuPu->addAction(text("ショートカットのコピー(&C)"), this, [this] { mnuPuCopy_Click(); });
}

bool frmHTMLHelp::Form_Load() {
  if (!QFileInfo(m_helpFile).isFile()) {
    // Not the program's own folder: once installed, the help file is not kept there.
    const QString chosen = m_services.askFile(this, QString::fromUtf8("HTML ヘルプファイル名の選択"),
                                              QStringLiteral("HTM Files (*.HTM)|*.HTM|HTML Files (*.HTML)|*.HTML"),
                                              lastFolder::startFolder(QStringLiteral("HTMLHelpFile")));
    if (chosen.isEmpty()) {
      close();
      return false;
    }
    m_helpFile = chosen;
    saveHelpFile(m_helpFile);
    lastFolder::remember(QStringLiteral("HTMLHelpFile"), chosen);
  }
  setWindowTitle(title() + QString::fromUtf8(" ヘルプ"));
  for (int i : {1, 3, 4, 5}) Command1[static_cast<std::size_t>(i)]->setEnabled(false);

  try {
    mcHTML = std::make_unique<clsHTML>();
  } catch (const std::exception& e) {
    m_services.critical(this, title(), QStringLiteral("%1 %2").arg(7).arg(QString::fromUtf8(e.what())));
    close();
    return false;
  }
  connect(mcHTML.get(), &clsHTML::LinkClick, this, [this](const QString& t) { mcHTML_LinkClick(t); });
  connect(mcHTML.get(), &clsHTML::LinkRightClick, this, [this](const QString& t) { mcHTML_LinkRightClick(t); });
  connect(mcHTML.get(), &clsHTML::LaunchFailed, this, [this](const QString& t) { mcHTML_LaunchFailed(t); });
  mcHTML->setCanvas(Picture3);
  mcHTML->setWorkCanvas(Picture2);
  mcHTML->setVScroll(VScroll1);
  mcHTML->setBackFrame(Picture1);
  layoutFrame();
  mcHTML->setHtmlFile(m_helpFile);
  mcHTML->setEnableDispEnd(true);
  bool ok = false;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ok = mcHTML->DispHTML(false);
    QApplication::restoreOverrideCursor();
  }
  if (!ok) {
    m_services.critical(this, engineTitle(),
                        QString::fromUtf8("指定された HTML ファイル ") + m_helpFile +
                            QString::fromUtf8(" が見つかりませんでした"));
    close();
    return false;
  }
  place();
  Picture3->setFocus();
  return true;
}

// Beside the owner rather than exactly over it, so the user still sees what the help
// explains; kept on the owner's screen. Without an owner, centred on the screen.
void frmHTMLHelp::place() {
  const QWidget* owner = parentWidget();
  const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  QPoint at = area.center() - rect().center();
  if (owner) at = owner->frameGeometry().topLeft() + QPoint(kOwnerOffsetPx, kOwnerOffsetPx);
  const QSize size = frameGeometry().size();
  at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - size.width())));
  at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - size.height())));
  move(at);
}

frmHTMLHelp* frmHTMLHelp::open(QWidget* owner, const QString& topic, HelpWindowServices services) {
  auto* window = new frmHTMLHelp(owner, std::move(services));
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowFlag(Qt::Window);
  window->setHTMLHelpFile(configuredHelpFile());
  if (!window->Form_Load()) return nullptr;
  window->show();
  if (!topic.isEmpty()) window->showTopic(topic);
  return window;
}

bool frmHTMLHelp::showTopic(const QString& topic) {
  if (!mcHTML) return false;
  mcHTML->setCurName(topic);
  return mcHTML->DispHTML(false);
}

void frmHTMLHelp::keyPressEvent(QKeyEvent* event) {
  // The page scrolls from the keyboard wherever the focus is in the window (a button
  // has no use for these keys).
  if (mcHTML) {
    const int vk = virtualKeyFromQt(event->key());
    const bool scrollKey = (vk >= 0x21 && vk <= 0x24) || vk == 0x26 || vk == 0x28;
    if (scrollKey) {
      mcHTML->handleKey(vk, shiftStateFromQt(event->modifiers()));
      return;
    }
  }
  QMainWindow::keyPressEvent(event);
}

bool frmHTMLHelp::eventFilter(QObject* watched, QEvent* event) {
  // The frame follows the client area itself: the menu bar can take its final height
  // after the window was sized (when a desktop shows it), which leaves the window's own
  // size unchanged but would push the frame's bottom strip out of sight.
  if (watched == centralWidget() && event->type() == QEvent::Resize) layoutFrame();
  return QMainWindow::eventFilter(watched, event);
}

void frmHTMLHelp::layoutFrame() {
  if (!mcHTML) return;
  const int tppX = TwipsPerPixelX(), tppY = TwipsPerPixelY();
  const QWidget* client = centralWidget();
  const int left = mcHTML->CanvasLeft(), top = mcHTML->CanvasTop();
  const int width = client->width() * tppX - 2 * left - VScroll1->width() * tppX;
  const int height = client->height() * tppY - top - left;
  mcHTML->Move(left, top, width, height);
}

bool frmHTMLHelp::isStayOnTop() const { return windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

}  // namespace quorvane::help
