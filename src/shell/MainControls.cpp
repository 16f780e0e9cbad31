#include "shell/MainControls.h"

#include <QTimer>

#include "controls/picture_box.h"
#include "controls/clsChaseFocus.h"
#include "controls/clsStatusBar.h"
#include "controls/clsTabStrip.h"
#include "controls/clsToolBar.h"
#include "controls/resources.h"
#include "controls/twips.h"
#include "shell/toolbar_keys.h"

namespace quorvane {

struct MainControls::Impl {
  QWidget* form = nullptr;
  Events events;
  clsStatusBar statusBar;
  clsToolBar toolBar;
  clsTabStrip tabStrip;
  clsChaseFocus chaseFocus;
  PictureBox* toolbarCanvas = nullptr;
};

MainControls::MainControls(QWidget* form, Events events) : m(std::make_unique<Impl>()) {
  m->form = form;
  m->events = std::move(events);
  QObject::connect(&m->toolBar, &clsToolBar::ButtonClick, form, [this](int id, clsToolButton*) {
    if (m->events.buttonClick) m->events.buttonClick(id);
  });
  QObject::connect(&m->tabStrip, &clsTabStrip::TabChanged, form, [this] {
    if (m->events.tabChanged) m->events.tabChanged();
  });
  QObject::connect(&m->chaseFocus, &clsChaseFocus::ChangeFocus, form, [this] {
    if (m->events.changeFocus) m->events.changeFocus();
  });
}

MainControls::~MainControls() = default;

// One line of text with an inset frame and the size grip.
void MainControls::attachStatusBar(PictureBox* picture5) {
  m->statusBar.setCanvas(picture5);
  m->statusBar.setBarStyle(1);
  m->statusBar.AddPanel();
  m->statusBar.setAutoSize(0, 1);
  m->statusBar.setBevel(0, 1);
}

void MainControls::setStatusText(const QString& text) { m->statusBar.setSimpleText(text); }

QString MainControls::statusText() const { return m->statusBar.SimpleText(); }

void MainControls::attachToolBar(PictureBox* picture4, PictureBox* picture6, QTimer* timer) {
  m->toolbarCanvas = picture4;
  clsToolBar& bar = m->toolBar;
  bar.setAutoWidth(false);
  bar.setDrawEndline(true);
  bar.setCanvas(picture4);
  bar.setWorkCanvas(picture6);
  bar.setTimerForMouse(timer);
  bar.setCoolBar(true);
  bar.Initialize();
  // Key, separator after it; the key also numbers the picture and the tool tip.
  const std::pair<int, bool> buttons[] = {{kExitKey, true}, {kChooseKey, false}, {kRunKey, false},
                                          {kSaveKey, true}, {kCopyKey, true},    {kMinimiseKey, false}};
  for (const auto& [id, separator] : buttons) {
    bar.AddButton(LoadResPicture(id), id, 0, LoadResString(id));
    if (separator) bar.AddSeparator();
  }
}

int MainControls::toolbarHeight() const { return m->toolbarCanvas ? m->toolbarCanvas->height() : 0; }

void MainControls::setToolbarVisible(bool visible) {
  m->toolBar.setBarVisible(visible);
  if (visible) m->toolBar.Show();
}

void MainControls::setToolbarEnabled(int id, bool enabled) {
  if (m->toolBar.Enabled(id) != enabled) m->toolBar.setEnabled(id, enabled);
}

bool MainControls::toolbarEnabled(int id) const { return m->toolBar.Enabled(id); }

void MainControls::attachTabStrip(PictureBox* picture2) {
  m->tabStrip.setPicture(picture2);
  m->tabStrip.Add(QStringLiteral("ファイル情報抽出"), QStringLiteral("1"));
  m->tabStrip.Add(QStringLiteral("ファイル情報比較"), QStringLiteral("2"));
}

QRect MainControls::tabClientArea() const {
  const int tx = TwipsPerPixelX();
  const int ty = TwipsPerPixelY();
  return QRect(m->tabStrip.ClientLeft() / tx, m->tabStrip.ClientTop() / ty, m->tabStrip.ClientWidth() / tx,
               m->tabStrip.ClientHeight() / ty);
}

int MainControls::selectedIndex() const { return m->tabStrip.SelectedIndex(); }

void MainControls::setSelectedIndex(int index) { m->tabStrip.setSelectedIndex(index); }

void MainControls::clickTab(int index) {
  // The access key of a tab selects it the way the user does.
  m->tabStrip.AccelKeyCmdBtnClicked(m->tabStrip.buttonBase() + index + 1);
}

void MainControls::createFocusChaser(QTimer* timer) {
  m->chaseFocus.setForm(m->form);
  m->chaseFocus.setTimer(timer);
  m->chaseFocus.setHook(true);
}

void MainControls::setFocusChaserHook(bool on) { m->chaseFocus.setHook(on); }

QWidget* MainControls::activeControl() { return m->chaseFocus.ActiveControl(); }

QWidget* MainControls::lastActiveControl() { return m->chaseFocus.LastActiveControl(); }

}  // namespace quorvane
