#include "help/help_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "program_info.h"

namespace quorvane::help {

namespace {
constexpr const char* kGroup = "Settings";
constexpr const char* kKey = "HTMLHelpFile";

QSettings settingsStore() {
  return QSettings(QString::fromUtf8(programInfo::kTitle), QString::fromUtf8(programInfo::kTitle));
}
}  // namespace

QStringList defaultHelpFileCandidates(const QString& programFolder) {
  const QDir dir(programFolder);
  const QString name = QString::fromLatin1(kHelpFileName);
  return {
      QDir::cleanPath(dir.filePath(name)),
      QDir::cleanPath(dir.filePath(QStringLiteral("../share/quorvane/") + name)),
      QDir::cleanPath(dir.filePath(QStringLiteral("../../share/quorvane/") + name)),
  };
}

QString defaultHelpFile(const QString& programFolder) {
  const QStringList candidates = defaultHelpFileCandidates(programFolder);
  for (const QString& path : candidates)
    if (QFileInfo(path).isFile()) return path;
  return candidates.front();
}

QString defaultHelpFile() { return defaultHelpFile(QCoreApplication::applicationDirPath()); }

QString configuredHelpFile() {
  QSettings s = settingsStore();
  s.beginGroup(QString::fromLatin1(kGroup));
  const QString value = s.value(QString::fromLatin1(kKey)).toString();
  s.endGroup();
  return value.isEmpty() ? defaultHelpFile() : value;
}

void saveHelpFile(const QString& path) {
  QSettings s = settingsStore();
  s.beginGroup(QString::fromLatin1(kGroup));
  s.setValue(QString::fromLatin1(kKey), path);
  s.endGroup();
  s.sync();
}

}  // namespace quorvane::help
