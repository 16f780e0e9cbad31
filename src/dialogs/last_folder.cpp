#include "dialogs/last_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quorvane::lastFolder {

namespace {
QSettings store() { return QSettings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane")); }

QString groupKey(const QString& purpose) { return QStringLiteral("Settings/") + settingsKey(purpose); }
}  // namespace

QString settingsKey(const QString& purpose) { return QStringLiteral("LastFolder") + purpose; }

QString fallbackFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return QDir::toNativeSeparators(documents);
  return QDir::toNativeSeparators(QDir::homePath());
}

QString startFolder(const QString& purpose) {
  if (!purpose.isEmpty()) {
    const QString saved = store().value(groupKey(purpose)).toString();
    if (!saved.isEmpty() && QFileInfo(QDir::fromNativeSeparators(saved)).isDir()) return saved;
  }
  return fallbackFolder();
}

void remember(const QString& purpose, const QString& chosen) {
  if (purpose.isEmpty() || chosen.trimmed().isEmpty()) return;
  const QFileInfo info(QDir::fromNativeSeparators(chosen));
  const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
  QSettings settings = store();
  settings.setValue(groupKey(purpose), QDir::toNativeSeparators(QDir::cleanPath(folder)));
  settings.sync();
}

}  // namespace quorvane::lastFolder
