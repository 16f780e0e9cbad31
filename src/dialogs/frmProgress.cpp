#include "dialogs/frmProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "controls/picture_box.h"
#include "dialogs/progress_bar.h"
#include "program_info.h"

namespace quorvane {

namespace {

QPointer<frmProgress>& sharedInstance() {
  static QPointer<frmProgress> instance;
  return instance;
}

const QString kCancelCaption = QStringLiteral("キャンセル(&C)");
const QString kOkCaption = QStringLiteral("OK");

}  // namespace

std::function<qint64()>& frmProgress::clock() {
  static std::function<qint64()> now = [] {
    static QElapsedTimer since;
    if (!since.isValid()) since.start();
    return since.elapsed();
  };
  return now;
}

// The window has no Qt parent: disabling the owner would disable its child windows too.
// It stays above the owner as its transient window instead.
frmProgress::frmProgress(QWidget* owner) : QDialog(nullptr), m_owner(owner) {
  setWindowTitle(QString::fromUtf8(programInfo::kTitle));
  setModal(false);
  Label1 = new QLabel(this);
  Picture1 = new PictureBox(this);
  Picture1->setFixedSize(300, 20);
  Picture1->setScaleMode(ScaleUnit::Pixels);
  Command1 = new QPushButton(kCancelCaption, this);
  Command1->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Picture1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Timer1.setInterval(1000);
  connect(&Timer1, &QTimer::timeout, this, &frmProgress::Timer1_Timer);
  connect(Command1, &QPushButton::clicked, this, &frmProgress::Command1_Click);
  Timer1.start();
}

frmProgress::~frmProgress() {
  if (!m_closed) setOwnerEnabled(true);
}

frmProgress* frmProgress::shared() { return sharedInstance(); }

frmProgress* frmProgress::sharedOrNew() {
  if (!sharedInstance()) sharedInstance() = new frmProgress;
  return sharedInstance();
}

void frmProgress::setOwnerEnabled(bool on) {
  if (m_owner) m_owner->setEnabled(on);
}

void frmProgress::start() {
  m_started = true;
  m_lastUpdateMs = clock()();
  adjustSize();
  if (m_owner) {
    QWidget* top = m_owner->window();
    winId();  // creates the native window so it can be made transient
    if (windowHandle() != nullptr && top->windowHandle() != nullptr)
      windowHandle()->setTransientParent(top->windowHandle());
    move(top->frameGeometry().center() - rect().center());
  }
  show();
  setOwnerEnabled(false);
  Picture1->Cls();
}

bool frmProgress::UpdateStatus(float fraction, const QString& text, bool completed) {
  if (m_closed) return true;
  if (!m_started) start();
  m_lastUpdateMs = clock()();
  Label1->setText(text);
  QPointer<frmProgress> self(this);
  QCoreApplication::processEvents();
  // The user may have closed the window from inside the event processing.
  if (!self || m_closed) return true;
  if (m_lastFraction == 0.0f ||
      progressBar::filledWidth(fraction, Picture1->width()) !=
          progressBar::filledWidth(m_lastFraction, Picture1->width()))
    redrawBar(fraction, completed);
  if (fraction == 1.0f) {
    if (m_dispFinished) {
      Command1->setText(kOkCaption);
      Command1->setDefault(true);
      Timer1.start();
    } else {
      closeWindow();
    }
  } else if (fraction > 1.0f) {
    closeWindow();
  }
  return true;
}

void frmProgress::redrawBar(float fraction, bool completed) {
  m_lastFraction = fraction;
  progressBar::draw(*Picture1, fraction, completed);
}

void frmProgress::Timer1_Timer() {
  m_blink = !m_blink;
  QPalette p = Label1->palette();
  p.setColor(QPalette::WindowText, m_blink ? QColor(255, 0, 0) : QColor(0, 0, 0));
  Label1->setPalette(p);
  // A run that stopped reporting must not leave its owner disabled for good.
  const qint64 idleMs = clock()() - m_lastUpdateMs;
  if (m_started && idleMs > static_cast<qint64>(m_timeOutCount) * 1000 &&
      Command1->text() != kOkCaption && !m_canceled) {
    Timer1.stop();
    closeWindow();
  }
}

void frmProgress::Command1_Click() {
  setOwnerEnabled(true);
  if (Command1->text() == kOkCaption) {
    closeWindow();
    return;
  }
  m_canceled = true;
  Timer1.stop();
  hide();
}

bool frmProgress::takeCanceled() {
  if (!m_canceled) return false;
  closeWindow();
  return true;
}

void frmProgress::closeWindow() {
  if (m_closed) return;
  m_closed = true;
  Timer1.stop();
  setOwnerEnabled(true);
  m_owner = nullptr;
  if (sharedInstance() == this) sharedInstance() = nullptr;
  hide();
  deleteLater();
}

// The close box and Escape act like the button: a running operation is cancelled
// rather than left running without its window.
void frmProgress::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (!m_closed && isVisible()) Command1_Click();
}

void frmProgress::reject() {
  if (!m_closed && isVisible()) Command1_Click();
}

}  // namespace quorvane
