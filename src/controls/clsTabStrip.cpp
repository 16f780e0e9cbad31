#include "controls/clsTabStrip.h"

#include "controls/twips.h"

#include <QKeySequence>

namespace quorvane {

clsTabStrip::clsTabStrip(QObject* parent)
    : QObject(parent),
      m_padX(roundHalfEven(TwipsPerPixelX() * 8.0 / 12.0)),
      m_padY(roundHalfEven(TwipsPerPixelY() * 5.0 / 12.0)) {}

clsTabStrip::~clsTabStrip() {
  for (QPointer<QShortcut>& s : m_shortcuts) delete s.data();
}

void clsTabStrip::setPicture(PictureBox* picture) {
  if (m_picture) disconnect(m_picture, nullptr, this, nullptr);
  m_picture = picture;
  if (picture == nullptr) return;
  picture->setScaleMode(ScaleUnit::Pixels);
  picture->setEnabled(true);
  picture->setVisible(true);
  picture->setFocusPolicy(Qt::StrongFocus);
  connect(picture, &PictureBox::GotFocus, this, [this] { drawFocusMark(true); });
  connect(picture, &PictureBox::LostFocus, this, [this] { drawFocusMark(false); });
  connect(picture, &PictureBox::KeyDown, this, &clsTabStrip::onKeyDown);
  connect(picture, &PictureBox::MouseDown, this, &clsTabStrip::onMouseDown);
  // The page frame follows the surface's size.
  connect(picture, &PictureBox::Resize, this, [this] {
    repaint();
    if (m_picture && m_picture->hasFocus()) drawFocusMark(true);
  });
}

QString clsTabStrip::labelOf(const Tab& tab) {
  if (tab.accessKey.isEmpty()) return tab.caption;
  return tab.caption + QLatin1Char('(') + tab.accessKey + QLatin1Char(')');
}

void clsTabStrip::Add(const QString& caption, const QString& accessKey) {
  Tab t;
  t.caption = caption;
  t.accessKey = accessKey;
  const int index = Count();
  if (!m_tabs.empty()) t.left = m_tabs.back().left + m_tabs.back().width + 1;
  else t.left = 2;
  t.top = 2;
  if (m_picture) {
    t.width = static_cast<int>(m_picture->TextWidth(labelOf(t))) + 2 * m_padX;
    t.height = static_cast<int>(m_picture->TextHeight(QStringLiteral("Ay"))) + m_padY;
  }
  t.selected = index == m_selected;
  m_tabs.push_back(t);
  QPointer<QShortcut> shortcut;
  if (!accessKey.isEmpty() && m_picture) {
    shortcut = new QShortcut(QKeySequence(QStringLiteral("Alt+") + accessKey), m_picture->window());
    shortcut->setContext(Qt::WindowShortcut);
    const int buttonIndex = m_buttonBase + index + 1;
    connect(shortcut, &QShortcut::activated, this, [this, buttonIndex] { AccelKeyCmdBtnClicked(buttonIndex); });
  }
  m_shortcuts.push_back(shortcut);
  repaint();
}

void clsTabStrip::AccelKeyCmdBtnClicked(int buttonIndex) {
  const int index = buttonIndex - 1 - m_buttonBase;
  if (index < 0 || index >= Count() || index == m_selected) return;
  m_selected = index;
  repaint();
  if (m_picture && m_picture->hasFocus()) drawFocusMark(true);
  emit Click();
  emit TabChanged();
}

int clsTabStrip::ClientLeft() const { return m_picture ? m_picture->Left() + TwipsPerPixelX() : 0; }

int clsTabStrip::ClientTop() const {
  if (!m_picture) return 0;
  const int bar = 2 * m_padY + static_cast<int>(m_picture->TextHeight(QStringLiteral("|"))) - 1;
  return m_picture->Top() + bar * TwipsPerPixelY();
}

int clsTabStrip::ClientWidth() const {
  if (!m_picture) return 0;
  return (m_picture->toPixelsX(m_picture->ScaleWidth()) - 3) * TwipsPerPixelX();
}

int clsTabStrip::ClientHeight() const {
  if (!m_picture) return 0;
  const int bar = 2 * m_padY + static_cast<int>(m_picture->TextHeight(QStringLiteral("|"))) + 1;
  return m_picture->Height() - bar * TwipsPerPixelY();
}

int clsTabStrip::Top() const { return m_picture ? m_picture->Top() : 0; }
void clsTabStrip::setTop(int twips) {
  if (m_picture) m_picture->setTop(twips);
}
int clsTabStrip::Height() const { return m_picture ? m_picture->Height() : 0; }

void clsTabStrip::setSelectedIndex(int index) {
  if (index == m_selected || index < 0 || index >= Count()) return;
  m_selected = index;
  repaint();
  if (m_picture && m_picture->hasFocus()) drawFocusMark(true);
}

void clsTabStrip::selectByUser(int index) {
  m_selected = index;
  repaint();
  if (m_picture && m_picture->hasFocus()) drawFocusMark(true);
  emit TabChanged();
}

void clsTabStrip::onMouseDown(int button, int, double x, double y) {
  if (button != MouseButton::Left) return;
  for (int i = 0; i < Count(); ++i) {
    const Tab& t = m_tabs[static_cast<std::size_t>(i)];
    if (t.left <= x && x <= t.left + t.width && t.top <= y && y <= t.top + t.height) {
      if (i != m_selected) selectByUser(i);
      return;
    }
  }
}

void clsTabStrip::onKeyDown(int keyCode, int shift) {
  const int n = Count();
  int next = m_selected;
  if (n > 0) {
    if (keyCode == 37) next = (m_selected + n - 1) % n;
    else if (keyCode == 39) next = (m_selected + 1) % n;
    else if (keyCode == 9 && shift == 2) next = (m_selected + 1) % n;
    else if (keyCode == 9 && shift == 3) next = (m_selected + n - 1) % n;
  }
  if (next != m_selected) selectByUser(next);
  emit KeyDown(keyCode, shift);
}

}  // namespace quorvane
