#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QWidget;

// Starting the operating system's system information tool from the about box.
namespace quorvane::sysInfo {

// A program with its arguments.
struct Program {
  QString program;
  QStringList arguments;
};

// The system information programs tried, in order, where there is no registry: the
// desktops' own information centres first, then general tools.
const std::vector<Program>& knownPrograms();

// The first candidate whose program is an executable found in `searchPaths` (the PATH
// when empty), with its program resolved to the full path.
std::optional<Program> findProgram(const std::vector<Program>& candidates,
                                   const QStringList& searchPaths = {});

// Starts the tool detached from this program. When none can be started, shows
// "システム情報を表示できません" over `parent` and returns false.
bool StartSysInfo(QWidget* parent);
// The same over an explicit list of candidates (tests use their own).
bool StartSysInfo(QWidget* parent, const std::vector<Program>& candidates, const QStringList& searchPaths);

// The text shown when no tool can be started.
QString failureMessage();

#ifdef Q_OS_WIN
// Reads one registry value (root key such as "HKEY_LOCAL_MACHINE", key path, value
// name) into `value`: a text as it is, a number as its decimal text. False and an empty
// text when the key or the value is missing.
bool GetKeyValue(const QString& rootKey, const QString& keyName, const QString& valueName, QString& value);
#endif

}  // namespace quorvane::sysInfo
