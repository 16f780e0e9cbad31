#include "controls/page_details.h"

#include <QPlainTextEdit>

#include "extraction/FileVersionEntry.h"

namespace quorvane {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString valueLines(const FileVersionEntry& e) {
  return QStringLiteral("FixedVersion : ") + QString::fromStdString(e.FixedVersion) + kCrLf +
         QStringLiteral("StringVersion : ") + QString::fromStdString(e.StringVersion) + kCrLf +
         QStringLiteral("Size : ") + QString::number(e.Size) + kCrLf + QStringLiteral("Date : ") +
         QString::fromStdString(e.Date) + QLatin1Char(' ') + QString::fromStdString(e.Time);
}

}  // namespace

QString entryDetailText(const QString& numberLine, const QString& name, const FileVersionEntry& entry,
                        const FileVersionEntry* old, const QString& noteLine) {
  QString text = numberLine + kCrLf + QStringLiteral("File : ") + name + kCrLf;
  if (!noteLine.isEmpty()) text += noteLine + kCrLf;
  text += valueLines(entry);
  if (old) text += kCrLf + QStringLiteral("------- Old File -------") + kCrLf + valueLines(*old);
  return text;
}

void setDetailBoxText(QPlainTextEdit* box, const QString& crlfText) {
  box->setPlainText(QString(crlfText).replace(kCrLf, QStringLiteral("\n")));
}

QString detailBoxText(const QPlainTextEdit* box) {
  return box->toPlainText().replace(QLatin1Char('\n'), kCrLf);
}

}  // namespace quorvane
