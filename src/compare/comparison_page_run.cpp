// The comparison page's run, result lists, details, file choice and saving.
#include <QCheckBox>
#include <QCollator>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "common/basDirUtil.h"
#include "compare/ComparisonPage.h"
#include "compare/ComparisonState.h"
#include "compare/compare_result_file.h"
#include "shell/PageHost.h"

namespace quorvane {

namespace {

QString fromStd(const std::string& s) { return QString::fromStdString(s); }
std::string toStd(const QString& s) { return s.toStdString(); }

// Rows in the list's order: names compared without case, as the platform's sorted list does.
std::vector<std::size_t> sortedRows(const std::vector<QString>& names) {
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::vector<std::size_t> rows(names.size());
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = i;
  std::stable_sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) {
    return collator.compare(names[a], names[b]) < 0;
  });
  return rows;
}

QString entryLines(const FileVersionEntry& e) {
  const QString crlf = QStringLiteral("\r\n");
  return QStringLiteral("FixedVersion : ") + fromStd(e.FixedVersion) + crlf +
         QStringLiteral("StringVersion : ") + fromStd(e.StringVersion) + crlf +
         QStringLiteral("Size : ") + QString::number(e.Size) + crlf + QStringLiteral("Date : ") +
         fromStd(e.Date) + QLatin1Char(' ') + fromStd(e.Time);
}

}  // namespace

bool ComparisonPage::CompareVersionRecords() {
  SecondSide second;
  QString target2;
  std::vector<std::string> records{toStd(Text4[0]->text())};
  if (Check1[0]->isChecked()) {
    second = SecondSide::extraction(m_host.extraction());
    target2 = fromStd(m_host.extraction().RunFolder);
  } else if (!Text4[1]->text().isEmpty()) {
    second = SecondSide::record(toStd(Text4[1]->text()));
    target2 = Text4[1]->text();
    records.push_back(toStd(Text4[1]->text()));
  }
  CompareOptions options;
  options.IgnoreFileDate = Check1[1]->isChecked();
  options.IgnoreStringVersion = Check1[2]->isChecked();

  m_host.setBusyPointer(true);
  CompareRun run = quorvane::CompareVersionRecords(toStd(Text4[0]->text()), second, options);
  m_host.setBusyPointer(false);

  if (run.Error == CompareError::FirstCannotOpen || run.Error == CompareError::SecondCannotOpen) {
    // Nothing was read yet: the page stays as it was.
    showRunError(run.Error == CompareError::FirstCannotOpen ? 0 : 1,
                 QString::fromUtf8(compareErrorMessage(run.Error)));
    return false;
  }
  List2->setEnabled(false);
  List2->hide();
  List2->clear();
  m_state->ListRows.clear();
  if (!run.ok()) {
    showRunError(-1, QString::fromUtf8(compareErrorMessage(run.Error)));
    return false;
  }

  m_state->Result = std::move(run.Result);
  m_state->Target2 = target2;
  m_state->Records = std::move(records);
  m_state->HasResult = true;
  if (m_state->Result.ViewMode) {
    for (QRadioButton* option : Option1) option->setEnabled(false);
    fillList(-1);
  } else {
    for (QRadioButton* option : Option1) option->setEnabled(true);
    Option1[0]->setChecked(true);
    Option1_Click(0);
  }
  List2->show();
  List2->setEnabled(true);
  Command5[3]->setEnabled(true);
  Command5[4]->setEnabled(true);
  Text4Detail->setEnabled(true);
  m_host.updateControlState(false);
  m_host.beep();
  m_host.setStatusText(QString::fromUtf8(compareErrorMessage(CompareError::None)));
  return true;
}

void ComparisonPage::showRunError(int focusBox, const QString& message) {
  m_host.showMessage(message, MessageIcon::None);
  if (focusBox >= 0) Text4[static_cast<std::size_t>(focusBox)]->setFocus();
}

// Fills List2 with the names of one category, or of the viewed record for -1.
void ComparisonPage::fillList(int category) {
  const ComparisonResult& result = m_state->Result;
  std::vector<QString> names;
  if (category < 0) {
    for (const FileVersionEntry& e : result.FirstRecord) names.push_back(fromStd(e.FullPath));
  } else {
    const auto which = static_cast<CompareCategory>(category);
    for (std::size_t row = 0; row < result.count(which); ++row)
      names.push_back(fromStd(result.entry(which, row).FullPath));
  }
  m_state->ListRows = sortedRows(names);
  List2->setEnabled(false);
  List2->clear();
  QStringList lines;
  lines.reserve(static_cast<int>(names.size()));
  for (std::size_t row : m_state->ListRows) lines << names[row];
  {
    const QSignalBlocker block(List2);
    List2->addItems(lines);
  }
  List2->setEnabled(true);
  if (names.empty()) {
    Text4Detail->clear();
  } else {
    List2->setCurrentRow(0);
    List2_Click();
  }
}

void ComparisonPage::Option1_Click(int index) {
  if (index < 0 || index > 3 || !Option1[static_cast<std::size_t>(index)]->isEnabledTo(this)) return;
  fillList(index);
}

