#pragma once

// The window, its pages and the widgets that the window tests reach into.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "compare/ComparisonPage.h"
#include "extraction/ExtractionPage.h"
#include "shell/frmMain.h"
#include "shell/toolbar_keys.h"
#include "support/files.h"
#include "support/temp_folder.h"

namespace quorvane::test {

// What the fake dialogs were asked and what they answered.
struct Interactions {
  std::vector<QString> messages;
  std::vector<MessageIcon> icons;
  std::vector<QString> questions;
  std::deque<bool> questionAnswers;  // none left: No
  std::vector<FolderRequest> folderRequests;
  std::vector<FileRequest> fileRequests;
  std::deque<std::optional<QString>> folderAnswers;  // empty: cancel
  std::deque<std::optional<QString>> fileAnswers;
  int beeps = 0;
  // The progress window reports a cancel from this update on (1-based); 0 never.
  int cancelAtUpdate = 0;
  std::vector<QString> progressCaptions;
  // When set, runs get the program's own progress window instead of the recording one above.
  bool programsProgressWindow = false;
};

// A loaded, shown main window whose dialogs and messages answer from `Interactions`.
struct MainWindowFixture {
  MainWindowFixture();
  ~MainWindowFixture();
  frmMain& window() { return *form; }
  void setFocusTo(QWidget* widget);  // moves the focus and lets the focus chaser see it

  std::shared_ptr<Interactions> seen = std::make_shared<Interactions>();
  std::unique_ptr<frmMain> form;
};

// A path inside a test folder (the folder itself for no name), as Qt text.
inline QString qpath(const testsupport::TempFolder& dir, std::string_view name = {}) {
  return QString::fromStdString(name.empty() ? dir.str() : dir.at(name));
}

// Writes a 32-bit image with the version `v` and the text `text` as `name` into `dir`.
void putDll(const testsupport::TempFolder& dir, std::string_view name, std::array<std::uint16_t, 4> v, const char* text);

// The lines of a list box, top to bottom.
QStringList listLines(const QListWidget* list);

}  // namespace quorvane::test
