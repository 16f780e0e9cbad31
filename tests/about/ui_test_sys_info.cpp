#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QThread>

#include "about/sys_info.h"
#include "dialogs/dialog_script.h"
#include "dialogs/qt_print.h"

namespace sysInfo = quorvane::sysInfo;

#ifndef Q_OS_WIN
namespace {

// An executable shell script that leaves a marker file when it runs.
QString makeTool(const QString& dir, const QString& name, const QString& marker) {
  const QString path = QDir(dir).filePath(name);
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return {};
  f.write("#!/bin/sh\necho \"$@\" > '" + marker.toUtf8() + "'\n");
  f.close();
  f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  return path;
}

bool waitForFile(const QString& path, int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    if (QFile::exists(path)) return true;
    QThread::msleep(10);
  }
  return false;
}

}  // namespace

TEST(SysInfo, FindsTheFirstInstalledProgramOfTheList) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString second = makeTool(dir.path(), QStringLiteral("second-tool"), dir.filePath("m"));
  makeTool(dir.path(), QStringLiteral("third-tool"), dir.filePath("m"));
  const std::vector<sysInfo::Program> list{{QStringLiteral("no-such-tool"), {}},
                                           {QStringLiteral("second-tool"), {QStringLiteral("--x")}},
                                           {QStringLiteral("third-tool"), {}}};
  const auto found = sysInfo::findProgram(list, {dir.path()});
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->program, second);
  EXPECT_EQ(found->arguments, QStringList{QStringLiteral("--x")});
  EXPECT_FALSE(sysInfo::findProgram({{QStringLiteral("no-such-tool"), {}}}, {dir.path()}).has_value());
}

TEST(SysInfo, StartsTheFoundProgramDetachedWithItsArguments) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString marker = dir.filePath(QStringLiteral("started"));
  makeTool(dir.path(), QStringLiteral("info-tool"), marker);
  EXPECT_TRUE(sysInfo::StartSysInfo(nullptr, {{QStringLiteral("info-tool"), {QStringLiteral("overview")}}},
                                    {dir.path()}));
  ASSERT_TRUE(waitForFile(marker, 5000));
  QThread::msleep(20);
  QFile f(marker);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().trimmed(), QByteArray("overview"));
}
#endif

TEST(SysInfo, NoProgramShowsTheMessageWithTheApplicationTitle) {
  QTemporaryDir empty;
  QString text, title;
  DialogScript script;
  script.then<QMessageBox>([&](QMessageBox* box) {
    text = box->text();
    title = box->windowTitle();
    box->accept();
  });
  EXPECT_FALSE(sysInfo::StartSysInfo(nullptr, {{QStringLiteral("no-such-tool"), {}}}, {empty.path()}));
  EXPECT_EQ(text, QStringLiteral("システム情報を表示できません"));
  EXPECT_EQ(title, QStringLiteral("Quorvane"));
}

TEST(SysInfo, KnownProgramsNameDesktopTools) {
  ASSERT_FALSE(sysInfo::knownPrograms().empty());
  for (const auto& p : sysInfo::knownPrograms()) EXPECT_FALSE(p.program.contains(u'/'));
}
