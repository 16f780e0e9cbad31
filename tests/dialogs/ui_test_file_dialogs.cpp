// The file and folder dialogs: the caller's settings, the questions a name raises, and the
// completed names; Qt's own file list in Japanese.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QTemporaryDir>

#include "controls/picture_box.h"
#include "controls/system_colors.h"
#include "controls/twips.h"
#include "dialogs/clsCommonDialog.h"
#include "dialogs/clsSelDirCmnDialog.h"
#include "dialogs/dialog_script.h"
#include "dialogs/file_name_rules.h"
#include "dialogs/qt_print.h"
#include "dialogs/qt_translations.h"
#include "support/temp_folder.h"

using quorvane::clsCommonDialog;
using quorvane::clsSelDirCmnDialog;
using quorvane::PictureBox;
namespace fileNameRules = quorvane::fileNameRules;

namespace {

const QString kNul(QChar(u'\0'));

// True when some pixel of the box differs from its background: text was printed.
bool hasDrawing(const PictureBox& box) {
  const QImage img = box.Image();
  const QRgb background = quorvane::toQRgb(box.BackColor()) & 0xFFFFFF;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) != background) return true;
  return false;
}

// A shown owner window and a test folder.
class DialogTest : public ::testing::Test {
 protected:
  // The folder, or a name inside it, with the system's separators.
  QString native(const QString& name = QString()) const {
    return QDir::toNativeSeparators(name.isEmpty() ? m_dir.path() : m_dir.filePath(name));
  }
  QTemporaryDir m_dir;
  QWidget m_owner;
};

class CommonDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid() && QFile(m_dir.filePath("old.txt")).open(QIODevice::WriteOnly));
    m_owner.resize(200, 100);
    m_owner.show();
    m_dialog.setForm(&m_owner);
    m_dialog.setInitDir(m_dir.path());
  }
  clsCommonDialog m_dialog;
};

class FolderPickerTest : public DialogTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid() && QDir(m_dir.path()).mkdir(QStringLiteral("sub")));
    m_owner.resize(400, 200);
    m_box = new PictureBox(&m_owner);
    m_box->setGeometry(10, 150, 380, 20);
    m_box->hide();
    m_owner.show();
    m_picker.setForm(&m_owner);
    m_picker.setPictureBox(m_box);
    m_picker.setDialogTitle(QStringLiteral("バージョン情報抽出先フォルダーの選択"));
    m_picker.setInitDir(native());
  }
  PictureBox* m_box = nullptr;
  clsSelDirCmnDialog m_picker;
};

}  // namespace

TEST(CommonDialogProperties, FilterDefaultsAndErrorTexts) {
  clsCommonDialog d;
  EXPECT_EQ(d.Filter(), QStringLiteral("All Files (*.*)") + kNul + "*.*" + kNul);
  EXPECT_EQ(d.FileTitle(), QString(254, u' '));
  EXPECT_EQ(d.InitDir(), QDir::toNativeSeparators(QDir::currentPath()));
  // Bars become NULs, ending with exactly one.
  const std::pair<QString, QString> filters[] = {
      {QStringLiteral("Text Files (*.Txt)|*.Txt|All Files (*.*)|*.*"),
       "Text Files (*.Txt)" + kNul + "*.Txt" + kNul + "All Files (*.*)" + kNul + "*.*" + kNul},
      {QStringLiteral("A|a|"), "A" + kNul + "a" + kNul},
      {"B" + kNul + "b" + kNul, "B" + kNul + "b" + kNul},
      {QString(), kNul},
  };
  for (const auto& [in, out] : filters) {
    d.setFilter(in);
    EXPECT_EQ(d.Filter(), out);
  }
  EXPECT_EQ(clsCommonDialog::ErrDescriptionFor(32755), QStringLiteral("[キャンセル] ボタンが選択されました。"));
  EXPECT_EQ(clsCommonDialog::ErrDescriptionFor(32766), QStringLiteral("未知のｴﾗｰです。"));
  EXPECT_EQ(d.ErrDescription(), QStringLiteral("未知のｴﾗｰです。"));  // no error yet
}

