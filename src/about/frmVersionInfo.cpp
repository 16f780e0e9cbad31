#include "about/frmVersionInfo.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "about/sys_info.h"
#include "controls/etched_line.h"
#include "controls/resources.h"
#include "controls/system_colors.h"

namespace quorvane {

namespace {

const QString kDisclaimer = QStringLiteral(
    "このソフトウェアは現状のままで提供されます。作者は、このソフトウェアの使用または使用できない"
    "ことによって生じたいかなる損害についても責任を負いません。");

// A read-only box that looks like a label on the button face but whose text can still be
// selected and copied.
QPlainTextEdit* labelLikeBox(QWidget* parent, int lines) {
  auto* box = new QPlainTextEdit(parent);
  box->setReadOnly(true);
  box->setFrameShape(QFrame::NoFrame);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box->setFocusPolicy(Qt::ClickFocus);
  QPalette p = box->palette();
  p.setColor(QPalette::Base, toQColor(systemColorValue(SysColor::ButtonFace)));
  box->setPalette(p);
  box->document()->setDocumentMargin(1);
  const int lineHeight = box->fontMetrics().lineSpacing();
  box->setFixedHeight(lines * lineHeight + 4);
  return box;
}

}  // namespace

frmVersionInfo::frmVersionInfo(QWidget* owner, const ProgramIdentity& identity)
    : QDialog(owner), m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  createControls();
  layoutControls();
  Form_Load(identity);
}

int frmVersionInfo::showModal(QWidget* owner) {
  frmVersionInfo dialog(owner);
  return dialog.exec();
}

void frmVersionInfo::createControls() {
  picIcon = new QLabel(this);
  Text1[0] = labelLikeBox(this, 1);
  Text1[1] = labelLikeBox(this, 1);
  Text1[2] = labelLikeBox(this, 2);
  QFont titleFont = Text1[0]->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
  Text1[0]->setFont(titleFont);
  Text1[0]->setFixedHeight(QFontMetrics(titleFont).lineSpacing() + 4);
  for (auto& label : Label1) label = new QLabel(this);
  // The link looks and feels like one.
  QFont linkFont = Label1[1]->font();
  linkFont.setUnderline(true);
  Label1[1]->setFont(linkFont);
  QPalette linkPalette = Label1[1]->palette();
  linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  Label1[1]->setPalette(linkPalette);
  Label1[1]->setCursor(LoadResCursor(100));
  Label1[1]->installEventFilter(this);
  lblDisclaimer = new QLabel(kDisclaimer, this);
  lblDisclaimer->setWordWrap(true);
  Line1 = new EtchedLine(this);
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setDefault(true);
  cmdSysInfo = new QPushButton(QStringLiteral("システム情報(&S)"), this);
  mnuPopup = new QMenu(this);
  mnupOpen = mnuPopup->addAction(QStringLiteral("開く(&O)"));
  mnupCopy = mnuPopup->addAction(QStringLiteral("ショートカットのコピー(&C)"));
  connect(cmdOK, &QPushButton::clicked, this, &frmVersionInfo::cmdOK_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmVersionInfo::cmdSysInfo_Click);
  connect(mnupOpen, &QAction::triggered, this, &frmVersionInfo::mnupOpen_Click);
  connect(mnupCopy, &QAction::triggered, this, &frmVersionInfo::mnupCopy_Click);
}

void frmVersionInfo::layoutControls() {
  auto* contact = new QHBoxLayout;
  contact->setSpacing(4);
  for (QLabel* label : Label1) contact->addWidget(label);
  contact->addStretch();
  auto* texts = new QVBoxLayout;
  texts->setSpacing(2);
  for (QPlainTextEdit* box : Text1) texts->addWidget(box);
  texts->addSpacing(6);
  texts->addLayout(contact);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdSysInfo);
  buttons->addStretch();
  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(12);
  grid->addWidget(picIcon, 0, 0, Qt::AlignTop);
  grid->addLayout(texts, 0, 1, 1, 2);
  grid->addWidget(Line1, 1, 0, 1, 3);
  grid->addWidget(lblDisclaimer, 2, 0, 1, 2, Qt::AlignTop);
  grid->addLayout(buttons, 2, 2);
  grid->setColumnMinimumWidth(1, 300);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

void frmVersionInfo::Form_Load(const ProgramIdentity& identity) {
  picIcon->setPixmap(programIcon().pixmap(32, 32));
  setWindowTitle(identity.title + QStringLiteral(" のバージョン情報"));
  Text1[0]->setPlainText(identity.title);
  Text1[1]->setPlainText(programText::versionLine(identity.major, identity.minor, identity.revision));
  // The box separates lines with LF; the CR of the built text would show as a mark.
  Text1[2]->setPlainText(programText::productLine(identity).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  const ContactText contact = programText::splitContact(identity.comments);
  Label1[0]->setText(contact.label);
  Label1[1]->setText(contact.link);
  Label1[2]->clear();
  placeOverOwner();
}

void frmVersionInfo::placeOverOwner() {
  adjustSize();
  if (QWidget* owner = parentWidget()) move(owner->window()->frameGeometry().center() - rect().center());
}

void frmVersionInfo::cmdOK_Click() { accept(); }

void frmVersionInfo::cmdSysInfo_Click() { sysInfo::StartSysInfo(this); }

bool frmVersionInfo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label1[1] && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    Label1_MouseDown(1, mouse->button(), mouse->globalPosition().toPoint());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void frmVersionInfo::Label1_MouseDown(int index, Qt::MouseButton button, const QPoint& globalPos) {
  if (index != 1) return;
  if (button == Qt::LeftButton)
    SendMail();
  else
    mnuPopup->popup(globalPos);
}

void frmVersionInfo::mnupOpen_Click() { SendMail(); }

void frmVersionInfo::mnupCopy_Click() {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  clipboard->setText(Label1[1]->text());
}

void frmVersionInfo::SendMail() {
  const QString address = Label1[1]->text();
  if (address.isEmpty()) return;
  const QUrl url(QStringLiteral("mailto:") + address);
  // A link that silently does nothing would leave the user guessing.
  if (!m_openUrl(url))
    QMessageBox::warning(this, windowTitle(), QStringLiteral("メールプログラムを起動できません。\n") + address);
}

}  // namespace quorvane
