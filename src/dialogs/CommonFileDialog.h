#pragma once

#include <QFileDialog>
#include <QString>
#include <cstdint>

namespace quorvane {

// Qt's own file dialog with the checks of the Windows open and save dialogs that our
// callers ask for through their flags: path must exist, file must exist, create prompt,
// overwrite prompt, and a longest path. A failed check shows a message over the dialog and
// keeps it open, so the user can correct the name instead of losing the choice.
class CommonFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  enum class Kind { Open, Save };

  CommonFileDialog(QWidget* owner, Kind kind, std::int32_t flags, int maxPathChars);

  // The path confirmed by the user; empty until the dialog was accepted.
  QString chosenPath() const { return m_chosen; }

  // The extension for a name typed without one: added in lower case when saving, looked
  // for in lower and upper case when opening. Empty: the selected filter's extension.
  void setDefaultExtension(const QString& extension) { m_extension = extension; }

 public slots:
  void accept() override;

 private:
  QString completedName(const QString& typed) const;
  bool confirmChoice(const QString& path);
  bool ask(const QString& text);
  void warn(const QString& text);

  Kind m_kind;
  std::int32_t m_flags;
  int m_maxPathChars;
  QString m_extension;
  QString m_chosen;
};

}  // namespace quorvane
