#pragma once

#include <QString>

namespace quorvane {

// The program's own version data, as the splash window and the about box show it.
struct ProgramIdentity {
  QString title;
  int major = 0;
  int minor = 0;
  int revision = 0;
  QString productName;
  QString legalCopyright;
  // A contact label, a colon and a contact address.
  QString comments;

  // The data the build generated (program_info.h).
  static ProgramIdentity current();
};

// The contact text split at its first ":": the label keeps the colon, the link is the
// rest without surrounding blanks. Without a colon the label is empty and the whole
// text is the link.
struct ContactText {
  QString label;
  QString link;
};

namespace programText {

// "Version :  1.2.0.15" for version 1.2, revision 15 (no leading zeros).
QString versionLine(int major, int minor, int revision);
// "ProductName : " + product name, CR LF, legal copyright.
QString productLine(const ProgramIdentity& identity);
ContactText splitContact(const QString& comments);

}  // namespace programText
}  // namespace quorvane
