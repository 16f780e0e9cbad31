// The comparison page's run, result lists, details, file choice and saving.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "compare/ComparisonPage.h"
#include "compare/ComparisonState.h"
#include "compare/compare_result_file.h"
#include "controls/page_details.h"
#include "controls/page_dialogs.h"
#include "dialogs/last_folder.h"
#include "extraction/extraction_order.h"

namespace quorvane {

namespace {

QString fromStd(const std::string& s) { return QString::fromStdString(s); }
std::string toStd(const QString& s) { return s.toStdString(); }

// Rows in the list's order: the extraction page's order, so both pages agree.
std::vector<std::size_t> sortedRows(const std::vector<QString>& names) {
  std::vector<std::string> texts;
  texts.reserve(names.size());
  for (const QString& name : names) texts.push_back(toStd(name));
  return nameListOrder(texts);
}

// The status text after a run that read something but could not finish.
const char* const kNoComparison = "ファイル比較は出来ませんでした";

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
    dropResult();
    showRunError(-1, QString::fromUtf8(compareErrorMessage(run.Error)));
    m_host.setStatusText(QString::fromUtf8(kNoComparison));
    return false;
  }

  m_overwrite.resultReplaced();
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

// The previous comparison was replaced by a read that failed: nothing of it may stay on
// show, be copied or be saved, and the page says that no comparison is loaded.
void ComparisonPage::dropResult() {
  *m_state = ComparisonState{};
  m_overwrite.resultReplaced();
  for (QRadioButton* option : Option1) option->setEnabled(false);
  Text4Detail->clear();
  Text4Detail->setEnabled(false);
  Command5[3]->setEnabled(false);
  Command5[4]->setEnabled(false);
  m_host.updateControlState(false);
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
  // The count carries the blank of a number's sign, so two blanks stand before it. An
  // updated file also tells which way it went, and the count line how the updates split.
  QString numberLine = QStringLiteral("No : %1 /  %2").arg(k + 1).arg(total);
  QString classLine;
  if (old) {
    numberLine += QStringLiteral("  (") + fromStd(updateClassSummary(result.classCounts())) + QStringLiteral(")");
    classLine = QStringLiteral("更新種別 : ") + QString::fromUtf8(updateClassLabel(result.Updated.at(row).Class));
  }
  return entryDetailText(numberLine, List2->item(k)->text(), *shown, old, classLine);
}

QString ComparisonPage::detailBoxText() const { return quorvane::detailBoxText(Text4Detail); }

void ComparisonPage::List2_Click() {
  const int k = List2->currentRow();
  if (k >= 0) setDetailBoxText(Text4Detail, detailText(k));
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

void ComparisonPage::chooseFile(int boxIndex) {
  QLineEdit* box = Text4[static_cast<std::size_t>(boxIndex)];
  FileRequest request;
  request.defaultExt = QStringLiteral("TXT");
  request.filter = QStringLiteral("Text Files (*.Txt)|*.Txt|") + QStringLiteral("All Files (*.*)|*.*");
  request.filterIndex = 1;
  const QString purpose = QString::fromLatin1(kBoxPlaces[static_cast<std::size_t>(boxIndex)]);
  request.initDir = dialogStartFolder(box->text(), BoxHolds::File, purpose);
  if (boxIndex < 2) {
    using F = clsCommonDialog::Flag;
    request.title = QStringLiteral("バージョン記録ファイル %1 の選択").arg(boxIndex + 1);
    request.save = false;
    request.flags = F::OFN_PATHMUSTEXIST | F::OFN_FILEMUSTEXIST | F::OFN_CREATEPROMPT | F::OFN_HIDEREADONLY |
                    F::OFN_EXPLORER | F::OFN_LONGNAMES;
  } else {
    request.title = QStringLiteral("保存するバージョン比較結果ファイル名の選択");
    request.save = true;
    request.flags = kSaveDialogFlags;
  }
  const auto chosen = m_host.chooseFile(request);
  if (!chosen) return;
  box->setText(*chosen);
  lastFolder::remember(purpose, *chosen);
  if (boxIndex == 2) m_overwrite.confirmedByDialog(*chosen);
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
  const QString path = Text4[2]->text();
  if (m_overwrite.mustAsk(path) && !m_host.askYesNo(replaceQuestion(path))) return;
  const ResultFileHeader header =
      ResultFileHeader::now(toStd(Text4[0]->text()), toStd(m_state->Target2));
  m_host.setBusyPointer(true);
  const ResultWriteResult written =
      quorvane::OutputCompareResult(m_state->Result, header, toStd(path));
  m_host.setBusyPointer(false);
  if (!written.ok()) {
    m_host.showMessage(QString::fromUtf8(resultWriteMessage(written)), MessageIcon::None);
    return;
  }
  m_overwrite.written(path);
  m_host.beep();
  m_host.setStatusText(QString::fromUtf8(resultWriteMessage(written)));
}

}  // namespace quorvane
