#include "about/sys_info.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

#include "program_info.h"

namespace quorvane::sysInfo {

const std::vector<Program>& knownPrograms() {
  static const std::vector<Program> programs{
      {QStringLiteral("kinfocenter"), {}},                                   // KDE Plasma
      {QStringLiteral("gnome-control-center"), {QStringLiteral("info-overview")}},  // GNOME
      {QStringLiteral("xfce4-about"), {}},                                   // Xfce
      {QStringLiteral("mate-system-monitor"), {QStringLiteral("--show-system-tab")}},  // MATE
      {QStringLiteral("hardinfo2"), {}},
      {QStringLiteral("hardinfo"), {}},
      {QStringLiteral("gnome-system-monitor"), {}},
  };
  return programs;
}

std::optional<Program> findProgram(const std::vector<Program>& candidates, const QStringList& searchPaths) {
  for (const Program& candidate : candidates) {
    const QString path = QStandardPaths::findExecutable(candidate.program, searchPaths);
    if (!path.isEmpty()) return Program{path, candidate.arguments};
  }
  return std::nullopt;
}

QString failureMessage() { return QStringLiteral("システム情報を表示できません"); }

namespace {

bool startDetached(const Program& p) { return QProcess::startDetached(p.program, p.arguments); }

void reportFailure(QWidget* parent) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(programInfo::kTitle), failureMessage(),
                  QMessageBox::Ok, parent);
  box.exec();
}

#ifdef Q_OS_WIN
// The tool's place as its installer records it: the program itself, or the folder of
// the shared tools where MSINFO32.EXE lives.
std::optional<Program> programFromRegistry() {
  const QString root = QStringLiteral("HKEY_LOCAL_MACHINE");
  QString value;
  if (GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), QStringLiteral("PATH"), value))
    return Program{value, {}};
  if (GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO"),
                  value)) {
    const QString exe = value + QStringLiteral("\\MSINFO32.EXE");
    if (QFileInfo(exe).isFile()) return Program{exe, {}};
  }
  return std::nullopt;
}
#endif

}  // namespace

#ifdef Q_OS_WIN
bool GetKeyValue(const QString& rootKey, const QString& keyName, const QString& valueName, QString& value) {
  value.clear();
  QSettings key(rootKey + u'\\' + keyName, QSettings::NativeFormat);
  const QVariant v = key.value(valueName);
  if (!v.isValid()) return false;
  value = v.toString();  // a 32-bit number comes back as a number: its decimal text
  return true;
}
#endif

bool StartSysInfo(QWidget* parent, const std::vector<Program>& candidates, const QStringList& searchPaths) {
  if (const auto found = findProgram(candidates, searchPaths); found && startDetached(*found)) return true;
  reportFailure(parent);
  return false;
}

bool StartSysInfo(QWidget* parent) {
#ifdef Q_OS_WIN
  if (const auto found = programFromRegistry(); found && startDetached(*found)) return true;
  reportFailure(parent);
  return false;
#else
  return StartSysInfo(parent, knownPrograms(), {});
#endif
}

}  // namespace quorvane::sysInfo
