#pragma once

#include <QString>
#include <QStringList>

// Turns the NUL-separated filter pairs of clsCommonDialog (description, pattern list)
// into the name filters of Qt's file dialog.
namespace quorvane::fileFilter {

// "desc" NUL "*.a;*.b" NUL ... becomes "desc (*.a *.b)". The dialog hides the part in
// parentheses, so the user sees each description exactly as given. "*.*" means every
// file, also one without an extension, as it does on Windows, so it becomes "*".
// A description without its pattern (an odd last part) is dropped.
QStringList toNameFilters(const QString& storedFilter);

// The pattern list of one pair in Qt's form: separated by blanks, "*.*" as "*".
QString toQtPatterns(const QString& patterns);

// Position (0-based) in the list of name filters for a 1-based filter index; an index
// outside the list (0 included) selects the first pair, as the Windows dialog does.
int nameFilterPosition(int filterIndex, int filterCount);

}  // namespace quorvane::fileFilter
