#pragma once

#include <QWidget>
#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/overwrite_guard.h"
#include "controls/page_host.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace quorvane {

class clsFileVersion;
class EtchedLine;
class PrivateFolder;
class PageHost;
struct ExtractionRunReport;

// The extraction page (page container 0 of the main window): folder, kind, run, the
// file list with details, copy and save of the version record.
class ExtractionPage : public QWidget, public PageCommands {
  Q_OBJECT
 public:
  ExtractionPage(PageHost& host, QWidget* parent = nullptr);
  ~ExtractionPage() override;

  void Tab0FormInitialize();
  // The size the page's fixed places were drawn for; beyond it the page grows.
  void setDefaultSize(QSize size);
  // Writes the boxes and the kind to the settings for the next start.
  void savePlaces() const;

  void Command1_Click(int index);
  void Command3_Click(int index);
  void List1_Click();
  void Check2_Click();
  void Combo1_Click();
  void Text1_Change(int index);

  // The kinds offered in Combo1.
  void SetCombo1();
  // The extraction run on the folder in Text1(0).
  void ExtractVersionInfo();
  // Rebuilds the display names and order and refills List1.
  void UpadateList();
  // Writes the current result to the file named in Text1(2).
  void OutputVersionRecord();

  // The detail text of list position k (empty when k is out of range).
  QString detailText(int k) const;
  // The text of the detail box with CR LF line ends.
  QString detailBoxText() const;

  // PageCommands
  void run() override { ExtractVersionInfo(); }
  void save() override { OutputVersionRecord(); }
  void choose() override { Command1_Click(0); }
  void copy() override { Command1_Click(2); }
  bool updateRunButton() override;
  bool saveEnabled() const override;
  bool copyEnabled() const override;
  bool followFocus(const QWidget* focus) override;

  // How long a run's folder listing may go on before the window gets a turn; tests set 0
  // so that the listing gives a turn at every look at the clock.
  void setListingInterval(std::chrono::milliseconds interval) { m_listingInterval = interval; }

  // Text1(0) to Text1(2): folder, expansion folder, record file. Text1(3) is the
  // multi-line detail box, kept as its own control type.
  std::array<QLineEdit*, 3> Text1{};
  QPlainTextEdit* Text1Detail = nullptr;
  QComboBox* Combo1 = nullptr;
  QListWidget* List1 = nullptr;
  QCheckBox* Check2 = nullptr;
  std::array<QPushButton*, 4> Command1{};
  QPushButton* Command3 = nullptr;  // Command3(0), exit
  std::array<QLabel*, 9> Label3{};  // indices 3 to 8 are on this page
  std::array<EtchedLine*, 2> Line1{};

  // Run settings derived from the kind box.
  std::vector<std::string> Patterns;
  bool ExpandCompressed = false;

 private:
  void createControls();
  void placeControls();
  void resizeEvent(QResizeEvent* event) override;
  void connectHandlers();
  void restorePlaces();
  void chooseFolderFor(int index);
  void chooseRecordFile();
  void reportRun(const ExtractionRunReport& report, bool listingShown);
  void finishRun(bool completed);
  std::optional<std::string> expansionFolderForRun();
  void fillList1();
  bool strictOrder() const;

  PageHost& m_host;
  QSize m_defaultSize;
  QString m_savedExpansionFolder;
  std::unique_ptr<clsFileVersion> m_reader;  // reused by every run
  std::unique_ptr<PrivateFolder> m_runFolder;  // the last run's own expansion folder
  std::chrono::milliseconds m_listingInterval;
  OverwriteGuard m_overwrite;  // for the record file in Text1(2)
};

}  // namespace quorvane
