// The about box and the system information tool it starts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "about/frmVersionInfo.h"
#include "about/sys_info.h"
#include "dialogs/dialog_script.h"
#include "dialogs/qt_print.h"
#include "support/temp_folder.h"

using quorvane::frmVersionInfo;
namespace sysInfo = quorvane::sysInfo;

namespace {

// The text of the message box that `action` shows (accepted at once).
QString messageOf(const std::function<void()>& action, QString* title = nullptr) {
  QString text;
  DialogScript script;
  script.then<QMessageBox>([&](QMessageBox* box) {
    text = box->text();
    if (title) *title = box->windowTitle();
    box->accept();
  });
  action();
  return text;
}

}  // namespace

TEST(VersionInfoForm, LeftClickMailsRightAndMiddleShowTheMenuAFailureIsReported) {
  // A link that opens nothing, recording what it would have opened.
  const quorvane::ProgramIdentity id{
      QStringLiteral("Quorvane"), 1, 2, 15, QStringLiteral("Quorvane ファイルバージョン比較ツール"),
      QStringLiteral("Copyright (C) 2026 Someone"), QStringLiteral("連絡先: support@example.org ")};
  frmVersionInfo form(nullptr, id);
  std::vector<QString> opened;
  form.setUrlOpener([&](const QUrl& url) {
    opened.push_back(url.toString());
    return true;
  });
  form.show();
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    QTest::mouseClick(form.Label1[1], button);
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(form.mnuPopup->isVisible());
    form.mnuPopup->hide();
  }
  QTest::mouseClick(form.Label1[1], Qt::LeftButton);
  EXPECT_FALSE(form.mnuPopup->isVisible());
  form.mnupOpen->trigger();
  EXPECT_EQ(opened, std::vector<QString>(2, QStringLiteral("mailto:support@example.org")));
  QApplication::clipboard()->setText(QStringLiteral("old"));
  form.mnupCopy->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("support@example.org"));
  // A failing mail program is reported.
  form.setUrlOpener([](const QUrl&) { return false; });
  EXPECT_TRUE(messageOf([&] { form.SendMail(); }).contains(QStringLiteral("support@example.org")));
}

TEST(VersionInfoForm, OkClosesTheModalWindowOverItsOwner) {
  QWidget owner;
  owner.setGeometry(100, 100, 600, 400);
  owner.show();
  DialogScript script;
  script.then<frmVersionInfo>([&](frmVersionInfo* f) {
    EXPECT_EQ(f->parentWidget(), &owner);
    EXPECT_TRUE(owner.frameGeometry().contains(f->frameGeometry().center()));
    f->cmdOK->click();
  });
  EXPECT_EQ(frmVersionInfo::showModal(&owner), QDialog::Accepted);
  EXPECT_TRUE(script.finished());
}

TEST(SysInfo, NoProgramShowsTheMessageWithTheApplicationTitle) {
  const quorvane::testsupport::TempFolder empty("sysinfo");
  QString title;
  const QString text = messageOf(
      [&] {
        EXPECT_FALSE(sysInfo::StartSysInfo(nullptr, {{QStringLiteral("no-such-tool"), {}}},
                                           {QString::fromStdString(empty.str())}));
      },
      &title);
  EXPECT_EQ(text, QStringLiteral("システム情報を表示できません"));
  EXPECT_EQ(title, QStringLiteral("Quorvane"));
  // The built-in list names desktop tools to look up in the PATH, never a path of their own.
  ASSERT_FALSE(sysInfo::knownPrograms().empty());
  for (const auto& p : sysInfo::knownPrograms()) EXPECT_FALSE(p.program.contains(u'/'));
}