QString ComparisonPage::detailText(int k) const {
  const ComparisonResult& result = m_state->Result;
  if (!m_state->HasResult || k < 0 || k >= static_cast<int>(m_state->ListRows.size())) return {};
  const std::size_t row = m_state->ListRows[static_cast<std::size_t>(k)];
  const QString crlf = QStringLiteral("\r\n");
  const FileVersionEntry* shown = nullptr;
  const FileVersionEntry* old = nullptr;
  std::size_t total = 0;
  if (result.ViewMode) {
    shown = &result.FirstRecord.at(row);
    total = result.FirstRecord.size();
  } else {
    int category = 0;
    for (int i = 0; i < 4; ++i)
      if (Option1[static_cast<std::size_t>(i)]->isChecked()) category = i;
    const auto which = static_cast<CompareCategory>(category);
    shown = &result.entry(which, row);
    old = result.oldEntry(which, row);
    total = result.count(which);
  }
  QString text = QStringLiteral("No : %1 /  %2").arg(k + 1).arg(total);
  // An updated file also tells which way it went, and the count line how the updates split.
  if (old) text += QStringLiteral("  (") + fromStd(updateClassSummary(result.classCounts())) + QStringLiteral(")");
  text += crlf + QStringLiteral("File : ") + List2->item(k)->text() + crlf;
  if (old) text += QStringLiteral("更新種別 : ") + QString::fromUtf8(updateClassLabel(result.Updated.at(row).Class)) + crlf;
  text += entryLines(*shown);
  if (old) text += crlf + QStringLiteral("------- Old File -------") + crlf + entryLines(*old);
  return text;
}

QString ComparisonPage::detailBoxText() const {
  return Text4Detail->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void ComparisonPage::List2_Click() {
  const int k = List2->currentRow();
  if (k < 0) return;
  Text4Detail->setPlainText(detailText(k).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void ComparisonPage::Command5_Click(int index) {
  switch (index) {
    case 0: {
      QWidget* target = m_host.activeControl();
      if (target == Command5[0] || target == nullptr) target = m_host.lastActiveControl();
      for (int box = 0; box < 3; ++box) {
        if (target == Text4[static_cast<std::size_t>(box)]) {
          chooseFile(box);
          target->setFocus();
        }
      }
      break;
    }
    case 1:
      CompareVersionRecords();
      break;
    case 3:
      m_host.setClipboardText(detailBoxText() + QStringLiteral("\r\n"));
      break;
    case 4:
      OutputCompareResult();
      break;
    default:
      break;
  }
}

QString ComparisonPage::startFolderFor(const QString& text) const {
  std::string folder = basDirUtil::GetParentFolder(toStd(text), 0);
  while (!folder.empty() && !basDirUtil::PathExists(folder, true))
    folder = basDirUtil::GetParentFolder(folder, 1);
  if (folder.empty())
    folder = basDirUtil::AddOrRemoveSlash(toStd(QCoreApplication::applicationDirPath()), 1);
  return fromStd(folder);
}

void ComparisonPage::chooseFile(int boxIndex) {
  QLineEdit* box = Text4[static_cast<std::size_t>(boxIndex)];
  FileRequest request;
  request.defaultExt = QStringLiteral("TXT");
  request.filter = QStringLiteral("Text Files (*.Txt)|*.Txt|") + QStringLiteral("All Files (*.*)|*.*");
  request.filterIndex = 1;
  request.initDir = startFolderFor(box->text());
  if (boxIndex < 2) {
    request.title = QStringLiteral("バージョン記録ファイル %1 の選択").arg(boxIndex + 1);
    request.save = false;
    // Path and file must exist, prompt to create, no read-only box, explorer, long names.
    request.flags = 0x800 | 0x1000 | 0x2000 | 0x4 | 0x80000 | 0x200000;
  } else {
    request.title = QStringLiteral("保存するバージョン比較結果ファイル名の選択");
    request.save = true;
    request.flags = 2623494;  // overwrite prompt, no read-only box, path must exist
  }
  const auto chosen = m_host.chooseFile(request);
  if (chosen) box->setText(*chosen);
}

void ComparisonPage::OutputCompareResult() {
  if (Text4[2]->text().isEmpty()) {
    m_host.showMessage(QStringLiteral("保存先ファイルが指定されていません"), MessageIcon::None);
    m_host.beep();
    return;
  }
  if (!m_state->HasResult) return;
  if (const ResultWriteResult refused = checkResultDestination(toStd(Text4[2]->text()), m_state->Records);
      !refused.ok()) {
    m_host.showMessage(QString::fromUtf8(resultWriteMessage(refused)), MessageIcon::None);
    return;
  }
  const ResultFileHeader header =
      ResultFileHeader::now(toStd(Text4[0]->text()), toStd(m_state->Target2));
  m_host.setBusyPointer(true);
  const ResultWriteResult written =
      quorvane::OutputCompareResult(m_state->Result, header, toStd(Text4[2]->text()));
  m_host.setBusyPointer(false);
  if (!written.ok()) {
    m_host.showMessage(QString::fromUtf8(resultWriteMessage(written)), MessageIcon::None);
    return;
  }
  m_host.beep();
  m_host.setStatusText(QString::fromUtf8(resultWriteMessage(written)));
}

}  // namespace quorvane
