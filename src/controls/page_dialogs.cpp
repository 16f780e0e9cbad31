#include "controls/page_dialogs.h"

#include <QDir>

#include "common/basDirUtil.h"
#include "dialogs/last_folder.h"

namespace quorvane {

QString dialogStartFolder(const QString& boxText, BoxHolds holds, const QString& purpose) {
  const std::string text = boxText.toStdString();
  std::string folder = holds == BoxHolds::File ? basDirUtil::GetParentFolder(text, 0)
                                               : basDirUtil::AddOrRemoveSlash(text, 1);
  while (!folder.empty() && !basDirUtil::PathExists(folder, true))
    folder = basDirUtil::GetParentFolder(folder, 1);
  return folder.empty() ? lastFolder::startFolder(purpose) : QString::fromStdString(folder);
}

// The same words as the save dialog's own overwrite question.
QString replaceQuestion(const QString& path) {
  return QStringLiteral("%1 は既に存在します。\n上書きしますか?").arg(QDir::toNativeSeparators(path));
}

}  // namespace quorvane
