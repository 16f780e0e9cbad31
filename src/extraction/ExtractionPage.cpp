#include "extraction/ExtractionPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/private_folder.h"
#include "extraction/dir_scan.h"
#include "controls/etched_line.h"
#include "controls/list_name_tips.h"
#include "controls/page_growth.h"
#include "version/clsFileVersion.h"

namespace quorvane {

ExtractionPage::ExtractionPage(PageHost& host, QWidget* parent)
    : QWidget(parent), m_host(host), m_listingInterval(basDirUtil::kHeartbeatInterval) {
  setObjectName(QStringLiteral("Picture1_0"));
  createControls();
  placeControls();
  connectHandlers();
}

ExtractionPage::~ExtractionPage() = default;

void ExtractionPage::createControls() {
  for (int i = 0; i < 3; ++i) {
    Text1[i] = new QLineEdit(this);
    Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
  }
  Text1Detail = new QPlainTextEdit(this);
  Text1Detail->setObjectName(QStringLiteral("Text1_3"));
  Text1Detail->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text1Detail->setTabChangesFocus(true);  // the detail text is read-only; Tab moves on
  Combo1 = new QComboBox(this);
  Combo1->setObjectName(QStringLiteral("Combo1"));
  List1 = new QListWidget(this);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setUniformItemSizes(true);  // long lists fill and scroll fast
  new ListNameTips(List1);
  Check2 = new QCheckBox(this);
  Check2->setObjectName(QStringLiteral("Check2"));
  for (int i = 0; i < 4; ++i) {
    Command1[i] = new QPushButton(this);
    Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
    Command1[i]->setAutoDefault(false);
  }
  Command3 = new QPushButton(this);
  Command3->setObjectName(QStringLiteral("Command3_0"));
  Command3->setAutoDefault(false);
  for (int i = 3; i <= 8; ++i) {
    Label3[i] = new QLabel(this);
    Label3[i]->setObjectName(QStringLiteral("Label3_%1").arg(i));
  }
  for (int i = 0; i < 2; ++i) Line1[i] = new EtchedLine(this);
  Label3[3]->setBuddy(Text1[0]);
  Label3[4]->setBuddy(Text1[1]);
  Label3[5]->setBuddy(Combo1);
  Label3[6]->setBuddy(Text1[2]);
  Label3[7]->setBuddy(List1);
  Label3[8]->setBuddy(Text1Detail);
  // Tab goes row by row, left to right, as the controls stand on the page.
  const std::array<QWidget*, 12> tabOrder = {Text1[0], Command1[0], Text1[1], Command1[1], Combo1,      Check2,
                                             Text1[2], List1,       Text1Detail, Command1[2], Command1[3], Command3};
  for (std::size_t i = 1; i < tabOrder.size(); ++i) QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void ExtractionPage::setDefaultSize(QSize size) {
  m_defaultSize = size;
  placeControls();
}

void ExtractionPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeControls();
}

// Fixed places in pixels for the default size. A larger page gives the extra width to the
// boxes, the list and the detail box (half each to the last two) and the extra height to
// the list and the detail box; the buttons move with the right edge, the exit button with
// the bottom.
void ExtractionPage::placeControls() {
  const QSize grown = pageGrowth(size(), m_defaultSize);
  const int dx = grown.width(), dy = grown.height(), listDx = dx / 2;
  const int labelX = 8, boxX = 136, boxW = 300 + dx, buttonX = 448 + dx, buttonW = 170;
  Label3[3]->setGeometry(labelX, 10, 126, 22);
  Text1[0]->setGeometry(boxX, 10, boxW, 22);
  Label3[4]->setGeometry(labelX, 38, 126, 22);
  Text1[1]->setGeometry(boxX, 38, boxW, 22);
  Label3[5]->setGeometry(labelX, 66, 126, 22);
  Combo1->setGeometry(boxX, 66, boxW, 22);
  Label3[6]->setGeometry(labelX, 92, 126, 34);
  Text1[2]->setGeometry(boxX, 98, boxW, 22);
  Command1[0]->setGeometry(buttonX, 9, buttonW, 24);
  Command1[1]->setGeometry(buttonX, 37, buttonW, 24);
  Check2->setGeometry(buttonX, 70, buttonW, 40);
  Line1[0]->setLine(8, 134, 616 + dx);
  Label3[7]->setGeometry(labelX, 142, 200, 20);
  List1->setGeometry(labelX, 162, 200 + listDx, 218 + dy);
  Label3[8]->setGeometry(216 + listDx, 142, 220, 20);
  Text1Detail->setGeometry(216 + listDx, 162, 220 + dx - listDx, 218 + dy);
  Command1[2]->setGeometry(buttonX, 162, buttonW, 24);
  Command1[3]->setGeometry(buttonX, 192, buttonW, 24);
  Line1[1]->setLine(buttonX, 318 + dy, buttonX + buttonW);
  Command3->setGeometry(buttonX, 356 + dy, buttonW, 24);
}

void ExtractionPage::connectHandlers() {
  for (int i = 0; i < 4; ++i)
    connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(0); });
  for (int i = 0; i < 3; ++i)
    connect(Text1[i], &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
  connect(List1, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
  connect(Check2, &QCheckBox::clicked, this, [this] { Check2_Click(); });
  connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
}

void ExtractionPage::Command3_Click(int) { m_host.unloadMainWindow(); }

void ExtractionPage::Text1_Change(int index) {
  if (index == 0) m_host.updateControlState(true);
  if (index == 2) m_overwrite.pathChanged();
}

bool ExtractionPage::updateRunButton() {
  const bool canRun = !Text1[0]->text().isEmpty();
  Command1[1]->setEnabled(canRun);
  return canRun;
}

bool ExtractionPage::saveEnabled() const { return Command1[3]->isEnabledTo(this); }

bool ExtractionPage::copyEnabled() const { return Command1[2]->isEnabledTo(this); }

bool ExtractionPage::followFocus(const QWidget* focus) {
  const bool near = focus == Text1[0] || focus == Text1[1] || focus == Text1[2] || focus == Command1[0];
  Command1[0]->setEnabled(near);
  return near;
}

void ExtractionPage::Check2_Click() {
  if (Check2->isEnabledTo(this)) UpadateList();
}

}  // namespace quorvane
