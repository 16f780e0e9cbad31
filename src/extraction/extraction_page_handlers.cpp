// The extraction page's set-up, kind box, choose buttons, list and detail text.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/basDirUtil.h"
#include "common/utf8.h"
#include "controls/page_details.h"
#include "controls/page_dialogs.h"
#include "controls/page_places.h"
#include "dialogs/last_folder.h"
#include "extraction/ExtractionPage.h"
#include "extraction/ExtractionResult.h"
#include "extraction/basDecompress.h"
#include "extraction/extraction_kinds.h"
#include "extraction/extraction_order.h"

namespace quorvane {

namespace {

QString fromStd(const std::string& s) { return QString::fromStdString(s); }

void setBoxColour(QLineEdit* box, bool enabled) {
  QPalette palette = box->palette();
  const QPalette::ColorRole role = enabled ? QPalette::Base : QPalette::Button;
  palette.setColor(QPalette::Base, box->style()->standardPalette().color(role));
  box->setPalette(palette);
}

}  // namespace

void ExtractionPage::Tab0FormInitialize() {
  Text1[0]->setText(fromStd(basDecompress::SystemFolder()));
  Text1[1]->setText(fromStd(basDecompress::TempFolder()));
  m_savedExpansionFolder = Text1[1]->text();

  SetCombo1();
  Combo1->setCurrentIndex(static_cast<int>(kDefaultKindIndex));
  Combo1_Click();  // the index may not have changed, so run the handler once more

  Label3[3]->setText(QStringLiteral("情報抽出先フォルダ(&A)"));
  Label3[4]->setText(QStringLiteral("圧縮復元先フォルダ(&U)"));
  Label3[5]->setText(QStringLiteral("抽出ファイル種別(&W)"));
  Label3[6]->setText(QStringLiteral("抽出情報保存先\nファイル(&F)"));
  Label3[7]->setText(QStringLiteral("ファイル一覧(&L)"));
  Label3[8]->setText(QStringLiteral("ファイルの詳細(&T)"));
  Check2->setText(QStringLiteral("ファイル名を厳密にソート\n(時間が掛かります)(&D)"));
  Command1[0]->setText(QStringLiteral("ファイル/フォルダ選択(&S)"));
  Command1[1]->setText(QStringLiteral("実行(&R)"));
  Command1[2]->setText(QStringLiteral("クリップボードへコピー(&C)"));
  Command1[3]->setText(QStringLiteral("情報保存(&O)"));
  Command3->setText(QStringLiteral("終了(&X)"));

  Text1[2]->clear();
  Text1Detail->clear();
  Text1Detail->setEnabled(false);
  Text1Detail->setReadOnly(true);
  Check2->setChecked(false);
  Check2->setEnabled(false);
  List1->setEnabled(false);
  Command1[0]->setEnabled(false);
  Command1[0]->setFocusPolicy(Qt::ClickFocus);
  Command1[2]->setEnabled(false);
  Command1[3]->setEnabled(false);
  restorePlaces();
}

// The boxes and the kind as the last run of the program left them; a kind that is no
// longer offered keeps the default.
void ExtractionPage::restorePlaces() {
  if (const auto folder = pagePlaces::saved(QStringLiteral("ExtractFolder"))) Text1[0]->setText(*folder);
  if (const auto expansion = pagePlaces::saved(QStringLiteral("ExpandFolder"))) {
    m_savedExpansionFolder = *expansion;
    if (Text1[1]->isEnabledTo(this)) Text1[1]->setText(*expansion);
  }
  if (const auto kind = pagePlaces::saved(QStringLiteral("FileKind"))) {
    const int index = Combo1->findText(*kind);
    if (index >= 0) {
      Combo1->setCurrentIndex(index);
      Combo1_Click();
    }
  }
  if (const auto record = pagePlaces::saved(QStringLiteral("RecordFile"))) Text1[2]->setText(*record);
}

void ExtractionPage::savePlaces() const {
  pagePlaces::save(QStringLiteral("ExtractFolder"), Text1[0]->text());
  // A disabled expansion box is empty; the folder it showed is kept aside.
  pagePlaces::save(QStringLiteral("ExpandFolder"),
                   Text1[1]->isEnabledTo(this) ? Text1[1]->text() : m_savedExpansionFolder);
  pagePlaces::save(QStringLiteral("FileKind"), Combo1->currentText());
  pagePlaces::save(QStringLiteral("RecordFile"), Text1[2]->text());
}

void ExtractionPage::SetCombo1() {
  Combo1->clear();
  for (const char* kind : kExtractionKinds) Combo1->addItem(QString::fromUtf8(kind));
}

void ExtractionPage::Combo1_Click() {
  const KindPatterns kind = PatternsOfKind(Combo1->currentText().toStdString());
  Patterns = kind.Patterns;
  ExpandCompressed = kind.ExpandCompressed;
  QLineEdit* box = Text1[1];
  if (ExpandCompressed) {
    box->setText(m_savedExpansionFolder);
    box->setEnabled(true);
  } else {
    // Only a box that holds its own text keeps it aside; a disabled one is already empty.
    if (box->isEnabledTo(this)) m_savedExpansionFolder = box->text();
    box->clear();
    box->setEnabled(false);
  }
  setBoxColour(box, ExpandCompressed);
}

void ExtractionPage::Command1_Click(int index) {
  switch (index) {
    case 0: {
      // The box the user came from: the one with the focus when the toolbar's choose
      // button is used, else the one focused just before this button.
      QWidget* target = m_host.activeControl();
      if (target == Command1[0] || target == nullptr) target = m_host.lastActiveControl();
      if (target == Text1[0] || target == Text1[1]) {
        chooseFolderFor(target == Text1[0] ? 0 : 1);
      } else if (target == Text1[2]) {
        chooseRecordFile();
      } else {
        return;
      }
      target->setFocus();
      break;
    }
    case 1:
      ExtractVersionInfo();
      break;
    case 2:
      m_host.setClipboardText(detailBoxText() + QStringLiteral("\r\n"));
      break;
    case 3:
      OutputVersionRecord();
      break;
    default:
      break;
  }
}

void ExtractionPage::chooseFolderFor(int index) {
  m_host.setBusyPointer(true);
  FolderRequest request;
  const QString purpose = index == 0 ? QStringLiteral("ExtractFolder") : QStringLiteral("ExpandFolder");
  request.initDir = dialogStartFolder(Text1[index]->text(), BoxHolds::Folder, purpose);
  request.title = index == 0 ? QStringLiteral("バージョン情報抽出先フォルダーの選択")
                             : QStringLiteral("圧縮ファイル復元先フォルダーの選択");
  m_host.setBusyPointer(false);
  const auto chosen = m_host.chooseFolder(request);
  if (!chosen) return;
  Text1[index]->setText(*chosen);
  lastFolder::remember(purpose, *chosen);
}

void ExtractionPage::chooseRecordFile() {
  FileRequest request;
  request.title = QStringLiteral("保存する結果出力ファイル名の選択");
  request.filter = QStringLiteral("Text Files (*.Txt)|*.Txt|All Files (*.*)|*.*");
  request.filterIndex = 0;
  request.initDir = dialogStartFolder(Text1[2]->text(), BoxHolds::File, QStringLiteral("RecordFile"));
  request.save = true;
  request.flags = kSaveDialogFlags;
  const auto chosen = m_host.chooseFile(request);
  if (!chosen) return;
  Text1[2]->setText(*chosen);
  lastFolder::remember(QStringLiteral("RecordFile"), *chosen);
  m_overwrite.confirmedByDialog(*chosen);
}

QString ExtractionPage::detailText(int k) const {
  const ExtractionResult& result = m_host.extraction();
  if (k < 0 || k >= static_cast<int>(result.Order.size()) || k >= List1->count()) return {};
  const int index = result.Order[static_cast<std::size_t>(k)];
  if (index < 0 || index >= static_cast<int>(result.Entries.size())) return {};
  const FileVersionEntry& entry = result.Entries[static_cast<std::size_t>(index)];
  // A file of a subfolder is listed by its path below the folder; the details also give
  // where it is. A flat run's details stay as they were.
  const bool belowFolder = utf8::length(EntryName(entry, false)) > utf8::length(basDirUtil::FileNamePart(entry.FullPath));
  const QString pathLine = belowFolder ? QStringLiteral("Path : ") + QString::fromStdString(entry.FullPath) : QString();
  return entryDetailText(QStringLiteral("No : %1 / %2").arg(k + 1).arg(result.LastIndex + 1),
                         List1->item(k)->text(), entry, nullptr, pathLine);
}

QString ExtractionPage::detailBoxText() const { return quorvane::detailBoxText(Text1Detail); }

void ExtractionPage::List1_Click() {
  const int k = List1->currentRow();
  // With no selection the detail text stays as it is.
  if (k >= 0) setDetailBoxText(Text1Detail, detailText(k));
}

}  // namespace quorvane
