#pragma once

#include <QString>

// The folder each file or folder dialog last used, one per purpose, kept in the program's
// settings group ("Settings", key "LastFolder" + purpose) so it survives a restart.
//
//   request.initDir = lastFolder::startFolder(QStringLiteral("Record1"));
//   ... after the user chose `path` (a file or a folder):
//   lastFolder::remember(QStringLiteral("Record1"), path);
namespace quorvane::lastFolder {

// The remembered folder for `purpose` when it still exists; otherwise the fallback.
QString startFolder(const QString& purpose);

// Remembers the folder of `chosen`: the path itself when it is a folder, otherwise the
// folder that holds it. An empty path or a purpose without a name is ignored.
void remember(const QString& purpose, const QString& chosen);

// The user's documents folder when it exists, else the home folder: never the program's
// own folder, which an installed program cannot write to.
QString fallbackFolder();

// The settings key that holds the folder of `purpose`.
QString settingsKey(const QString& purpose);

}  // namespace quorvane::lastFolder
