#include "controls/clsChaseFocus.h"

namespace quorvane {

clsChaseFocus::clsChaseFocus(QObject* parent) : QObject(parent) {}

void clsChaseFocus::setTimer(QTimer* timer) {
  if (timer == nullptr) return;
  if (m_timer) disconnect(m_timer, nullptr, this, nullptr);
  m_timer = timer;
  connect(timer, &QTimer::timeout, this, &clsChaseFocus::Poll);
}

QWidget* clsChaseFocus::LastActiveControl() {
  Poll();
  return m_lastActive;
}

QWidget* clsChaseFocus::ActiveControl() {
  Poll();
  return m_active;
}

void clsChaseFocus::Poll() {
  if (!m_hook) return;
  // A form without a focus widget (or no form at all) has no active control.
  m_active = m_form ? m_form->focusWidget() : nullptr;
  if (m_active.data() == m_remembered.data()) return;
  m_lastActive = m_remembered;
  m_remembered = m_active;
  emit ChangeFocus();
}

}  // namespace quorvane
