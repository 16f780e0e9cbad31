#include "dialogs/clsCommonDialog.h"

#include <QDir>
#include <QFileInfo>
#include <array>
#include <utility>

#include "dialogs/CommonFileDialog.h"
#include "dialogs/file_filter.h"
#include "dialogs/last_folder.h"

namespace quorvane {

namespace {

const QChar kNul(u'\0');

// Without a caller's value there is no default extension: empty or NUL-only text.
QString usableDefaultExt(const QString& ext) {
  QString e = ext.left(ext.indexOf(kNul) < 0 ? ext.size() : ext.indexOf(kNul));
  while (e.startsWith(u'.')) e.remove(0, 1);
  return e;
}

// The proposed name is held in a buffer of MaxFileSize characters with its closing NUL.
QString proposedName(const QString& name, std::int32_t maxFileSize) {
  QString n = name.left(name.indexOf(kNul) < 0 ? name.size() : name.indexOf(kNul));
  if (maxFileSize >= 1) n = n.left(maxFileSize - 1);
  return n;
}

}  // namespace

clsCommonDialog::clsCommonDialog()
    : m_fileTitle(254, u' '), m_initDir(QDir::toNativeSeparators(QDir::currentPath())) {
  setFilter(QStringLiteral("All Files (*.*)|*.*"));
}

void clsCommonDialog::setFilter(const QString& filter) {
  m_filter = filter;
  m_filter.replace(u'|', kNul);
  if (!m_filter.endsWith(kNul)) m_filter += kNul;
}

void clsCommonDialog::setAction(std::int16_t value) {
  m_action = value;
  if (value == 1) ShowOpen();
  if (value == 2) ShowSave();
}

void clsCommonDialog::ShowOpen() { show(false); }
void clsCommonDialog::ShowSave() { show(true); }

void clsCommonDialog::show(bool save) {
  m_action = save ? 2 : 1;
  m_errNumber = 0;
  // The longest path that fits the caller's buffer; a buffer too small to hold anything
  // means the caller gave no usable size, and no limit is applied.
  const int maxPath = m_maxFileSize >= 2 ? m_maxFileSize - 1 : 0;
  CommonFileDialog dialog(m_form, save ? CommonFileDialog::Kind::Save : CommonFileDialog::Kind::Open,
                          m_flags, maxPath);
  dialog.setWindowTitle(m_dialogTitle);
  const QStringList filters = fileFilter::toNameFilters(m_filter);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.value(fileFilter::nameFilterPosition(m_filterIndex, filters.size())));
  dialog.setDefaultExtension(usableDefaultExt(m_defaultExt));
  // A start folder that is gone would leave Qt in the current folder, which for an
  // installed program is its own read-only folder.
  const QString start = QDir::fromNativeSeparators(m_initDir);
  dialog.setDirectory(!start.isEmpty() && QFileInfo(start).isDir() ? start : lastFolder::fallbackFolder());
  const QString proposed = proposedName(m_fileName, m_maxFileSize);
  if (!proposed.isEmpty()) dialog.selectFile(QDir::fromNativeSeparators(proposed));

  if (dialog.exec() != QDialog::Accepted || dialog.chosenPath().isEmpty()) {
    m_cancelError = true;
    m_fileName.clear();
    return;
  }
  m_cancelError = false;
  m_fileName = dialog.chosenPath();
  m_fileTitle = QFileInfo(QDir::fromNativeSeparators(m_fileName)).fileName().trimmed();
}

QString clsCommonDialog::ErrDescriptionFor(std::int32_t number) {
  static const std::array<std::pair<std::int32_t, const char*>, 24> kTable{{
      {-32768, "関数がダイアログ ボックスをロードできません。"},
      {20476, "メンバ lpstrFile が指すバッファが小さすぎます。"},
      {20477, "ファイル名が無効です。"},
      {20478, "メモリ不足のために、リスト ボックスをサブクラス化できません。"},
      {24574, "フォントが存在しません。"},
      {28660, "WIN.INI ファイル内の [devices] セクションに、必要なプリンタについてのエントリがありません。"},
      {28661, "PrintDlg 関数が情報コンテキストを作成できません。"},
      {28662, "DevMode データ構造と DevNames データ構造のデータが異なるプリンタを指しています。"},
      {28663, "通常使うプリンタが設定されていません。"},
      {28664, "プリンタ ドライバが見つかりません。"},
      {28665, "PrintDlg 関数を初期化できません。"},
      {28666, "プリンタ ドライバが DevMode データ構造を初期化できません。"},
      {28667, "PrintDlg 関数が、指定したプリンタ ドライバをロードできません。"},
      {28668, "PDReturnDefault フラグが設定されていますが、hDevMode フィールドまたは hDevNames フィールドが 0 ではありません。"},
      {28669, "CommonDialog 関数が WIN.INI の [devices] セクションの文字列を解析できません。"},
      {32751, "Microsoft Windows のヘルプを呼び出せません。"},
      {32752, "FileName プロパティまたは Filter プロパティにメモリを割り当てられません。"},
      {32755, "[キャンセル] ボタンが選択されました。"},
      {32757, "関数が、ハンドルに関連付けられたメモリをロックできません。"},
      {32758, "関数が、内部のデータ構造にメモリを割り当てられません。"},
      {32759, "関数が指定したリソースをロックできません。"},
      {32760, "関数が指定したリソースをロードできません。"},
      {32761, "関数が指定したリソースをロードできません。"},
      {32765, "関数を初期化できません。"},
  }};
  for (const auto& [n, text] : kTable)
    if (n == number) return QString::fromUtf8(text);
  return QStringLiteral("未知のｴﾗｰです。");
}

}  // namespace quorvane
