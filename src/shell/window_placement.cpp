#include "shell/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

#include "controls/twips.h"


namespace quorvane {

namespace {


QString settingsKey(const QString& key) { return QStringLiteral("Settings/") + key; }

// A setting as a whole number; 0 when it is missing or not a decimal number.
long long numberSetting(const QString& key) {
  bool ok = false;
  const long long value = readSetting(key).trimmed().toLongLong(&ok);
  return ok ? value : 0;
}

QRect screenRect(const QWidget* form) {
  const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

QString readSetting(const QString& key) {
  QSettings settings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
  return settings.value(settingsKey(key)).toString();
}

void writeSetting(const QString& key, const QString& value) {
  QSettings settings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
  settings.setValue(settingsKey(key), value);
}

void LoadWindowPlacement(QWidget* form, bool fixedSize, int minWidth, int minHeight) {
  const int tx = TwipsPerPixelX();
  const int ty = TwipsPerPixelY();
  const QRect screen = screenRect(form);
  const long long left = numberSetting(QStringLiteral("MainLeft"));
  if (left >= 1 && left < static_cast<long long>(screen.width()) * tx)
    form->move(static_cast<int>(left / tx), form->y());
  const long long top = numberSetting(QStringLiteral("MainTop"));
  if (top >= 1 && top < static_cast<long long>(screen.height()) * ty)
    form->move(form->x(), static_cast<int>(top / ty));
  if (fixedSize) return;
  // Sizes beyond the screen are cut to it so a stored value cannot make a huge window.
  const long long width = numberSetting(QStringLiteral("MainWidth"));
  if (width > minWidth)
    form->resize(static_cast<int>(std::min<long long>(width / tx, screen.width())), form->height());
  const long long height = numberSetting(QStringLiteral("MainHeight"));
  if (height > minHeight)
    form->resize(form->width(), static_cast<int>(std::min<long long>(height / ty, screen.height())));
  // The size above is the one the window returns to from the maximised state.
  if (numberSetting(QStringLiteral("MainMaximized")) == 1)
    form->setWindowState(form->windowState() | Qt::WindowMaximized);
}

void SaveWindowPlacement(QWidget* form, bool fixedSize) {
  if (form->isMinimized()) return;
  const int tx = TwipsPerPixelX();
  const int ty = TwipsPerPixelY();
  // A maximised window keeps the place it returns to, so the next start can do the same.
  const bool maximised = !fixedSize && form->isMaximized();
  const QRect place = maximised ? form->normalGeometry() : QRect(form->pos(), form->size());
  writeSetting(QStringLiteral("MainLeft"), QString::number(static_cast<long long>(place.x()) * tx));
  writeSetting(QStringLiteral("MainTop"), QString::number(static_cast<long long>(place.y()) * ty));
  if (fixedSize) return;
  writeSetting(QStringLiteral("MainWidth"), QString::number(static_cast<long long>(place.width()) * tx));
  writeSetting(QStringLiteral("MainHeight"), QString::number(static_cast<long long>(place.height()) * ty));
  writeSetting(QStringLiteral("MainMaximized"), maximised ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace quorvane
