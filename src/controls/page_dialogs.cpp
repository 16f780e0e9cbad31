#include "controls/page_dialogs.h"

#include <QCoreApplication>
#include <QDir>

#include "common/basDirUtil.h"

namespace quorvane {

QString dialogStartFolder(const QString& boxText, BoxHolds holds, const QString& fallback) {
  const std::string text = boxText.toStdString();
  std::string folder = holds == BoxHolds::File ? basDirUtil::GetParentFolder(text, 0)
                                               : basDirUtil::AddOrRemoveSlash(text, 1);
  while (!folder.empty() && !basDirUtil::PathExists(folder, true))
    folder = basDirUtil::GetParentFolder(folder, 1);
  return folder.empty() ? fallback : QString::fromStdString(folder);
}

QString programFolder() {
  return QString::fromStdString(
      basDirUtil::AddOrRemoveSlash(QCoreApplication::applicationDirPath().toStdString(), 1));
}

// The same words as the save dialog's own overwrite question.
QString replaceQuestion(const QString& path) {
  return QStringLiteral("%1 は既に存在します。\n上書きしますか?").arg(QDir::toNativeSeparators(path));
}

}  // namespace quorvane
