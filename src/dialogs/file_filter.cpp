#include "dialogs/file_filter.h"

namespace quorvane::fileFilter {

QString toQtPatterns(const QString& patterns) {
  QStringList out;
  for (const QString& part : patterns.split(u';', Qt::SkipEmptyParts)) {
    const QString p = part.trimmed();
    if (p.isEmpty()) continue;
    out << (p == QStringLiteral("*.*") ? QStringLiteral("*") : p);
  }
  return out.isEmpty() ? QStringLiteral("*") : out.join(u' ');
}

QStringList toNameFilters(const QString& storedFilter) {
  // The list ends at the first empty part (a double NUL, or the end of the text).
  QStringList parts = storedFilter.split(QChar(u'\0'));
  const qsizetype end = parts.indexOf(QString());
  if (end >= 0) parts.resize(end);
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters << parts[i] + QStringLiteral(" (") + toQtPatterns(parts[i + 1]) + u')';
  if (filters.isEmpty()) filters << QStringLiteral("* (*)");
  return filters;
}

int nameFilterPosition(int filterIndex, int filterCount) {
  if (filterIndex < 1 || filterIndex > filterCount) return 0;
  return filterIndex - 1;
}

}  // namespace quorvane::fileFilter
