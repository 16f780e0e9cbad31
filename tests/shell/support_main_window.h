#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "controls/page_host.h"
#include "shell/frmMain.h"

class QListWidget;

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
  std::vector<float> progressFractions;
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

// A fresh empty folder under the system's temporary folder, removed at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  QString path() const { return m_path; }
  QString file(const QString& name) const { return m_path + QStringLiteral("/") + name; }

 private:
  QString m_path;
};

// The lines of a list box, top to bottom.
QStringList listLines(const QListWidget* list);

// Writes `bytes` to `path`.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

}  // namespace quorvane::test
