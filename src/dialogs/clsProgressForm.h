#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace quorvane {

// What a long operation holds to report progress: every member forwards to the shared
// progress window (frmProgress), creating it when needed. The owner, the finished mode
// and the stall limit are kept here too, so a window created again after a stall
// timeout still disables the owner and behaves as configured.
class clsProgressForm {
 public:
  clsProgressForm() = default;
  // Closes the shared window.
  ~clsProgressForm();
  clsProgressForm(const clsProgressForm&) = delete;
  clsProgressForm& operator=(const clsProgressForm&) = delete;

  // Shows or updates the window. False only when the window could not take over its
  // owner; with Qt that cannot fail, so the result is true.
  bool UpdateStatus(float fraction, const QString& text, bool completed);

  void setOwnerForm(QWidget* owner);
  void setDispFinished(bool on);
  // A value above 0 is stored; 0 or less stores 10.
  void setTimeOutCount(int seconds);

  // Once true, stays true; otherwise asks the window, which closes itself when cancelled.
  bool Canceled();

 private:
  bool m_canceledSeen = false;
  QPointer<QWidget> m_owner;
  bool m_dispFinished = true;
  int m_timeOutCount = 10;
};

}  // namespace quorvane
