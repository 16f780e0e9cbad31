#pragma once

#include <QString>
#include <QStringList>

// Where the help file is found and how its name is kept between runs.
namespace quorvane::help {

inline constexpr const char* kHelpFileName = "QUORVANE.HTM";

// The places the program's own help file may be, in the order they are tried: the
// program's folder, then the installed data folder share/quorvane beside the program's
// bin folder, then share/quorvane two folders up (a program started from the build tree,
// build/src/shell, finds build/share/quorvane, where the build puts the file).
QStringList defaultHelpFileCandidates(const QString& programFolder);

// The first candidate that exists; the program's folder when none does (the help
// window then asks for the file).
QString defaultHelpFile(const QString& programFolder);
QString defaultHelpFile();

// The setting "HTMLHelpFile" of group "Settings" (organisation and application
// "Quorvane"); the default rule when it is empty.
QString configuredHelpFile();
void saveHelpFile(const QString& path);

}  // namespace quorvane::help
