#include "support_records.h"

namespace quorvane::test {

QByteArray recordFile(const std::vector<RecordRow>& rows) {
  QByteArray out = ";written by a test\r\n;#FN,FV,SV,SZ,DTTM\r\n\r\n";
  for (const RecordRow& r : rows) {
    out += r.name.toUtf8() + '\t' + r.fixedVersion.toUtf8() + '\t' + r.stringVersion.toUtf8() +
           "\t " + QByteArray::number(r.size) + " \t" + r.date.toUtf8() + ' ' + r.time.toUtf8() + "\r\n";
  }
  return out;
}

}  // namespace quorvane::test
