#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "controls/overwrite_guard.h"
#include "controls/page_host.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quorvane {

// Text4(0) to Text4(2)'s names in the settings and, for their file dialogs, the purpose
// whose last folder they remember.
inline constexpr std::array<const char*, 3> kBoxPlaces = {"RecordFile1", "RecordFile2", "ResultFile"};

struct ComparisonState;
class EtchedLine;

// The comparison page (page container 1 of the main window): two records or a record and
// the extraction, the four result categories with details, copy and save of the result.
class ComparisonPage : public QWidget, public PageCommands {
  Q_OBJECT
 public:
  ComparisonPage(PageHost& host, QWidget* parent = nullptr);
  ~ComparisonPage() override;

  void Tab1FormInitialize();
  // The size the page's fixed places were drawn for; beyond it the page grows.
  void setDefaultSize(QSize size);
  // Writes the three file names to the settings for the next start.
  void savePlaces() const;

  // 0 file choice, 1 run, 3 copy, 4 save.
  void Command5_Click(int index);
  void Command3_Click(int index);
  void Option1_Click(int index);
  void Check1_Click(int index);
  void List2_Click();
  void Text4_Change(int index);

  // The comparison run; true when it completed (comparison or view).
  bool CompareVersionRecords();
  // Writes the last comparison to the file named in Text4(2).
  void OutputCompareResult();

  // The extraction page's run ended: the compare-with-extraction option follows it.
  void extractionRunEnded(bool completed);

  // The detail text of list line k for the current view (empty when out of range).
  QString detailText(int k) const;
  QString detailBoxText() const;

  // PageCommands
  void run() override { CompareVersionRecords(); }
  void save() override { OutputCompareResult(); }
  void choose() override { Command5_Click(0); }
  void copy() override { Command5_Click(3); }
  bool updateRunButton() override;
  bool saveEnabled() const override;
  bool copyEnabled() const override;
  bool followFocus(const QWidget* focus) override;

  // Text4(0) to Text4(2): first record, second record, result file; Text4(3) is the
  // multi-line detail box.
  std::array<QLineEdit*, 3> Text4{};
  QPlainTextEdit* Text4Detail = nullptr;
  QListWidget* List2 = nullptr;
  std::array<QCheckBox*, 3> Check1{};
  std::array<QRadioButton*, 4> Option1{};
  std::array<QPushButton*, 5> Command5{};  // index 2 does not exist
  QPushButton* Command3 = nullptr;         // Command3(1), exit
  std::array<QLabel*, 11> Label3{};        // indices 0, 1, 2, 9 and 10 are on this page
  std::array<EtchedLine*, 2> Line1{};      // Line1(2) and Line1(3)

 private:
  void createControls();
  void placeControls();
  void resizeEvent(QResizeEvent* event) override;
  void connectHandlers();
  void chooseFile(int boxIndex);
  void fillList(int category);
  void showRunError(int focusBox, const QString& message);
  void dropResult();

  PageHost& m_host;
  QSize m_defaultSize;
  std::unique_ptr<ComparisonState> m_state;
  QString m_savedSecondName;
  OverwriteGuard m_overwrite;  // for the result file in Text4(2)
};

}  // namespace quorvane
