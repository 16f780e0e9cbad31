#include "dialogs/CommonFileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "dialogs/clsCommonDialog.h"
#include "dialogs/file_name_rules.h"

namespace quorvane {

namespace {
bool has(std::int32_t flags, std::int32_t flag) { return (flags & flag) != 0; }
}  // namespace

CommonFileDialog::CommonFileDialog(QWidget* owner, Kind kind, std::int32_t flags,
                                   int maxPathChars)
    : QFileDialog(owner), m_kind(kind), m_flags(flags), m_maxPathChars(maxPathChars) {
  // The native dialog cannot be checked by our accept() nor driven by tests.
  setOption(QFileDialog::DontUseNativeDialog, true);
  // The overwrite question is ours (it honours OFN_OVERWRITEPROMPT), not Qt's.
  setOption(QFileDialog::DontConfirmOverwrite, true);
  // The descriptions are shown exactly as the caller wrote them.
  setOption(QFileDialog::HideNameFilterDetails, true);
  setFileMode(QFileDialog::AnyFile);
  setAcceptMode(kind == Kind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  setLabelText(QFileDialog::LookIn, QStringLiteral("ファイルの場所:"));
  setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名(&N):"));
  setLabelText(QFileDialog::FileType, QStringLiteral("ファイルの種類:"));
  setLabelText(QFileDialog::Accept,
               kind == Kind::Save ? QStringLiteral("保存(&S)") : QStringLiteral("開く(&O)"));
  setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
}

void CommonFileDialog::accept() {
  const QStringList files = selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return;
  if (QFileInfo(files.first()).isDir()) {
    QFileDialog::accept();  // Qt opens the folder and keeps the dialog up
    return;
  }
  const QString path = completedName(files.first());
  if (!confirmChoice(path)) return;
  m_chosen = QDir::toNativeSeparators(path);
  QDialog::accept();
}

QString CommonFileDialog::completedName(const QString& typed) const {
  const QString ext = m_extension.isEmpty()
                          ? fileNameRules::filterExtension(selectedNameFilter(), nameFilters())
                          : m_extension;
  return m_kind == Kind::Save ? fileNameRules::forSave(typed, ext) : fileNameRules::forOpen(typed, ext);
}

// Runs the checks the flags ask for, in the order the Windows dialog runs them.
bool CommonFileDialog::confirmChoice(const QString& path) {
  using F = clsCommonDialog::Flag;
  const QString shown = QDir::toNativeSeparators(path);
  if (m_maxPathChars >= 1 && shown.toUcs4().size() > m_maxPathChars) {
    warn(QStringLiteral("%1\nパス名が長すぎます。\n%2 文字以内で指定してください。")
             .arg(shown)
             .arg(m_maxPathChars));
    return false;
  }
  const QFileInfo info(path);
  const bool fileMustExist = m_kind == Kind::Open && has(m_flags, F::OFN_FILEMUSTEXIST);
  if ((has(m_flags, F::OFN_PATHMUSTEXIST) || fileMustExist) && !info.absoluteDir().exists()) {
    warn(QStringLiteral("%1\nパスが存在しません。\nパスが正しいかどうか確認してください。")
             .arg(shown));
    return false;
  }
  if (info.exists()) {
    if (m_kind == Kind::Save && has(m_flags, F::OFN_OVERWRITEPROMPT))
      return ask(QStringLiteral("%1 は既に存在します。\n上書きしますか?").arg(shown));
    return true;
  }
  // A file to read must exist, so file-must-exist wins over the create prompt.
  if (fileMustExist) {
    warn(QStringLiteral("%1\nファイルが見つかりません。\nファイル名が正しいかどうか確認してください。")
             .arg(shown));
    return false;
  }
  if (has(m_flags, F::OFN_CREATEPROMPT))
    return ask(QStringLiteral("%1\nこのファイルは存在しません。\nファイルを作成しますか?").arg(shown));
  return true;
}

bool CommonFileDialog::ask(const QString& text) {
  return QMessageBox::question(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void CommonFileDialog::warn(const QString& text) {
  QMessageBox::warning(this, windowTitle(), text, QMessageBox::Ok);
}

}  // namespace quorvane
