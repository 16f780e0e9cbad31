#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

class QLabel;
class QPushButton;

namespace quorvane {

class PictureBox;

// The progress window of a long operation: a status text, a bar with its percentage and
// one button that cancels while the work runs and closes the window once it shows "OK".
// It is modeless; its owner is disabled while it shows. Callers use clsProgressForm,
// which drives the one shared instance.
class frmProgress : public QDialog {
  Q_OBJECT

 public:
  explicit frmProgress(QWidget* owner = nullptr);
  ~frmProgress() override;

  // The shared window, or null when there is none.
  static frmProgress* shared();
  // The shared window, created (hidden) when there is none.
  static frmProgress* sharedOrNew();

  QWidget* OwnerForm() const { return m_owner; }
  void setOwnerForm(QWidget* owner) { m_owner = owner; }
  bool DispFinished() const { return m_dispFinished; }
  void setDispFinished(bool on) { m_dispFinished = on; }
  int TimeOutCount() const { return m_timeOutCount; }
  void setTimeOutCount(int seconds) { m_timeOutCount = seconds > 0 ? seconds : 10; }
  bool Canceled() const { return m_canceled; }

  bool UpdateStatus(float fraction, const QString& text, bool completed);
  // Reads the cancel state; a cancelled window closes itself now.
  bool takeCanceled();
  // Stops the timer, enables the owner and forgets the owner and the shared instance.
  void closeWindow();

  // The controls, named as the window's design names them.
  QLabel* Label1 = nullptr;
  PictureBox* Picture1 = nullptr;
  QPushButton* Command1 = nullptr;
  QTimer Timer1;

  void Timer1_Timer();
  void Command1_Click();

  // Monotonic milliseconds; tests replace it to make time pass.
  static std::function<qint64()>& clock();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void start();
  void redrawBar(float fraction, bool completed);
  void setOwnerEnabled(bool on);

  QPointer<QWidget> m_owner;
  bool m_dispFinished = true;
  int m_timeOutCount = 10;
  bool m_canceled = false;
  bool m_started = false;
  bool m_closed = false;
  qint64 m_lastUpdateMs = 0;
  float m_lastFraction = 0.0f;
  bool m_blink = false;
};

}  // namespace quorvane
