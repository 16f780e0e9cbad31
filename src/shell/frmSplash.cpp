#include "shell/frmSplash.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "controls/picture_box.h"
#include "controls/clsBorder3D.h"

#include "program_info.h"
#include "shell/form_routines.h"

namespace quorvane {

namespace {

// The program's picture: two stacked program files with a version tag, drawn here so the
// program ships no picture files.
QPixmap drawProgramPicture(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size / 64.0;
  auto page = [&](qreal x, qreal y, QColor fill) {
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + 28 * s, y);
    path.lineTo(x + 38 * s, y + 10 * s);
    path.lineTo(x + 38 * s, y + 46 * s);
    path.lineTo(x, y + 46 * s);
    path.closeSubpath();
    p.setPen(QPen(QColor(40, 40, 80), 1.5 * s));
    p.setBrush(fill);
    p.drawPath(path);
    p.setPen(QPen(QColor(120, 120, 160), 1.2 * s));
    for (int line = 0; line < 4; ++line)
      p.drawLine(QPointF(x + 6 * s, y + (18 + line * 7) * s), QPointF(x + 32 * s, y + (18 + line * 7) * s));
  };
  page(6 * s, 4 * s, QColor(230, 236, 250));
  page(20 * s, 14 * s, QColor(255, 255, 255));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 128));
  p.drawEllipse(QPointF(46 * s, 48 * s), 12 * s, 12 * s);
  p.setPen(QPen(Qt::white, 3 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(40 * s, 48 * s), QPointF(45 * s, 53 * s), QPointF(53 * s, 42 * s)}));
  return picture;
}

}  // namespace

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmSplash"));
  Form_Load();
}

frmSplash::~frmSplash() {
  // The pointer may still show the hourglass of a start that ended early.
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

QString frmSplash::versionLine(int major, int minor, int revision) {
  return QStringLiteral("Version :  %1.%2.0.%3").arg(major).arg(minor).arg(revision);
}

void frmSplash::Form_Load() {
  setFixedSize(460, 230);
  Frame = new PictureBox(this);
  Frame->setGeometry(rect());
  m_border = std::make_unique<clsBorder3D>();
  m_border->setCanvas(Frame);
  m_border->setClient(Frame);
  m_border->setStyle3D(5);
  m_border->setBevelOuter(2);
  m_border->setBevelInner(2);
  m_border->setBevelWidth(1);
  connect(Frame, &PictureBox::Paint, this, [this] { Form_Paint(); });
  Image1 = new QLabel(this);
  Image1->setPixmap(drawProgramPicture(96));
  Image1->setGeometry(24, 40, 96, 96);

  lblVersion = new QLabel(this);
  lblVersion->setText(versionLine(programInfo::kMajor, programInfo::kMinor, programInfo::kRevision));
  lblVersion->setGeometry(140, 150, 300, 20);

  lblProductName = new QLabel(this);
  lblProductName->setText(QString::fromUtf8(programInfo::kProductName));
  lblProductName->setGeometry(140, 24, 310, 52);
  lblProductName->setWordWrap(true);
  QFont big = lblProductName->font();
  big.setPointSizeF(big.pointSizeF() * 1.3);
  big.setBold(true);
  lblProductName->setFont(big);

  Label1 = new QLabel(this);
  Label1->setText(QString::fromUtf8(programInfo::kProductName));
  Label1->setGeometry(140, 80, 300, 40);
  QFont styled = Label1->font();
  styled.setItalic(true);
  Label1->setFont(styled);
  Label1->setStyleSheet(QStringLiteral("color: #000080"));
  Label1->setWordWrap(true);

  lblCopyright = new QLabel(this);
  lblCopyright->setText(QString::fromUtf8(programInfo::kLegalCopyright));
  lblCopyright->setGeometry(140, 180, 300, 20);

  CenterForm(this, nullptr);
}

void frmSplash::Form_Paint() {
  if (m_border) m_border->Draw();
}

}  // namespace quorvane