// The dialog shows the caller's settings and returns the chosen file; a cancel empties the
// proposed name.
TEST_F(CommonDialogTest, OpenShowsTheCallersSettingsAndCancelEmptiesTheName) {
  m_dialog.setFilter(QStringLiteral("Text Files (*.Txt)|*.Txt|All Files (*.*)|*.*"));
  m_dialog.setFilterIndex(2);
  m_dialog.setDialogTitle(QStringLiteral("バージョン記録ファイル 1 の選択"));
  DialogScript script;
  script.then<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->windowTitle(), QStringLiteral("バージョン記録ファイル 1 の選択"));
    EXPECT_EQ(d->parentWidget(), &m_owner);
    EXPECT_TRUE(d->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(QDir(d->directory()).canonicalPath(), QDir(m_dir.path()).canonicalPath());
    EXPECT_EQ(d->selectedNameFilter(), QStringLiteral("All Files (*.*)"));
    accept(d, QStringLiteral("old.txt"));
  });
  m_dialog.ShowOpen();
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(m_dialog.CancelError());
  EXPECT_EQ(m_dialog.action(), 1);
  EXPECT_EQ(m_dialog.FileName(), native("old.txt"));
  EXPECT_EQ(m_dialog.FileTitle(), QStringLiteral("old.txt"));

  m_dialog.setFileName(native("proposed.txt"));
  script.then<QFileDialog>([](QFileDialog* d) {
    EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(), QStringLiteral("proposed.txt"));
    d->reject();
  });
  m_dialog.ShowSave();
  EXPECT_TRUE(m_dialog.CancelError());
  EXPECT_TRUE(m_dialog.FileName().isEmpty());
  EXPECT_EQ(m_dialog.action(), 2);
}

// A name typed and the question it raises (if any) answered; a dialog left open is then
// cancelled (which also shows that it stayed open), or given the result's name.
TEST_F(CommonDialogTest, FlagsDecideWhatANameIsAsked) {
  using F = clsCommonDialog::Flag;
  const std::int32_t save = F::OFN_EXPLORER | F::OFN_LONGNAMES | F::OFN_PATHMUSTEXIST | F::OFN_OVERWRITEPROMPT |
                            F::OFN_HIDEREADONLY;
  struct Case {
    const char* what;
    std::int16_t action;  // 1 open, 2 save
    std::int32_t flags;
    const char* name;
    const char* question;  // nullptr: none
    QMessageBox::StandardButton answer;
    const char* result;  // nullptr: cancelled
    bool tightBuffer = false;  // room for the result's path only
  };
  const Case cases[] = {
      {"overwrite refused keeps the dialog open", 2, save, "old.txt", "上書きしますか?", QMessageBox::No, nullptr},
      {"overwrite confirmed", 2, save, "old.txt", "上書きしますか?", QMessageBox::Yes, "old.txt"},
      {"no overwrite flag asks nothing", 2, 0, "old.txt", nullptr, QMessageBox::NoButton, "old.txt"},
      {"file must exist beats the create prompt", 1,
       F::OFN_PATHMUSTEXIST | F::OFN_FILEMUSTEXIST | F::OFN_CREATEPROMPT | F::OFN_HIDEREADONLY, "missing.txt",
       "ファイルが見つかりません。", QMessageBox::Ok, nullptr},
      {"create prompt confirmed", 1, F::OFN_CREATEPROMPT, "new.txt", "作成しますか?", QMessageBox::Yes, "new.txt"},
      {"path must exist", 2, F::OFN_PATHMUSTEXIST, "nodir/x.txt", "パスが存在しません。", QMessageBox::Ok, nullptr},
      {"a path longer than the buffer", 2, 0, "bb.txt", "パス名が長すぎます。", QMessageBox::Ok, "b.txt", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clsCommonDialog dialog;
    dialog.setForm(&m_owner);
    dialog.setInitDir(m_dir.path());
    dialog.setFlags(c.flags);
    if (c.tightBuffer) dialog.setMaxFileSize(static_cast<std::int32_t>(native(c.result).size()) + 1);
    DialogScript script;
    script.then<QFileDialog>([&](QFileDialog* d) { accept(d, QString::fromUtf8(c.name)); });
    if (c.question) {
      script.then<QMessageBox>([&](QMessageBox* box) {
        EXPECT_TRUE(box->text().contains(QString::fromUtf8(c.question))) << box->text().toStdString();
        box->button(c.answer)->click();
      });
      if (c.answer != QMessageBox::Yes)
        script.then<QFileDialog>([&](QFileDialog* d) { c.result ? accept(d, QString::fromUtf8(c.result)) : d->reject(); });
    }
    dialog.setAction(c.action);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(dialog.CancelError(), c.result == nullptr);
    EXPECT_EQ(dialog.FileName(), c.result ? native(QString::fromUtf8(c.result)) : QString());
  }
  EXPECT_FALSE(QFile::exists(native("new.txt")));  // the dialog only names a file
}

TEST(FileNameRules, NamesWithoutAnExtensionAreCompleted) {
  const quorvane::testsupport::TempFolder dir;
  const auto at = [&](const char* name) { return QString::fromStdString(dir.at(name)); };
  for (const char* name : {"upper.TXT", "lower.txt", "both.txt", "both.TXT", "plain", "plain.txt"}) dir.write(name, "");
  struct Row {
    bool save;
    const char* typed;
    const char* ext;
    const char* expected;
  };
  const Row rows[] = {
      {true, "report", "TXT", "report.txt"},  // saved in lower case whatever the caller wrote
      {true, "report.csv", "TXT", "report.csv"},
      {true, "report.", "TXT", "report."},  // a final dot asks for no extension
      {true, "report", "", "report"},
      {false, "upper", "txt", "upper.TXT"},  // whichever of the two spellings exists
      {false, "lower", "TXT", "lower.txt"},
      {false, "both", "TXT", "both.txt"},
      {false, "plain", "TXT", "plain"},  // an existing file without an extension is taken
      {false, "missing", "TXT", "missing"},
  };
  for (const Row& r : rows) {
    const QString typed = at(r.typed), ext = QString::fromUtf8(r.ext);
    EXPECT_EQ(r.save ? fileNameRules::forSave(typed, ext) : fileNameRules::forOpen(typed, ext), at(r.expected))
        << r.typed;
  }
  const QStringList filters{"Text Files (*.Txt) (*.Txt)", "HTM (*.HTM *.HTML)", "All Files (*.*) (*)"};
  EXPECT_EQ(fileNameRules::filterExtension(filters[0], filters), QStringLiteral("Txt"));
  EXPECT_EQ(fileNameRules::filterExtension(filters[2], filters), QStringLiteral("Txt"));
  EXPECT_EQ(fileNameRules::filterExtension(filters[1], filters.mid(1)), QString());
}

// The dialog carries the picture box showing the folder; selecting returns the highlighted
// subfolder, a cancel the last shown folder, and the box goes back to the form either way.
TEST_F(FolderPickerTest, SelectReturnsTheHighlightedFolderAndCancelTheShownOne) {
  DialogScript script;
  script.then<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->windowTitle(), QStringLiteral("バージョン情報抽出先フォルダーの選択"));
    EXPECT_EQ(d->parentWidget(), &m_owner);
    ASSERT_NE(acceptButton(d), nullptr);
    EXPECT_EQ(acceptButton(d)->text(), QStringLiteral("選択(&S)"));
    EXPECT_FALSE(d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->isVisible());
    EXPECT_FALSE(d->findChild<QWidget*>(QStringLiteral("fileTypeCombo"))->isVisible());
    EXPECT_TRUE(d->isAncestorOf(m_box) && m_box->isVisible());
    EXPECT_EQ(m_box->size(), QSize(380, 20));
    EXPECT_EQ(m_picker.DirPath(), native());
    EXPECT_TRUE(hasDrawing(*m_box));
    d->selectFile(m_dir.filePath(QStringLiteral("sub")));
    accept(d);
  });
  EXPECT_EQ(m_picker.OpenDialog(), 1);
  EXPECT_FALSE(m_picker.CancelError());
  EXPECT_EQ(m_picker.DirPath(), native(QStringLiteral("sub")));

  m_picker.setInitDir(native());
  script.then<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_EQ(m_picker.OpenDialog(), 0);
  EXPECT_TRUE(m_picker.CancelError());
  EXPECT_EQ(m_picker.DirPath(), native());
  EXPECT_EQ(m_box->parentWidget(), &m_owner);
  EXPECT_FALSE(m_box->isVisible());
  EXPECT_EQ(m_box->geometry(), QRect(10, 150, 380, 20));
}

