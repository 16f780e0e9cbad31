#include "dialogs/file_name_rules.h"

#include <QFileInfo>

namespace quorvane::fileNameRules {

namespace {

QString fileNamePart(const QString& path) {
  const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  return path.mid(cut + 1);
}

QString withExtension(const QString& path, const QString& extension) {
  return path + u'.' + extension;
}

// The extension of one name filter, "Desc (*.a)" giving "a"; empty for several or none.
QString extensionOfFilter(const QString& filter) {
  const qsizetype open = filter.lastIndexOf(u'(');
  const qsizetype close = filter.lastIndexOf(u')');
  if (open < 0 || close < open) return {};
  const QStringList patterns = filter.mid(open + 1, close - open - 1).split(u' ', Qt::SkipEmptyParts);
  if (patterns.size() != 1) return {};
  const QString& p = patterns.front();
  if (!p.startsWith(QStringLiteral("*."))) return {};
  const QString ext = p.mid(2);
  if (ext.isEmpty() || ext.contains(u'*') || ext.contains(u'?') || ext.contains(u'.')) return {};
  return ext;
}

}  // namespace

bool lacksExtension(const QString& path) {
  const QString name = fileNamePart(path);
  // A leading dot names a hidden file, not an extension.
  return !name.isEmpty() && name.lastIndexOf(u'.') <= 0;
}

QString forSave(const QString& path, const QString& extension) {
  if (extension.isEmpty() || !lacksExtension(path)) return path;
  return withExtension(path, extension.toLower());
}

QString forOpen(const QString& path, const QString& extension) {
  if (extension.isEmpty() || !lacksExtension(path) || QFileInfo(path).isFile()) return path;
  for (const QString& candidate : {withExtension(path, extension.toLower()), withExtension(path, extension.toUpper())})
    if (QFileInfo(candidate).isFile()) return candidate;
  return path;
}

QString filterExtension(const QString& selected, const QStringList& filters) {
  const QString own = extensionOfFilter(selected);
  if (!own.isEmpty()) return own;
  for (const QString& f : filters) {
    const QString ext = extensionOfFilter(f);
    if (!ext.isEmpty()) return ext;
  }
  return {};
}

}  // namespace quorvane::fileNameRules
