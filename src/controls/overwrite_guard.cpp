#include "controls/overwrite_guard.h"

#include "common/basDirUtil.h"

namespace quorvane {

void OverwriteGuard::allow(const QString& path, Reason reason) {
  m_allowed = path;
  m_reason = reason;
}

void OverwriteGuard::resultReplaced() {
  // A confirmation given in the dialog is for the next save, whichever result it writes.
  if (m_reason == Reason::Written) m_allowed.clear();
}

bool OverwriteGuard::mustAsk(const QString& path) const {
  if (path.isEmpty() || path == m_allowed) return false;
  return basDirUtil::PathExists(path.toStdString(), false);
}

}  // namespace quorvane
