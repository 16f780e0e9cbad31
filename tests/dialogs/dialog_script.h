#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

// The accept button (Open, Save, Select) of a Qt file dialog.
inline QAbstractButton* acceptButton(QFileDialog* d) {
  auto* box = d->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  for (QAbstractButton* b : box ? box->buttons() : QList<QAbstractButton*>{})
    if (box->buttonRole(b) == QDialogButtonBox::AcceptRole) return b;
  return nullptr;
}

// Types `name` (if any) into the file name box and presses the accept button.
inline void accept(QFileDialog* d, const QString& name = QString()) {
  if (!name.isNull()) d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
  QAbstractButton* button = acceptButton(d);
  ASSERT_NE(button, nullptr);
  button->click();
}

// Drives modal dialogs from a test: each step waits until a modal widget of its type is
// the active one, then acts on it. Steps run in order; an action may open a further modal
// (a question over the file dialog) for the next step. A script not finished within its
// time limit, or a modal no step expects, fails the test and rejects every open modal, so no
// test waits for a person.
class DialogScript : public QObject {
 public:
  explicit DialogScript(int timeLimitMs = 5000) : m_timeLimitMs(timeLimitMs) {
    m_clock.start();
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    m_timer.start();
  }

  ~DialogScript() override {
    m_timer.stop();
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " dialog step(s) never ran";
  }

  template <class W>
  DialogScript& then(std::function<void(W*)> action) {
    m_steps.push_back(Step{
        [](QWidget* modal) {
          auto* w = qobject_cast<W*>(modal);
          return w != nullptr && w->isVisible();
        },
        [action](QWidget* modal) { action(qobject_cast<W*>(modal)); }});
    return *this;
  }

  bool finished() const { return m_steps.empty(); }

 private:
  void tick() {
    if (m_steps.empty() && QApplication::activeModalWidget() == nullptr) return;
    if (m_clock.elapsed() > m_timeLimitMs) {
      ADD_FAILURE() << "dialog script timed out with " << m_steps.size() << " step(s) left";
      m_steps.clear();
      // QDialog::done closes even a message box that refuses a plain close.
      for (int i = 0; i < 10; ++i) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) break;
        dialog->done(QDialog::Rejected);
      }
      return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || m_actionPending || m_steps.empty()) return;
    // The action runs from the event queue, not inside this tick: it may enter a nested
    // event loop (a message box), and Qt does not fire a timer inside its own handler.
    if (!m_steps.front().matches(modal)) return;
    const Step step = m_steps.front();
    m_steps.pop_front();
    // Until the action has started, the same modal must not be taken for the next step.
    m_actionPending = true;
    QPointer<QWidget> target(modal);
    QMetaObject::invokeMethod(
        this,
        [this, step, target] {
          m_actionPending = false;
          if (target) step.act(target);
        },
        Qt::QueuedConnection);
  }

  struct Step {
    std::function<bool(QWidget*)> matches;
    std::function<void(QWidget*)> act;
  };
  std::deque<Step> m_steps;
  QTimer m_timer;
  QElapsedTimer m_clock;
  int m_timeLimitMs;
  bool m_actionPending = false;
};
