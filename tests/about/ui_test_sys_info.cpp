#include <gtest/gtest.h>

#include <QFile>
#include <QMessageBox>
#include <QThread>


#include "about/sys_info.h"
#include "dialogs/dialog_script.h"
#include "dialogs/qt_print.h"
#include "support/temp_folder.h"

namespace sysInfo = quorvane::sysInfo;
using quorvane::testsupport::TempFolder;

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
