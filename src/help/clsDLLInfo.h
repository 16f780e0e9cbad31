#pragma once

#include <QString>

namespace quorvane::help {

// What the help engine reports about the application it runs in. The engine is part of
// the application, so these are the application's own values.
class clsDLLInfo {
 public:
  // 0: running as a program (the engine is never a separate component here).
  int StartMode() const { return 0; }
  int Major() const;
  int Minor() const;
  int Revision() const;
  QString EXEName() const;
  QString Path() const;
  QString Title() const;
  bool IsEmbedded() const { return true; }
};

}  // namespace quorvane::help
