#include "help/clsDLLInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "program_info.h"

namespace quorvane::help {

int clsDLLInfo::Major() const { return programInfo::kMajor; }
int clsDLLInfo::Minor() const { return programInfo::kMinor; }
int clsDLLInfo::Revision() const { return programInfo::kRevision; }
QString clsDLLInfo::EXEName() const { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }
QString clsDLLInfo::Path() const { return QCoreApplication::applicationDirPath(); }
QString clsDLLInfo::Title() const { return QString::fromUtf8(programInfo::kTitle); }

}  // namespace quorvane::help
