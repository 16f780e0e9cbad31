#include "dialogs/clsProgressForm.h"

#include "dialogs/frmProgress.h"

namespace quorvane {

clsProgressForm::~clsProgressForm() {
  if (frmProgress* window = frmProgress::shared()) window->closeWindow();
}

bool clsProgressForm::UpdateStatus(float fraction, const QString& text, bool completed) {
  const bool created = frmProgress::shared() == nullptr;
  frmProgress* window = frmProgress::sharedOrNew();
  if (created) {
    window->setOwnerForm(m_owner);
    window->setDispFinished(m_dispFinished);
    window->setTimeOutCount(m_timeOutCount);
  }
  return window->UpdateStatus(fraction, text, completed);
}

void clsProgressForm::setOwnerForm(QWidget* owner) {
  m_owner = owner;
  if (frmProgress* window = frmProgress::shared()) window->setOwnerForm(owner);
}

void clsProgressForm::setDispFinished(bool on) {
  m_dispFinished = on;
  if (frmProgress* window = frmProgress::shared()) window->setDispFinished(on);
}

void clsProgressForm::setTimeOutCount(int seconds) {
  m_timeOutCount = seconds > 0 ? seconds : 10;
  if (frmProgress* window = frmProgress::shared()) window->setTimeOutCount(m_timeOutCount);
}

bool clsProgressForm::Canceled() {
  if (m_canceledSeen) return true;
  frmProgress* window = frmProgress::shared();
  if (window != nullptr && window->takeCanceled()) m_canceledSeen = true;
  return m_canceledSeen;
}

}  // namespace quorvane
