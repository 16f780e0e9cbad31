#include <gtest/gtest.h>

#include <QFile>
#include <QMessageBox>
#include <QThread>

#include <filesystem>

#include "about/sys_info.h"
#include "dialogs/dialog_script.h"
#include "dialogs/qt_print.h"
#include "support/temp_folder.h"

namespace sysInfo = quorvane::sysInfo;
using quorvane::testsupport::TempFolder;

#ifndef Q_OS_WIN
namespace {

// An executable shell script that writes its arguments into `marker` when it runs.
QString makeTool(const TempFolder& dir, const char* name, const std::string& marker) {
  const std::string path = dir.write(name, "#!/bin/sh\necho \"$@\" > '" + marker + "'\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  return QString::fromStdString(path);
}

}  // namespace

TEST(SysInfo, FindsAndStartsTheFirstInstalledProgramOfTheListDetachedWithItsArguments) {
  const TempFolder dir("sysinfo");
  const QStringList paths{QString::fromStdString(dir.str())};
  const QString second = makeTool(dir, "second-tool", dir.at("started"));
  makeTool(dir, "third-tool", dir.at("third"));
  const std::vector<sysInfo::Program> list{{QStringLiteral("no-such-tool"), {}},
                                           {QStringLiteral("second-tool"), {QStringLiteral("overview")}},
                                           {QStringLiteral("third-tool"), {}}};
  const auto found = sysInfo::findProgram(list, paths);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->program, second);
  EXPECT_EQ(found->arguments, QStringList{QStringLiteral("overview")});
  EXPECT_FALSE(sysInfo::findProgram({list[0]}, paths).has_value());
  EXPECT_TRUE(sysInfo::StartSysInfo(nullptr, list, paths));
  // The detached program writes its marker some time later.
  QFile marker(QString::fromStdString(dir.at("started")));
  for (int wait = 0; wait < 500 && marker.size() == 0; ++wait) QThread::msleep(10);
  ASSERT_TRUE(marker.open(QIODevice::ReadOnly));
  EXPECT_EQ(marker.readAll().trimmed(), QByteArray("overview"));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.at("third"))));
}
#endif

TEST(SysInfo, NoProgramShowsTheMessageWithTheApplicationTitle) {
  const TempFolder empty("sysinfo");
  QString text, title;
  DialogScript script;
  script.then<QMessageBox>([&](QMessageBox* box) {
    text = box->text();
    title = box->windowTitle();
    box->accept();
  });
  EXPECT_FALSE(sysInfo::StartSysInfo(nullptr, {{QStringLiteral("no-such-tool"), {}}},
                                     {QString::fromStdString(empty.str())}));
  EXPECT_EQ(text, QStringLiteral("システム情報を表示できません"));
  EXPECT_EQ(title, QStringLiteral("Quorvane"));
  // The built-in list names desktop tools to look up in the PATH, never a path of their own.
  ASSERT_FALSE(sysInfo::knownPrograms().empty());
  for (const auto& p : sysInfo::knownPrograms()) EXPECT_FALSE(p.program.contains(u'/'));
}
