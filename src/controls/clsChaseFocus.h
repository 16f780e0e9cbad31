#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace quorvane {

// Notices when the keyboard focus moves from one control of a form to another by polling
// the form's active control (its focus widget) on a timer, and raises ChangeFocus. The
// owner then asks for ActiveControl and LastActiveControl.
class clsChaseFocus : public QObject {
  Q_OBJECT

 public:
  explicit clsChaseFocus(QObject* parent = nullptr);

  void setTimer(QTimer* timer);
  QWidget* Form() const { return m_form; }
  void setForm(QWidget* form) { m_form = form; }
  // Both getters poll once first.
  QWidget* LastActiveControl();
  QWidget* ActiveControl();
  bool Hook() const { return m_hook; }
  void setHook(bool on) { m_hook = on; }

  // One poll, as on every timer tick.
  void Poll();

 signals:
  void ChangeFocus();

 private:
  QPointer<QWidget> m_form;
  QPointer<QWidget> m_lastActive;
  QPointer<QWidget> m_active;
  QPointer<QWidget> m_remembered;
  QPointer<QTimer> m_timer;
  bool m_hook = false;
};

}  // namespace quorvane
