#include "shell/form_routines.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quorvane {

namespace {

const QScreen* screenOf(const QWidget* form) {
  return form->screen() ? form->screen() : QGuiApplication::primaryScreen();
}

QString typeNameOf(const QWidget* widget) {
  QString name = QString::fromLatin1(widget->metaObject()->className());
  const int colon = name.lastIndexOf(QLatin1Char(':'));
  if (colon >= 0) name = name.mid(colon + 1);
  return name.toUpper();
}

}  // namespace

bool CenterForm(QWidget* form, QWidget* parent) {
  const QScreen* screen = screenOf(form);
  if (!screen) return false;
  const QRect screenRect = screen->geometry();
  const QSize size = form->frameGeometry().size();
  if (size.width() > screenRect.width() || size.height() > screenRect.height()) return false;
  const QRect area = parent ? parent->frameGeometry() : screenRect;
  form->move(area.left() + (area.width() - size.width()) / 2,
             area.top() + (area.height() - size.height()) / 2);
  return true;
}

void fitIntoScreen(QWidget* form) {
  const QScreen* screen = screenOf(form);
  if (!screen) return;
  const QRect work = screen->availableGeometry();
  form->move(work.topLeft());
  // A fixed-size window keeps its size; only a resizable one is shrunk to the work area.
  if (form->minimumSize() != form->maximumSize())
    form->resize(std::min(form->width(), work.width()), std::min(form->height(), work.height()));
}

void SetControlsProperty(QWidget* form, const QString& typeName, const QString& property, bool value) {
  const QString wanted = typeName.toUpper();
  const QString what = property.toUpper();
  const auto controls = form->findChildren<QWidget*>();
  for (QWidget* control : controls) {
    if (!wanted.isEmpty() && typeNameOf(control) != wanted) continue;
    if (what == QStringLiteral("ENABLED")) {
      control->setEnabled(value);
    } else if (what == QStringLiteral("TABSTOP")) {
      if (!value) {
        control->setFocusPolicy(control->focusPolicy() == Qt::StrongFocus ? Qt::ClickFocus
                                                                          : control->focusPolicy());
        if (control->focusPolicy() == Qt::TabFocus) control->setFocusPolicy(Qt::NoFocus);
      } else if (control->focusPolicy() == Qt::ClickFocus) {
        control->setFocusPolicy(Qt::StrongFocus);
      }
    }
  }
}

}  // namespace quorvane
