#include "compare/ComparisonPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "compare/ComparisonState.h"
#include "controls/etched_line.h"
#include "controls/list_name_tips.h"
#include "controls/page_growth.h"
#include "controls/page_places.h"

namespace quorvane {

ComparisonPage::ComparisonPage(PageHost& host, QWidget* parent)
    : QWidget(parent), m_host(host), m_state(std::make_unique<ComparisonState>()) {
  setObjectName(QStringLiteral("Picture1_1"));
  createControls();
  placeControls();
  connectHandlers();
}

ComparisonPage::~ComparisonPage() = default;

void ComparisonPage::createControls() {
  for (int i = 0; i < 3; ++i) {
    Text4[i] = new QLineEdit(this);
    Text4[i]->setObjectName(QStringLiteral("Text4_%1").arg(i));
  }
  Text4Detail = new QPlainTextEdit(this);
  Text4Detail->setObjectName(QStringLiteral("Text4_3"));
  Text4Detail->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text4Detail->setTabChangesFocus(true);  // the detail text is read-only; Tab moves on
  List2 = new QListWidget(this);
  List2->setObjectName(QStringLiteral("List2"));
  List2->setUniformItemSizes(true);  // long lists fill and scroll fast
  new ListNameTips(List2);
  for (int i = 0; i < 3; ++i) {
    Check1[i] = new QCheckBox(this);
    Check1[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
  }
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i) {
    Option1[i] = new QRadioButton(this);
    Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
    group->addButton(Option1[i], i);
  }
  for (int i : {0, 1, 3, 4}) {
    Command5[i] = new QPushButton(this);
    Command5[i]->setObjectName(QStringLiteral("Command5_%1").arg(i));
    Command5[i]->setAutoDefault(false);
  }
  Command3 = new QPushButton(this);
  Command3->setObjectName(QStringLiteral("Command3_1"));
  Command3->setAutoDefault(false);
  for (int i : {0, 1, 2, 9, 10}) {
    Label3[i] = new QLabel(this);
    Label3[i]->setObjectName(QStringLiteral("Label3_%1").arg(i));
  }
  for (int i = 0; i < 2; ++i) Line1[i] = new EtchedLine(this);
  Label3[0]->setBuddy(Text4[0]);
  Label3[1]->setBuddy(Text4[1]);
  Label3[2]->setBuddy(Text4[2]);
  Label3[9]->setBuddy(List2);
  Label3[10]->setBuddy(Text4Detail);
  // Tab goes row by row, left to right, as the controls stand on the page.
  const std::array<QWidget*, 17> tabOrder = {
      Text4[0],   Command5[0], Text4[1],   Command5[1], Text4[2], Check1[0],   Check1[1],   Check1[2], Option1[0],
      Option1[1], Option1[2],  Option1[3], List2,       Text4Detail, Command5[3], Command5[4], Command3};
  for (std::size_t i = 1; i < tabOrder.size(); ++i) QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void ComparisonPage::setDefaultSize(QSize size) {
  m_defaultSize = size;
  placeControls();
}

void ComparisonPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeControls();
}

// Fixed places in pixels for the default size, on the extraction page's grid, growing the
// same way: boxes, list and detail box take the extra room, the buttons follow the right
// edge and the exit button the bottom.
void ComparisonPage::placeControls() {
  const QSize grown = pageGrowth(size(), m_defaultSize);
  const int dx = grown.width(), dy = grown.height(), listDx = dx / 2;
  const int labelX = 8, boxX = 136, boxW = 300 + dx, buttonX = 448 + dx, buttonW = 170;
  Label3[0]->setGeometry(labelX, 10, 126, 22);
  Text4[0]->setGeometry(boxX, 10, boxW, 22);
  Label3[1]->setGeometry(labelX, 38, 126, 22);
  Text4[1]->setGeometry(boxX, 38, boxW, 22);
  Label3[2]->setGeometry(labelX, 62, 126, 34);
  Text4[2]->setGeometry(boxX, 68, boxW, 22);
  Command5[0]->setGeometry(buttonX, 9, buttonW, 24);
  Command5[1]->setGeometry(buttonX, 37, buttonW, 24);
  Check1[0]->setGeometry(labelX, 100, 150, 22);
  Check1[1]->setGeometry(160, 100, 150, 22);
  Check1[2]->setGeometry(312, 100, 306, 22);
  Line1[0]->setLine(8, 130, 616 + dx);
  for (int i = 0; i < 4; ++i) Option1[i]->setGeometry(labelX + i * 152, 136, 148, 22);
  Label3[9]->setGeometry(labelX, 160, 200, 20);
  List2->setGeometry(labelX, 180, 200 + listDx, 200 + dy);
  Label3[10]->setGeometry(216 + listDx, 160, 220, 20);
  Text4Detail->setGeometry(216 + listDx, 180, 220 + dx - listDx, 200 + dy);
  Command5[3]->setGeometry(buttonX, 180, buttonW, 24);
  Command5[4]->setGeometry(buttonX, 210, buttonW, 24);
  Line1[1]->setLine(buttonX, 318 + dy, buttonX + buttonW);
  Command3->setGeometry(buttonX, 356 + dy, buttonW, 24);
}

void ComparisonPage::connectHandlers() {
  for (int i : {0, 1, 3, 4})
    connect(Command5[i], &QPushButton::clicked, this, [this, i] { Command5_Click(i); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(1); });
  for (int i = 0; i < 4; ++i)
    connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
  // Setting the box by program acts like a click, as the extraction run relies on.
  connect(Check1[0], &QCheckBox::toggled, this, [this] { Check1_Click(0); });
  for (int i = 0; i < 3; ++i)
    connect(Text4[i], &QLineEdit::textChanged, this, [this, i] { Text4_Change(i); });
  connect(List2, &QListWidget::currentRowChanged, this, [this] { List2_Click(); });
}

void ComparisonPage::Tab1FormInitialize() {
  Label3[0]->setText(QStringLiteral("比較元ファイル(&B)"));
  Label3[1]->setText(QStringLiteral("比較先ファイル(&A)"));
  Label3[2]->setText(QStringLiteral("比較結果保存先\nファイル(&F)"));
  Label3[9]->setText(QStringLiteral("ファイル一覧(&L)"));
  Label3[10]->setText(QStringLiteral("ファイルの詳細(&T)"));
  Option1[0]->setText(QStringLiteral("追加ファイル(&I)"));
  Option1[1]->setText(QStringLiteral("更新ファイル(&N)"));
  Option1[2]->setText(QStringLiteral("削除ファイル(&K)"));
  Option1[3]->setText(QStringLiteral("無変化ファイル(&U)"));
  Check1[0]->setText(QStringLiteral("抽出結果と比較(&M)"));
  Check1[1]->setText(QStringLiteral("ファイル日付は無視(&D)"));
  Check1[2]->setText(QStringLiteral("ストリング情報ファイルバージョンは無視(&V)"));
  Command5[0]->setText(QStringLiteral("ファイル/フォルダ選択(&S)"));
  Command5[1]->setText(QStringLiteral("比較実行(&R)"));
  Command5[3]->setText(QStringLiteral("クリップボードへコピー(&C)"));
  Command5[4]->setText(QStringLiteral("結果保存(&O)"));
  Command3->setText(QStringLiteral("終了(&X)"));

  for (QLineEdit* box : Text4) box->clear();
  Text4Detail->clear();
  Text4Detail->setEnabled(false);
  Text4Detail->setReadOnly(true);
  List2->clear();
  List2->setEnabled(false);
  for (QRadioButton* option : Option1) option->setEnabled(false);
  Check1[0]->setChecked(false);
  Check1[0]->setEnabled(false);
  Check1[1]->setChecked(false);
  Check1[2]->setChecked(true);
  Command5[0]->setEnabled(false);
  Command5[0]->setFocusPolicy(Qt::ClickFocus);
  Command5[1]->setEnabled(false);
  Command5[3]->setEnabled(false);
  Command5[4]->setEnabled(false);
  Command3->setEnabled(true);
  for (std::size_t i = 0; i < Text4.size(); ++i)
    if (const auto text = pagePlaces::saved(QString::fromLatin1(kBoxPlaces[i]))) Text4[i]->setText(*text);
}

void ComparisonPage::savePlaces() const {
  for (std::size_t i = 0; i < Text4.size(); ++i) {
    // While the extraction result stands in for the second record, its name is kept aside.
    const bool keptAside = i == 1 && Check1[0]->isChecked();
    pagePlaces::save(QString::fromLatin1(kBoxPlaces[i]), keptAside ? m_savedSecondName : Text4[i]->text());
  }
}

void ComparisonPage::Command3_Click(int) { m_host.unloadMainWindow(); }

void ComparisonPage::Text4_Change(int index) {
  if (index == 0) m_host.updateControlState(true);
  if (index == 2) m_overwrite.pathChanged();
}

bool ComparisonPage::updateRunButton() {
  const bool canRun = !Text4[0]->text().isEmpty();
  Command5[1]->setEnabled(canRun);
  return canRun;
}

bool ComparisonPage::saveEnabled() const { return Command5[4]->isEnabledTo(this); }

bool ComparisonPage::copyEnabled() const { return Command5[3]->isEnabledTo(this); }

bool ComparisonPage::followFocus(const QWidget* focus) {
  const bool near = focus == Text4[0] || focus == Text4[1] || focus == Text4[2] || focus == Command5[0];
  Command5[0]->setEnabled(near);
  return near;
}

void ComparisonPage::Check1_Click(int index) {
  if (index != 0) return;
  QLineEdit* second = Text4[1];
  QPalette palette = second->palette();
  if (Check1[0]->isChecked()) {
    m_savedSecondName = second->text();
    second->clear();
    second->setEnabled(false);
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  } else {
    second->setText(m_savedSecondName);
    second->setEnabled(true);
    palette.setColor(QPalette::Base, second->style()->standardPalette().color(QPalette::Base));
  }
  second->setPalette(palette);
}

void ComparisonPage::extractionRunEnded(bool completed) {
  Check1[0]->setChecked(false);
  Check1[0]->setEnabled(false);
  if (completed) {
    Check1[0]->setEnabled(true);
    Check1[0]->setChecked(true);
  }
}

}  // namespace quorvane
