#include "controls/page_places.h"

#include <QSettings>

namespace quorvane::pagePlaces {

namespace {
QString groupKey(const QString& key) { return QStringLiteral("Settings/") + key; }
}  // namespace

std::optional<QString> saved(const QString& key) {
  const QSettings settings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
  if (!settings.contains(groupKey(key))) return std::nullopt;
  return settings.value(groupKey(key)).toString();
}

void save(const QString& key, const QString& text) {
  QSettings settings(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
  settings.setValue(groupKey(key), text);
}

}  // namespace quorvane::pagePlaces
