// The extraction page's run, its file list and the saving of the version record.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "compare/record_writer.h"
#include "extraction/ExtractionPage.h"
#include "extraction/ExtractionResult.h"
#include "shell/PageHost.h"

namespace quorvane {

void ExtractionPage::UpadateList() {
  ExtractionResult& result = m_host.extraction();
  List1->clear();
  List1->setEnabled(false);
  QStringList names;
  names.reserve(static_cast<int>(result.Order.size()));
  for (std::int32_t index : result.Order)
    names << QString::fromStdString(result.DisplayNames.at(static_cast<std::size_t>(index)));
  {
    const QSignalBlocker block(List1);
    List1->addItems(names);
  }
  List1->setEnabled(true);
  if (List1->count() > 0) {
    List1->setCurrentRow(0);
    List1_Click();
  }
}

void ExtractionPage::ExtractVersionInfo() {}

void ExtractionPage::OutputVersionRecord() {
  const RecordWriteResult written = quorvane::OutputVersionRecord(m_host.extraction(), Text1[2]->text().toStdString());
  if (written.Error == RecordWriteError::NoDestination) {
    m_host.showMessage(QString::fromUtf8(recordWriteMessage(written)), MessageIcon::None);
    m_host.beep();
    return;
  }
  if (!written.ok()) {
    m_host.showMessage(QString::fromUtf8(recordWriteMessage(written)), MessageIcon::None);
    return;
  }
  m_host.beep();
  m_host.setStatusText(QString::fromUtf8(recordWriteMessage(written)));
}

void ExtractionPage::finishRun(bool) {}

}  // namespace quorvane
