// The extraction page's run, its file list and the saving of the version record.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/private_folder.h"
#include "compare/record_writer.h"
#include "controls/page_dialogs.h"
#include "extraction/basDecompress.h"
#include "extraction/ExtractionPage.h"
#include "extraction/ExtractionResult.h"
#include "extraction/extraction_order.h"
#include "extraction/extraction_run.h"
#include "extraction/extraction_texts.h"
#include "extraction/run_report_text.h"
#include "version/clsFileVersion.h"

namespace quorvane {

namespace {
QString fromUtf8(const char* text) { return QString::fromUtf8(text); }
}  // namespace

void ExtractionPage::fillList1() {
  const ExtractionResult& result = m_host.extraction();
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

bool ExtractionPage::strictOrder() const { return Check2->isEnabledTo(this) && Check2->isChecked(); }

void ExtractionPage::UpadateList() {
  ExtractionResult& result = m_host.extraction();
  if (!result.ExtractionDone) return;
  quorvane::UpadateList(result, strictOrder());
  fillList1();
}

// Where this run expands compressed files: the folder in Text1(1), except the shared
// temporary folder itself, for which a folder of the run's own is made inside it. The
// previous run's own folder goes first: its copies are no longer needed. Nothing when
// the folder cannot be made.
std::optional<std::string> ExtractionPage::expansionFolderForRun() {
  m_runFolder.reset();
  const std::string chosen = Text1[1]->text().toStdString();
  if (!ExpandCompressed || !basDecompress::IsTempFolder(chosen)) return chosen;
  m_runFolder = PrivateFolder::create(basDecompress::TempFolder());
  if (!m_runFolder) return std::nullopt;
  return m_runFolder->path();
}

void ExtractionPage::ExtractVersionInfo() {
  if (!m_reader) m_reader = std::make_unique<clsFileVersion>();
  ExtractionResult& result = m_host.extraction();
  const std::optional<std::string> expansionFolder = expansionFolderForRun();
  if (!expansionFolder) {
    m_host.showMessage(fromUtf8(extractionText::kNoPrivateFolder), MessageIcon::Critical);
    return;
  }
  ExtractionRequest request;
  request.Folder = Text1[0]->text().toStdString();
  request.KindText = Combo1->currentText().toStdString();
  request.Patterns = Patterns;
  request.ExpandCompressed = ExpandCompressed;
  request.ExpansionFolder = *expansionFolder;
  request.StrictOrder = strictOrder();
  request.Recurse = m_host.recurseSubfolders();

  auto progress = m_host.createProgress();
  m_host.setBusyPointer(true);
  bool pastScan = false;
  ExtractionCallbacks callbacks;
  callbacks.progress = [&](float fraction, const std::string& caption, const std::string&) {
    if (!pastScan) {
      // Files were found: the old list goes, and the focus chaser rests while the run
      // owns the window.
      pastScan = true;
      List1->clear();
      m_host.beep();
      m_host.setFocusChaserHook(false);
    }
    return progress->update(fraction, QString::fromStdString(caption), true);
  };
  callbacks.cancelled = [&] { return progress->canceled(); };
  callbacks.status = [&](const std::string& text) { m_host.setStatusText(QString::fromStdString(text)); };
  // A listing long enough to be noticed brings the progress window up early: it takes
  // over the window, keeps it painted and offers its cancel button while the folder is
  // read. A window that cannot be shown does not stop the listing; the first file's
  // update then abandons the run as it always does.
  bool listingShown = false;
  callbacks.listing = [&] {
    if (!listingShown) {
      listingShown = true;
      m_host.setFocusChaserHook(false);
    }
    if (!progress->update(0.0f, fromUtf8(extractionText::kListing), true)) return true;
    return !progress->canceled();
  };
  callbacks.listingInterval = m_listingInterval;
  const ExtractionRunReport report = quorvane::ExtractVersionInfo(request, result, *m_reader, callbacks);
  progress.reset();
  reportRun(report, listingShown);
}

// Everything the page does with a run's outcome happens here.
void ExtractionPage::reportRun(const ExtractionRunReport& report, bool listingShown) {
  if (report.Outcome == RunOutcome::ScanStopped || report.Outcome == RunOutcome::Refused) {
    // The previous result, its list and its commands stay as they were.
    if (listingShown) m_host.setFocusChaserHook(true);
    const char* message = report.Outcome == RunOutcome::Refused ? extractionText::kExpansionIntoListedFolder
                                                                : extractionText::scanMessage(report.Scan);
    if (message) {
      m_host.setStatusText(QString());
      m_host.showMessage(fromUtf8(message), MessageIcon::Critical);
    }
    m_host.setStatusText(fromUtf8(extractionText::kFailed));
    m_host.beep();
    m_host.setBusyPointer(false);
    return;
  }
  finishRun(report.Outcome == RunOutcome::Completed);
  if (report.Outcome == RunOutcome::Abandoned) m_host.setStatusText(fromUtf8(extractionText::kCancelled));
  // Files left out or not expanded are named once the run is over, never passed off as
  // files without version information.
  if (report.Outcome == RunOutcome::Completed && report.incomplete())
    m_host.showMessage(fromUtf8(incompleteMessage(report).c_str()), MessageIcon::Information);
}

// The page after a run that got past the scan, completed or not.
void ExtractionPage::finishRun(bool completed) {
  const ExtractionResult& result = m_host.extraction();
  m_overwrite.resultReplaced();
  m_host.extractionRunEnded(false);
  if (completed) {
    if (result.HasDoubleByteNames) Check2->setEnabled(true);
    fillList1();
    m_host.extractionRunEnded(true);
  } else {
    List1->clear();
    List1->setEnabled(false);
    Text1Detail->clear();
  }
  Command1[3]->setEnabled(completed);
  Command1[2]->setEnabled(completed);
  Text1Detail->setEnabled(completed);
  m_host.updateControlState(false);
  m_host.beep();
  m_host.setBusyPointer(false);
  m_host.setFocusChaserHook(true);
}

void ExtractionPage::OutputVersionRecord() {
  const ExtractionResult& result = m_host.extraction();
  const QString path = Text1[2]->text();
  if (!path.isEmpty() && !result.ExtractionDone) return;  // nothing to write yet
  if (m_overwrite.mustAsk(path) && !m_host.askYesNo(replaceQuestion(path))) return;
  m_host.setBusyPointer(true);
  const RecordWriteResult written = quorvane::OutputVersionRecord(result, path.toStdString());
  m_host.setBusyPointer(false);
  if (!written.ok()) {
    m_host.showMessage(fromUtf8(recordWriteMessage(written)), MessageIcon::None);
    if (written.Error == RecordWriteError::NoDestination) m_host.beep();
    return;
  }
  m_overwrite.written(path);
  m_host.beep();
  m_host.setStatusText(fromUtf8(recordWriteMessage(written)));
}

}  // namespace quorvane
