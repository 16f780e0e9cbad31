// Which commands are enabled when, page switching and the focus rule.
#include <QEvent>

#include "shell/MainControls.h"
#include "shell/frmMain.h"
#include "shell/toolbar_keys.h"

namespace quorvane {

int frmMain::selectedTab() const { return m_controls ? m_controls->selectedIndex() : 0; }

void frmMain::selectTab(int index) {
  if (m_controls) m_controls->clickTab(index);
}

bool frmMain::toolbarEnabled(int id) const { return m_controls && m_controls->toolbarEnabled(id); }

void frmMain::setCommandEnabled(QAction* menu, int toolbarId, bool enabled) {
  if (menu) menu->setEnabled(enabled);
  m_controls->setToolbarEnabled(toolbarId, enabled);
}

PageCommands& frmMain::shownPage() { return *m_pages.at(static_cast<std::size_t>(selectedTab())); }

void frmMain::UpdateControlState(bool onlyRun) {
  if (!m_pages[0]) return;
  PageCommands& page = shownPage();
  setCommandEnabled(mnuRun, kRunKey, page.updateRunButton());
  if (onlyRun) return;
  setCommandEnabled(mnuSave, kSaveKey, page.saveEnabled());
  m_controls->setToolbarEnabled(kCopyKey, page.copyEnabled());
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
  if (!m_controls || !m_pages[0]) return;
  const QWidget* now = m_controls->activeControl();
  bool nearABox = false;
  for (PageCommands* page : m_pages) nearABox = page->followFocus(now) || nearABox;
  m_controls->setToolbarEnabled(kChooseKey, nearABox);
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
