// Which commands are enabled when, page switching and the focus rule.
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

#include "compare/ComparisonPage.h"
#include "extraction/ExtractionPage.h"
#include "shell/MainControls.h"
#include "shell/frmMain.h"

namespace quorvane {

namespace {
constexpr int kRunButton = 30;
constexpr int kSaveButton = 3;
constexpr int kCopyButton = 41;
constexpr int kChooseButton = 40;
}  // namespace

int frmMain::selectedTab() const { return m_controls ? m_controls->selectedIndex() : 0; }

void frmMain::selectTab(int index) {
  if (m_controls) m_controls->clickTab(index);
}

bool frmMain::toolbarEnabled(int id) const { return m_controls && m_controls->toolbarEnabled(id); }

void frmMain::setCommandEnabled(QAction* menu, int toolbarId, bool enabled) {
  if (menu) menu->setEnabled(enabled);
  m_controls->setToolbarEnabled(toolbarId, enabled);
}

void frmMain::UpdateControlState(bool onlyRun) {
  if (!m_page0 || !m_page1) return;
  if (selectedTab() == 0) {
    const bool canRun = !m_page0->Text1[0]->text().isEmpty();
    m_page0->Command1[1]->setEnabled(canRun);
    setCommandEnabled(mnuRun, kRunButton, canRun);
    if (onlyRun) return;
    setCommandEnabled(mnuSave, kSaveButton, m_page0->Command1[3]->isEnabledTo(m_page0));
    m_controls->setToolbarEnabled(kCopyButton, m_page0->Command1[2]->isEnabledTo(m_page0));
  } else {
    const bool canRun = !m_page1->Text4[0]->text().isEmpty();
    m_page1->Command5[1]->setEnabled(canRun);
    setCommandEnabled(mnuRun, kRunButton, canRun);
    if (onlyRun) return;
    setCommandEnabled(mnuSave, kSaveButton, m_page1->Command5[4]->isEnabledTo(m_page1));
    m_controls->setToolbarEnabled(kCopyButton, m_page1->Command5[3]->isEnabledTo(m_page1));
  }
}

void frmMain::ShowPage() {
  const int shown = selectedTab();
  for (int i = 0; i < 2; ++i) {
    QWidget* page = Picture1[static_cast<std::size_t>(i)];
    page->setEnabled(i == shown);
    page->setVisible(i == shown);
    if (i == shown) page->raise();
  }
}

void frmMain::mcTabStrip_TabChanged() {
  ShowPage();
  UpdateControlState(false);
}

// The choose buttons make sense only next to the boxes they fill.
void frmMain::mcChaseFocus_ChangeFocus() {
  if (!m_controls || !m_page0 || !m_page1) return;
  QWidget* now = m_controls->activeControl();
  const auto& t1 = m_page0->Text1;
  const bool onPage0 = now == t1[0] || now == t1[1] || now == t1[2] || now == m_page0->Command1[0];
  const auto& t4 = m_page1->Text4;
  const bool onPage1 = now == t4[0] || now == t4[1] || now == t4[2] || now == m_page1->Command5[0];
  m_page0->Command1[0]->setEnabled(onPage0);
  m_page1->Command5[0]->setEnabled(onPage1);
  m_controls->setToolbarEnabled(kChooseButton, onPage0 || onPage1);
}

void frmMain::setFocusChaserHook(bool on) {
  if (m_controls) m_controls->setFocusChaserHook(on);
}

QWidget* frmMain::lastActiveControl() { return m_controls ? m_controls->lastActiveControl() : nullptr; }

QWidget* frmMain::activeControl() { return m_controls ? m_controls->activeControl() : nullptr; }

void frmMain::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && m_controls)
    m_controls->setFocusChaserHook(isActiveWindow());
  QMainWindow::changeEvent(event);
}

void frmMain::paintEvent(QPaintEvent* event) {
  QMainWindow::paintEvent(event);
  mcChaseFocus_ChangeFocus();
}

}  // namespace quorvane
