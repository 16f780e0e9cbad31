#include "about/program_identity.h"

#include "program_info.h"

namespace quorvane {

ProgramIdentity ProgramIdentity::current() {
  using namespace programInfo;
  ProgramIdentity id;
  id.title = QString::fromUtf8(kTitle);
  id.major = kMajor;
  id.minor = kMinor;
  id.revision = kRevision;
  id.productName = QString::fromUtf8(kProductName);
  id.legalCopyright = QString::fromUtf8(kLegalCopyright);
  id.comments = QString::fromUtf8(kComments);
  return id;
}

namespace programText {

namespace {

// Blanks only, as the program trims everywhere else; other white space is kept.
QString trimBlanks(const QString& text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && text.at(begin) == u' ') ++begin;
  while (end > begin && text.at(end - 1) == u' ') --end;
  return text.mid(begin, end - begin);
}

}  // namespace

QString versionLine(int major, int minor, int revision) {
  return QStringLiteral("Version :  %1.%2.0.%3").arg(major).arg(minor).arg(revision);
}

QString productLine(const ProgramIdentity& identity) {
  return QStringLiteral("ProductName : ") + identity.productName + QStringLiteral("\r\n") +
         identity.legalCopyright;
}

ContactText splitContact(const QString& comments) {
  const qsizetype colon = comments.indexOf(u':');
  if (colon < 0) return ContactText{QString(), trimBlanks(comments)};
  return ContactText{comments.left(colon + 1), trimBlanks(comments.mid(colon + 1))};
}

}  // namespace programText
}  // namespace quorvane
