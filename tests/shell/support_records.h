#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace quorvane::test {

// One data row of a version record file.
struct RecordRow {
  QString name;
  QString fixedVersion;
  QString stringVersion;
  long long size = 0;
  QString date = QStringLiteral("98/05/11");
  QString time = QStringLiteral("12:00:00");
};

// The bytes of a five-column version record file (ASCII comments, CR LF line ends).
QByteArray recordFile(const std::vector<RecordRow>& rows);

}  // namespace quorvane::test
