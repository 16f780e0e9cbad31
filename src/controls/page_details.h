#pragma once

#include <QString>

class QPlainTextEdit;

namespace quorvane {

struct FileVersionEntry;

// The detail text of one file as both pages show it, lines joined by CR LF with none after
// the last: the page's number line, "File : " with the name as listed, the entry's versions,
// size and date, and for an updated file the old values after a separator line. A
// `noteLine` (an updated file's class) stands right after the name.
QString entryDetailText(const QString& numberLine, const QString& name, const FileVersionEntry& entry,
                        const FileVersionEntry* old = nullptr, const QString& noteLine = {});

// The detail box keeps "\n" line ends; these convert from and to the CR LF form.
void setDetailBoxText(QPlainTextEdit* box, const QString& crlfText);
QString detailBoxText(const QPlainTextEdit* box);

}  // namespace quorvane
