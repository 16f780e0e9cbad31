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

#include "about/EtchedSeparator.h"
#include "about/frmVersionInfo.h"
#include "about/program_identity.h"
#include "controls/system_colors.h"
#include "dialogs/dialog_script.h"
#include "dialogs/qt_print.h"
#include "program_info.h"

using quorvane::ContactText;
using quorvane::frmVersionInfo;
using quorvane::ProgramIdentity;
namespace programText = quorvane::programText;

namespace {

ProgramIdentity sampleIdentity() {
  ProgramIdentity id;
  id.title = QStringLiteral("Quorvane");
  id.major = 1;
  id.minor = 2;
  id.revision = 15;
  id.productName = QStringLiteral("Quorvane ファイルバージョン比較ツール");
  id.legalCopyright = QStringLiteral("Copyright (C) 2026 Someone");
  id.comments = QStringLiteral("連絡先: support@example.org ");
  return id;
}

// An about box whose link opens nothing, recording what it would have opened.
struct AboutFixture {
  explicit AboutFixture(const ProgramIdentity& id = sampleIdentity()) : form(nullptr, id) {
    form.setUrlOpener([this](const QUrl& url) {
      opened.push_back(url);
      return true;
    });
  }
  frmVersionInfo form;
  std::vector<QUrl> opened;
};

}  // namespace

TEST(ProgramText, VersionLineHasNoLeadingZeros) {
  EXPECT_EQ(programText::versionLine(1, 2, 15), QStringLiteral("Version :  1.2.0.15"));
  EXPECT_EQ(programText::versionLine(1, 2, 5), QStringLiteral("Version :  1.2.0.5"));
  EXPECT_EQ(programText::versionLine(10, 0, 0), QStringLiteral("Version :  10.0.0.0"));
  EXPECT_EQ(programText::versionLine(2026, 12345, 9999), QStringLiteral("Version :  2026.12345.0.9999"));
}

TEST(ProgramText, ContactSplitsAtTheFirstColon) {
  ContactText c = programText::splitContact(QStringLiteral("連絡先:  mail@example.org  "));
  EXPECT_EQ(c.label, QStringLiteral("連絡先:"));
  EXPECT_EQ(c.link, QStringLiteral("mail@example.org"));
  c = programText::splitContact(QStringLiteral("Mail: a:b@example.org"));
  EXPECT_EQ(c.label, QStringLiteral("Mail:"));
  EXPECT_EQ(c.link, QStringLiteral("a:b@example.org"));
  c = programText::splitContact(QStringLiteral("  no colon here "));
  EXPECT_EQ(c.label, QString());
  EXPECT_EQ(c.link, QStringLiteral("no colon here"));
  c = programText::splitContact(QString());
  EXPECT_TRUE(c.label.isEmpty());
  EXPECT_TRUE(c.link.isEmpty());
}

TEST(ProgramText, ProductLineJoinsNameAndCopyrightWithCrLf) {
  EXPECT_EQ(programText::productLine(sampleIdentity()),
            QStringLiteral("ProductName : Quorvane ファイルバージョン比較ツール\r\nCopyright (C) 2026 Someone"));
}

TEST(ProgramText, CurrentIdentityIsTheGeneratedData) {
  const ProgramIdentity id = ProgramIdentity::current();
  EXPECT_EQ(id.title, QString::fromUtf8(quorvane::programInfo::kTitle));
  EXPECT_EQ(id.major, quorvane::programInfo::kMajor);
  EXPECT_TRUE(id.comments.contains(u':'));
}

