#pragma once

#include <QString>
#include <memory>
#include <optional>

class QWidget;

namespace quorvane {

struct ExtractionResult;

// Icons of the program's message boxes.
enum class MessageIcon { None, Critical, Information };

// The file and folder choices the pages ask for. The main window answers them with the
// program's dialogs; tests answer them directly so nothing waits for a person.
struct FolderRequest {
  QString title;
  QString initDir;
};

struct FileRequest {
  QString title;
  QString filter;     // pairs joined by "|"
  int filterIndex = 1;
  QString initDir;
  QString defaultExt;
  bool save = false;  // save dialog; otherwise an open dialog
  int flags = 0;      // the dialog flags, with the values of the classic OFN_ constants
};

// The progress window of a long run, as the run sees it.
class ProgressReporter {
 public:
  virtual ~ProgressReporter() = default;
  // Shows or advances the window; false when it could not be shown.
  virtual bool update(float fraction, const QString& caption, bool completion) = 0;
  // True once the user pressed cancel; stays true.
  virtual bool canceled() = 0;
};

// What the two pages need from the window that holds them: the status line, the command
// state, the focus chaser, messages, dialogs and the shared extraction result. It lives
// beside the controls so that the pages' folders need nothing from the shell above them.
class PageHost {
 public:
  virtual ~PageHost() = default;

  virtual void setStatusText(const QString& text) = 0;
  virtual void updateControlState(bool onlyRun) = 0;

  // Switches the focus chaser's polling on or off.
  virtual void setFocusChaserHook(bool on) = 0;
  // The control that had the focus before the current one, as the focus chaser saw it.
  virtual QWidget* lastActiveControl() = 0;
  // The control that has the focus now.
  virtual QWidget* activeControl() = 0;

  // A message box with an OK button and the application's title.
  virtual void showMessage(const QString& text, MessageIcon icon) = 0;
  // A question with Yes and No buttons (No is the default) and the application's title;
  // true for Yes.
  virtual bool askYesNo(const QString& text) = 0;
  virtual void beep() = 0;
  virtual void setBusyPointer(bool busy) = 0;
  virtual void setClipboardText(const QString& text) = 0;

  // Folder picker and file dialogs; nullopt when the user cancelled.
  virtual std::optional<QString> chooseFolder(const FolderRequest& request) = 0;
  virtual std::optional<QString> chooseFile(const FileRequest& request) = 0;

  // A progress window owned by the main window, waiting at completion with an OK button.
  virtual std::unique_ptr<ProgressReporter> createProgress() = 0;

  // Closes the main window; the program ends.
  virtual void unloadMainWindow() = 0;

  // The window that owns dialogs and the progress window.
  virtual QWidget* ownerWindow() = 0;

  // The current extraction, shared by both pages.
  virtual ExtractionResult& extraction() = 0;
  // The extraction page tells the comparison page a run ended (completed or cancelled).
  virtual void extractionRunEnded(bool completed) = 0;
  // True when an extraction lists the files of every subfolder too (an option of the
  // window's menu).
  virtual bool recurseSubfolders() const { return false; }
};

// A page as the main window sees it: the commands of the menus and the toolbar go to the
// page that is shown, and the command state follows that page's own buttons.
class PageCommands {
 public:
  virtual ~PageCommands() = default;

  virtual void run() = 0;
  virtual void save() = 0;
  // The choose button: a folder or file for the box the user came from.
  virtual void choose() = 0;
  // Puts the detail text, followed by CR LF, on the clipboard.
  virtual void copy() = 0;

  // Enables the page's run button exactly when its first box has text; returns that state.
  virtual bool updateRunButton() = 0;
  virtual bool saveEnabled() const = 0;
  virtual bool copyEnabled() const = 0;
  // Enables the choose button only while `focus` is one of the boxes it fills or the
  // button itself; returns that state.
  virtual bool followFocus(const QWidget* focus) = 0;
};

}  // namespace quorvane
