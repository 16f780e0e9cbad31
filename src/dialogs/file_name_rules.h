#pragma once

#include <QString>
#include <QStringList>

// How the file dialogs complete a name the user typed without an extension.
namespace quorvane::fileNameRules {

// True when the last path component has no extension ("report", not "report.txt").
// A name ending in "." is taken as written: the user chose to have no extension.
bool lacksExtension(const QString& path);

// A name to save without an extension gets the extension in lower case.
QString forSave(const QString& path, const QString& extension);

// A name to open without an extension: the name itself when that file exists, otherwise
// the name with the extension in lower case, then in upper case, whichever exists. When
// none exists the name is returned as typed, so the dialog can say it is missing.
QString forOpen(const QString& path, const QString& extension);

// The extension a name filter list offers: the one of `selected` when its patterns name
// exactly one extension ("Text (*.Txt)" gives "Txt"), otherwise the first filter that
// does. Empty when none does ("*" and "*.*" name no extension).
QString filterExtension(const QString& selected, const QStringList& filters);

}  // namespace quorvane::fileNameRules
