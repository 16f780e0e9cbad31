#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <vector>

#include "about/frmVersionInfo.h"
#include "about/program_identity.h"
#include "controls/system_colors.h"
#include "dialogs/dialog_script.h"
#include "dialogs/qt_print.h"
#include "program_info.h"

using quorvane::frmVersionInfo;
using quorvane::ProgramIdentity;
namespace programText = quorvane::programText;

namespace {

ProgramIdentity sampleIdentity() {
  return {QStringLiteral("Quorvane"), 1, 2, 15, QStringLiteral("Quorvane ファイルバージョン比較ツール"),
          QStringLiteral("Copyright (C) 2026 Someone"), QStringLiteral("連絡先: support@example.org ")};
}

// An about box whose link opens nothing, recording what it would have opened.
struct AboutFixture {
  explicit AboutFixture(const ProgramIdentity& id = sampleIdentity()) : form(nullptr, id) {
    form.setUrlOpener([this](const QUrl& url) {
      opened.push_back(url.toString());
      return true;
    });
  }
  frmVersionInfo form;
  std::vector<QString> opened;
};

}  // namespace

TEST(VersionInfoForm, LeftClickMailsRightAndMiddleShowTheMenuAFailureIsReported) {
  AboutFixture about;
  about.form.show();
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    QTest::mouseClick(about.form.Label1[1], button);
    EXPECT_TRUE(about.opened.empty());
    EXPECT_TRUE(about.form.mnuPopup->isVisible());
    about.form.mnuPopup->hide();
  }
  QTest::mouseClick(about.form.Label1[1], Qt::LeftButton);
  EXPECT_FALSE(about.form.mnuPopup->isVisible());
  about.form.mnupOpen->trigger();
  EXPECT_EQ(about.opened, std::vector<QString>(2, QStringLiteral("mailto:support@example.org")));
  QApplication::clipboard()->setText(QStringLiteral("old"));
  about.form.mnupCopy->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("support@example.org"));
  // A failing mail program is reported.
  about.form.setUrlOpener([](const QUrl&) { return false; });
  QString shown;
  DialogScript script;
  script.then<QMessageBox>([&](QMessageBox* box) {
    shown = box->text();
    box->accept();
  });
  about.form.SendMail();
  EXPECT_TRUE(shown.contains(QStringLiteral("support@example.org")));
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
