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

QColor systemColor(int index) { return quorvane::toQColor(quorvane::systemColorValue(index)); }

}  // namespace

TEST(ProgramText, VersionLineAndContact) {
  EXPECT_EQ(programText::versionLine(1, 2, 5), QStringLiteral("Version :  1.2.0.5"));
  EXPECT_EQ(programText::versionLine(2026, 12345, 9999), QStringLiteral("Version :  2026.12345.0.9999"));
  // Comments in, label and link out: split at the first colon, blanks trimmed.
  const std::tuple<QString, QString, QString> cases[] = {
      {QStringLiteral("連絡先:  mail@example.org  "), QStringLiteral("連絡先:"), QStringLiteral("mail@example.org")},
      {QStringLiteral("Mail: a:b@example.org"), QStringLiteral("Mail:"), QStringLiteral("a:b@example.org")},
      {QStringLiteral("  no colon here "), QString(), QStringLiteral("no colon here")},
      {QString(), QString(), QString()},
  };
  for (const auto& [comments, label, link] : cases) {
    const quorvane::ContactText c = programText::splitContact(comments);
    EXPECT_EQ(c.label, label) << comments.toStdString();
    EXPECT_EQ(c.link, link) << comments.toStdString();
  }
  EXPECT_EQ(programText::productLine(sampleIdentity()),
            QStringLiteral("ProductName : Quorvane ファイルバージョン比較ツール\r\nCopyright (C) 2026 Someone"));
  EXPECT_EQ(ProgramIdentity::current().title, QString::fromUtf8(quorvane::programInfo::kTitle));
}

TEST(VersionInfoForm, ShowsEveryTextOfTheIdentity) {
  AboutFixture about;
  frmVersionInfo& f = about.form;
  const std::pair<QString, QString> shown[] = {
      {f.windowTitle(), QStringLiteral("Quorvane のバージョン情報")},
      {f.Text1[0]->toPlainText(), QStringLiteral("Quorvane")},
      {f.Text1[1]->toPlainText(), QStringLiteral("Version :  1.2.0.15")},
      {f.Text1[2]->toPlainText(),
       QStringLiteral("ProductName : Quorvane ファイルバージョン比較ツール\nCopyright (C) 2026 Someone")},
      {f.Label1[0]->text(), QStringLiteral("連絡先:")},
      {f.Label1[1]->text(), QStringLiteral("support@example.org")},
      {f.Label1[2]->text(), QString()},
      {f.cmdOK->text(), QStringLiteral("OK")},
      {f.cmdSysInfo->text(), QStringLiteral("システム情報(&S)")},
      {f.mnupOpen->text(), QStringLiteral("開く(&O)")},
      {f.mnupCopy->text(), QStringLiteral("ショートカットのコピー(&C)")},
  };
  for (const auto& [actual, expected] : shown) EXPECT_EQ(actual, expected);
  for (QPlainTextEdit* box : f.Text1) {
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->palette().color(QPalette::Base), systemColor(quorvane::SysColor::ButtonFace));
  }
  EXPECT_FALSE(f.picIcon->pixmap().isNull());
  EXPECT_FALSE(f.lblDisclaimer->text().isEmpty());
}

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
