#include "shell/MainControls.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <map>

namespace quorvane {

struct MainControls::Impl {
  QWidget* form = nullptr;
  Events events;
  QLabel* status = nullptr;
  QWidget* toolbarCanvas = nullptr;
  std::map<int, QToolButton*> buttons;
  QTabBar* tabs = nullptr;
  QWidget* tabPicture = nullptr;
  bool hook = false;
  QPointer<QWidget> active;
  QPointer<QWidget> last;
  QPointer<QWidget> remembered;

  void poll() {
    if (!hook) return;
    active = form->focusWidget();
    if (active.data() != remembered.data()) {
      last = remembered;
      remembered = active;
      if (events.changeFocus) events.changeFocus();
    }
  }
};

MainControls::MainControls(QWidget* form, Events events) : m(std::make_unique<Impl>()) {
  m->form = form;
  m->events = std::move(events);
}

MainControls::~MainControls() = default;

void MainControls::attachStatusBar(QWidget* picture5) {
  m->status = new QLabel(picture5);
  m->status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m->status->setGeometry(0, 0, picture5->width(), picture5->height());
}

void MainControls::setStatusText(const QString& text) {
  if (m->status) m->status->setText(text);
}

QString MainControls::statusText() const { return m->status ? m->status->text() : QString(); }

void MainControls::attachToolBar(QWidget* picture4, QWidget*, QTimer*, QPushButton* command2) {
  m->toolbarCanvas = picture4;
  command2->hide();
  struct Item { int id; const char16_t* tip; QStyle::StandardPixmap icon; bool separator; };
  const Item items[] = {
      {50, u"終了", QStyle::SP_DialogCloseButton, true},
      {40, u"ファイル/フォルダ選択", QStyle::SP_DirOpenIcon, false},
      {30, u"実行", QStyle::SP_MediaPlay, false},
      {3, u"保存", QStyle::SP_DialogSaveButton, true},
      {41, u"クリップボードへコピー", QStyle::SP_FileDialogContentsView, true},
      {51, u"ウィンドウを最小化", QStyle::SP_TitleBarMinButton, false},
  };
  int x = 10;
  for (const Item& item : items) {
    auto* button = new QToolButton(picture4);
    button->setAutoRaise(true);
    button->setIcon(picture4->style()->standardIcon(item.icon));
    button->setToolTip(QString::fromUtf16(item.tip));
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(x, 2, 24, 22);
    x += 24 + (item.separator ? 11 : 0);
    const int id = item.id;
    QObject::connect(button, &QToolButton::clicked, picture4, [this, id] {
      if (m->events.buttonClick) m->events.buttonClick(id);
    });
    m->buttons[id] = button;
  }
  picture4->setFixedHeight(26);
}

int MainControls::toolbarHeight() const { return m->toolbarCanvas ? m->toolbarCanvas->height() : 0; }

void MainControls::setToolbarVisible(bool visible) {
  if (m->toolbarCanvas) m->toolbarCanvas->setVisible(visible);
}

void MainControls::setToolbarEnabled(int id, bool enabled) {
  auto it = m->buttons.find(id);
  if (it != m->buttons.end()) it->second->setEnabled(enabled);
}

bool MainControls::toolbarEnabled(int id) const {
  auto it = m->buttons.find(id);
  return it != m->buttons.end() && it->second->isEnabled();
}

void MainControls::attachTabStrip(QWidget* picture2) {
  m->tabPicture = picture2;
  m->tabs = new QTabBar(picture2);
  m->tabs->addTab(QStringLiteral("ファイル情報抽出(&1)"));
  m->tabs->addTab(QStringLiteral("ファイル情報比較(&2)"));
  m->tabs->setGeometry(0, 0, picture2->width(), m->tabs->sizeHint().height());
  QObject::connect(m->tabs, &QTabBar::tabBarClicked, picture2, [this](int index) { clickTab(index); });
}

QRect MainControls::tabClientArea() const {
  const QRect box = m->tabPicture->geometry();
  const int tabHeight = m->tabs->height();
  return QRect(box.left() + 1, box.top() + tabHeight, box.width() - 3, box.height() - tabHeight - 2);
}

int MainControls::selectedIndex() const { return m->tabs ? m->tabs->currentIndex() : 0; }

void MainControls::setSelectedIndex(int index) {
  if (m->tabs && index >= 0 && index < m->tabs->count()) {
    const QSignalBlocker block(m->tabs);
    m->tabs->setCurrentIndex(index);
  }
}

void MainControls::clickTab(int index) {
  if (!m->tabs || index < 0 || index >= m->tabs->count() || index == m->tabs->currentIndex()) return;
  setSelectedIndex(index);
  if (m->events.tabChanged) m->events.tabChanged();
}

void MainControls::createFocusChaser(QTimer* timer) {
  QObject::connect(timer, &QTimer::timeout, m->form, [this] { m->poll(); });
  m->hook = true;
}

void MainControls::setFocusChaserHook(bool on) { m->hook = on; }

QWidget* MainControls::activeControl() {
  m->poll();
  return m->active;
}

QWidget* MainControls::lastActiveControl() {
  m->poll();
  return m->last;
}

}  // namespace quorvane
