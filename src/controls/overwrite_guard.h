#pragma once

#include <QString>

namespace quorvane {

// Whether a page's save may replace an existing file without asking. The path box keeps
// its text from run to run, so a file there may be an older record the user wants to keep:
// only the file this window wrote with the result now shown, or one the save dialog has
// just confirmed, is replaced without a question.
class OverwriteGuard {
 public:
  // The path box changed: whatever was allowed was for another name.
  void pathChanged() { m_allowed.clear(); }
  // The save dialog returned this path after its own overwrite question.
  void confirmedByDialog(const QString& path) { allow(path, Reason::Dialog); }
  // A new result replaced the one that was saved: the file now holds an older result.
  void resultReplaced();
  // The page wrote its current result to this path.
  void written(const QString& path) { allow(path, Reason::Written); }

  // True when `path` names an existing file (not a folder) that may not be replaced silently.
  bool mustAsk(const QString& path) const;

 private:
  enum class Reason { Dialog, Written };
  void allow(const QString& path, Reason reason);

  QString m_allowed;
  Reason m_reason = Reason::Dialog;
};

}  // namespace quorvane