TEST(VersionInfoForm, ShowsEveryTextOfTheIdentity) {
  AboutFixture about;
  frmVersionInfo& f = about.form;
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Quorvane のバージョン情報"));
  EXPECT_EQ(f.Text1[0]->toPlainText(), QStringLiteral("Quorvane"));
  EXPECT_EQ(f.Text1[1]->toPlainText(), QStringLiteral("Version :  1.2.0.15"));
  EXPECT_EQ(f.Text1[2]->toPlainText(),
            QStringLiteral("ProductName : Quorvane ファイルバージョン比較ツール\nCopyright (C) 2026 Someone"));
  for (QPlainTextEdit* box : f.Text1) {
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->palette().color(QPalette::Base),
              quorvane::toQColor(quorvane::systemColorValue(quorvane::SysColor::ButtonFace)));
  }
  EXPECT_EQ(f.Label1[0]->text(), QStringLiteral("連絡先:"));
  EXPECT_EQ(f.Label1[1]->text(), QStringLiteral("support@example.org"));
  EXPECT_TRUE(f.Label1[2]->text().isEmpty());
  EXPECT_FALSE(f.picIcon->pixmap().isNull());
  EXPECT_FALSE(f.lblDisclaimer->text().isEmpty());
  EXPECT_EQ(f.cmdOK->text(), QStringLiteral("OK"));
  EXPECT_EQ(f.cmdSysInfo->text(), QStringLiteral("システム情報(&S)"));
  ASSERT_EQ(f.mnuPopup->actions().size(), 2);
  EXPECT_EQ(f.mnupOpen->text(), QStringLiteral("開く(&O)"));
  EXPECT_EQ(f.mnupCopy->text(), QStringLiteral("ショートカットのコピー(&C)"));
}

TEST(VersionInfoForm, CommentsWithoutColonShowOnlyTheLink) {
  ProgramIdentity id = sampleIdentity();
  id.comments = QStringLiteral("support@example.org");
  AboutFixture about(id);
  EXPECT_TRUE(about.form.Label1[0]->text().isEmpty());
  EXPECT_EQ(about.form.Label1[1]->text(), QStringLiteral("support@example.org"));
}

TEST(VersionInfoForm, LeftClickOnTheLinkOpensMailTo) {
  AboutFixture about;
  about.form.show();
  QTest::mouseClick(about.form.Label1[1], Qt::LeftButton);
  ASSERT_EQ(about.opened.size(), 1u);
  EXPECT_EQ(about.opened[0].toString(), QStringLiteral("mailto:support@example.org"));
  EXPECT_FALSE(about.form.mnuPopup->isVisible());
}

TEST(VersionInfoForm, RightClickShowsTheMenuAndDoesNotStartTheMailProgram) {
  AboutFixture about;
  about.form.show();
  QTest::mouseClick(about.form.Label1[1], Qt::RightButton);
  EXPECT_TRUE(about.opened.empty());
  EXPECT_TRUE(about.form.mnuPopup->isVisible());
  about.form.mnuPopup->hide();
  QTest::mouseClick(about.form.Label1[1], Qt::MiddleButton);
  EXPECT_TRUE(about.opened.empty());
  EXPECT_TRUE(about.form.mnuPopup->isVisible());
  about.form.mnuPopup->hide();
}

TEST(VersionInfoForm, MenuEntriesOpenTheLinkAndCopyIt) {
  AboutFixture about;
  about.form.mnupOpen->trigger();
  ASSERT_EQ(about.opened.size(), 1u);
  EXPECT_EQ(about.opened[0].toString(), QStringLiteral("mailto:support@example.org"));
  QApplication::clipboard()->setText(QStringLiteral("old"));
  about.form.mnupCopy->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("support@example.org"));
}

TEST(VersionInfoForm, AFailingMailProgramIsReported) {
  frmVersionInfo form(nullptr, sampleIdentity());
  form.setUrlOpener([](const QUrl&) { return false; });
  QString shown;
  DialogScript script;
  script.then<QMessageBox>([&](QMessageBox* box) {
    shown = box->text();
    box->accept();
  });
  form.SendMail();
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
    f->grab().save(QStringLiteral(QUORVANE_BINARY_DIR "/about_box.png"));
    f->cmdOK->click();
  });
  EXPECT_EQ(frmVersionInfo::showModal(&owner), QDialog::Accepted);
  EXPECT_TRUE(script.finished());
}

TEST(EtchedSeparator, DrawsShadowThenWhite) {
  quorvane::EtchedSeparator line;
  line.resize(50, 2);
  const QImage img = line.grab().toImage();
  EXPECT_EQ(QColor(img.pixel(10, 0)), quorvane::toQColor(quorvane::systemColorValue(quorvane::SysColor::ButtonShadow)));
  EXPECT_EQ(QColor(img.pixel(10, 1)), QColor(255, 255, 255));
}