TEST_F(FolderPickerTest, DetachedDialogDisablesTheFormAndOpensAtTheRequestedPlace) {
  m_picker.setSetDialogPosition(true);
  m_picker.setDialogLeft(40 * quorvane::TwipsPerPixelX());
  m_picker.setDialogTop(30 * quorvane::TwipsPerPixelY());
  DialogScript script;
  script.then<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->parentWidget(), nullptr);
    EXPECT_FALSE(m_owner.isEnabled());
    EXPECT_EQ(d->pos(), QPoint(40, 30));
    accept(d);
  });
  EXPECT_EQ(m_picker.OpenDialog(), 1);
  EXPECT_TRUE(m_owner.isEnabled());
}

TEST(QtTranslations, TheFileListSpeaksJapanese) {
  ASSERT_TRUE(quorvane::installQtTranslations(*QCoreApplication::instance()));
  QFileSystemModel model;
  QStringList headers;
  for (int i = 0; i < 4; ++i) headers << model.headerData(i, Qt::Horizontal).toString();
  // The wording is Qt's own and may change between its versions; the language may not.
  EXPECT_EQ(headers.value(0), QStringLiteral("名前"));
  for (const char* english : {"Name", "Size", "Type", "Date Modified"}) EXPECT_FALSE(headers.contains(QString::fromLatin1(english)));
}
