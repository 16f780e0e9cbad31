#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "dialogs/clsCommonDialog.h"
#include "dialogs/dialog_script.h"
#include "dialogs/file_filter.h"
#include "dialogs/file_name_rules.h"
#include "dialogs/qt_print.h"

using quorvane::clsCommonDialog;
namespace fileFilter = quorvane::fileFilter;
namespace fileNameRules = quorvane::fileNameRules;

namespace {

const QString kNul(QChar(u'\0'));

void touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

// Types a name into the dialog's file name box and presses its accept button.
void typeAndAccept(QFileDialog* dialog, const QString& name) {
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(edit, nullptr);
  edit->setText(name);
  auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
  ASSERT_NE(box, nullptr);
  for (QAbstractButton* b : box->buttons())
    if (box->buttonRole(b) == QDialogButtonBox::AcceptRole) return b->click();
  ADD_FAILURE() << "no accept button";
}

void answer(QMessageBox* box, QMessageBox::StandardButton button) {
  box->button(button)->click();
}

class CommonDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    m_owner.resize(200, 100);
    m_owner.show();
    m_dialog.setForm(&m_owner);
    m_dialog.setInitDir(m_dir.path());
  }
  QString path(const QString& name) const { return QDir::toNativeSeparators(m_dir.filePath(name)); }

  QTemporaryDir m_dir;
  QWidget m_owner;
  clsCommonDialog m_dialog;
};

}  // namespace

TEST(CommonDialogProperties, StartsWithTheDocumentedValues) {
  clsCommonDialog d;
  EXPECT_EQ(d.Filter(), QStringLiteral("All Files (*.*)") + kNul + "*.*" + kNul);
  EXPECT_EQ(d.FilterIndex(), 0);
  EXPECT_TRUE(d.FileName().isEmpty());
  EXPECT_EQ(d.FileTitle(), QString(254, u' '));
  EXPECT_EQ(d.DialogTitle(), QStringLiteral("Open File"));
  EXPECT_EQ(d.InitDir(), QDir::toNativeSeparators(QDir::currentPath()));
  EXPECT_EQ(d.DefaultExt(), kNul);
  EXPECT_EQ(d.Flags(), 0);
  EXPECT_EQ(d.MaxFileSize(), 255);
  EXPECT_FALSE(d.CancelError());
  EXPECT_EQ(d.action(), 0);
  EXPECT_EQ(d.ErrNumber(), 0);
}

TEST(CommonDialogProperties, FilterBarsBecomeNulsEndingWithExactlyOne) {
  clsCommonDialog d;
  d.setFilter(QStringLiteral("Text Files (*.Txt)|*.Txt|All Files (*.*)|*.*"));
  EXPECT_EQ(d.Filter(), "Text Files (*.Txt)" + kNul + "*.Txt" + kNul + "All Files (*.*)" + kNul + "*.*" + kNul);
  d.setFilter(QStringLiteral("A|a|"));
  EXPECT_EQ(d.Filter(), "A" + kNul + "a" + kNul);
  d.setFilter("B" + kNul + "b" + kNul);
  EXPECT_EQ(d.Filter(), "B" + kNul + "b" + kNul);
  d.setFilter(QString());
  EXPECT_EQ(d.Filter(), kNul);
}

TEST(CommonDialogProperties, ErrDescriptionCoversTheTableAndUnknownNumbers) {
  EXPECT_EQ(clsCommonDialog::ErrDescriptionFor(-32768), QStringLiteral("関数がダイアログ ボックスをロードできません。"));
  EXPECT_EQ(clsCommonDialog::ErrDescriptionFor(32767 - 0x3002), QStringLiteral("ファイル名が無効です。"));
  EXPECT_EQ(clsCommonDialog::ErrDescriptionFor(20476), QStringLiteral("メンバ lpstrFile が指すバッファが小さすぎます。"));
  EXPECT_EQ(clsCommonDialog::ErrDescriptionFor(32755), QStringLiteral("[キャンセル] ボタンが選択されました。"));
  EXPECT_EQ(clsCommonDialog::ErrDescriptionFor(32760), clsCommonDialog::ErrDescriptionFor(32761));
  EXPECT_EQ(clsCommonDialog::ErrDescriptionFor(32765), QStringLiteral("関数を初期化できません。"));
  EXPECT_EQ(clsCommonDialog::ErrDescriptionFor(0), QStringLiteral("未知のｴﾗｰです。"));
  EXPECT_EQ(clsCommonDialog::ErrDescriptionFor(32766), QStringLiteral("未知のｴﾗｰです。"));
  clsCommonDialog d;
  EXPECT_EQ(d.ErrDescription(), QStringLiteral("未知のｴﾗｰです。"));
}

TEST(FileFilter, PairsBecomeQtNameFiltersKeepingTheDescription) {
  const QString stored = "Text Files (*.Txt)" + kNul + "*.Txt" + kNul + "All Files (*.*)" + kNul + "*.*" + kNul;
  EXPECT_EQ(fileFilter::toNameFilters(stored),
            (QStringList{"Text Files (*.Txt) (*.Txt)", "All Files (*.*) (*)"}));
  EXPECT_EQ(fileFilter::toNameFilters("HTM" + kNul + "*.HTM;*.HTML" + kNul), QStringList{"HTM (*.HTM *.HTML)"});
  // An odd last part has no pattern and is dropped; nothing usable leaves "every file".
  EXPECT_EQ(fileFilter::toNameFilters("A" + kNul + "*.a" + kNul + "B" + kNul), QStringList{"A (*.a)"});
  EXPECT_EQ(fileFilter::toNameFilters(kNul), QStringList{"* (*)"});
  // A double NUL ends the list, as in the folder picker's filter.
  EXPECT_EQ(fileFilter::toNameFilters("All(*.*)" + kNul + "*.*" + kNul + kNul + "X" + kNul + "*.x" + kNul),
            QStringList{"All(*.*) (*)"});
}

TEST(FileFilter, IndexOutsideTheListSelectsTheFirstPair) {
  EXPECT_EQ(fileFilter::nameFilterPosition(0, 2), 0);
  EXPECT_EQ(fileFilter::nameFilterPosition(1, 2), 0);
  EXPECT_EQ(fileFilter::nameFilterPosition(2, 2), 1);
  EXPECT_EQ(fileFilter::nameFilterPosition(3, 2), 0);
  EXPECT_EQ(fileFilter::nameFilterPosition(-1, 2), 0);
}

TEST_F(CommonDialogTest, OpenShowsTheCallersSettingsAndReturnsTheChosenFile) {
  touch(m_dir.filePath("a.txt"));
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
    d->grab().save(QStringLiteral(QUORVANE_BINARY_DIR "/common_dialog_open.png"));
    typeAndAccept(d, QStringLiteral("a.txt"));
  });
  m_dialog.ShowOpen();
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(m_dialog.CancelError());
  EXPECT_EQ(m_dialog.action(), 1);
  EXPECT_EQ(m_dialog.FileName(), path("a.txt"));
  EXPECT_EQ(m_dialog.FileTitle(), QStringLiteral("a.txt"));
}

TEST_F(CommonDialogTest, CancelEmptiesTheProposedName) {
  m_dialog.setFileName(path("proposed.txt"));
  DialogScript script;
  script.then<QFileDialog>([](QFileDialog* d) {
    EXPECT_EQ(d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(), QStringLiteral("proposed.txt"));
    d->reject();
  });
  m_dialog.ShowSave();
  EXPECT_TRUE(m_dialog.CancelError());
  EXPECT_TRUE(m_dialog.FileName().isEmpty());
  EXPECT_EQ(m_dialog.action(), 2);
}

TEST_F(CommonDialogTest, OverwritePromptKeepsTheDialogOpenUntilConfirmed) {
  touch(m_dir.filePath("old.txt"));
  m_dialog.setFlags(0x280806);
  DialogScript script;
  script.then<QFileDialog>([](QFileDialog* d) { typeAndAccept(d, QStringLiteral("old.txt")); })
      .then<QMessageBox>([](QMessageBox* box) {
        EXPECT_TRUE(box->text().contains(QStringLiteral("上書きしますか?")));
        answer(box, QMessageBox::No);
      })
      .then<QFileDialog>([](QFileDialog* d) { typeAndAccept(d, QStringLiteral("old.txt")); })
      .then<QMessageBox>([](QMessageBox* box) { answer(box, QMessageBox::Yes); });
  m_dialog.setAction(2);
  EXPECT_TRUE(script.finished());
  EXPECT_FALSE(m_dialog.CancelError());
  EXPECT_EQ(m_dialog.FileName(), path("old.txt"));
}

TEST_F(CommonDialogTest, SaveWithoutOverwriteFlagAsksNothing) {
  touch(m_dir.filePath("old.txt"));
  DialogScript script;
  script.then<QFileDialog>([](QFileDialog* d) { typeAndAccept(d, QStringLiteral("old.txt")); });
  m_dialog.ShowSave();
  EXPECT_EQ(m_dialog.FileName(), path("old.txt"));
}

TEST_F(CommonDialogTest, FileMustExistRefusesAMissingFileEvenWithCreatePrompt) {
  using F = clsCommonDialog::Flag;
  m_dialog.setFlags(F::OFN_PATHMUSTEXIST | F::OFN_FILEMUSTEXIST | F::OFN_CREATEPROMPT | F::OFN_HIDEREADONLY);
  DialogScript script;
  script.then<QFileDialog>([](QFileDialog* d) { typeAndAccept(d, QStringLiteral("missing.txt")); })
      .then<QMessageBox>([](QMessageBox* box) {
        EXPECT_TRUE(box->text().contains(QStringLiteral("ファイルが見つかりません。")));
        answer(box, QMessageBox::Ok);
      })
      .then<QFileDialog>([](QFileDialog* d) { d->reject(); });
  m_dialog.ShowOpen();
  EXPECT_TRUE(script.finished());
  EXPECT_TRUE(m_dialog.CancelError());
}

TEST_F(CommonDialogTest, CreatePromptReturnsAMissingFileOnceConfirmed) {
  m_dialog.setFlags(clsCommonDialog::OFN_CREATEPROMPT);
  DialogScript script;
  script.then<QFileDialog>([](QFileDialog* d) { typeAndAccept(d, QStringLiteral("new.txt")); })
      .then<QMessageBox>([](QMessageBox* box) {
        EXPECT_TRUE(box->text().contains(QStringLiteral("作成しますか?")));
        answer(box, QMessageBox::Yes);
      });
  m_dialog.ShowOpen();
  EXPECT_EQ(m_dialog.FileName(), path("new.txt"));
  EXPECT_FALSE(QFile::exists(path("new.txt")));  // the dialog only names it
}

TEST_F(CommonDialogTest, PathMustExistRefusesAMissingFolder) {
  m_dialog.setFlags(clsCommonDialog::OFN_PATHMUSTEXIST);
  DialogScript script;
  script.then<QFileDialog>([](QFileDialog* d) { typeAndAccept(d, QStringLiteral("nodir/x.txt")); })
      .then<QMessageBox>([](QMessageBox* box) {
        EXPECT_TRUE(box->text().contains(QStringLiteral("パスが存在しません。")));
        answer(box, QMessageBox::Ok);
      })
      .then<QFileDialog>([](QFileDialog* d) { d->reject(); });
  m_dialog.ShowSave();
  EXPECT_TRUE(m_dialog.CancelError());
}

TEST_F(CommonDialogTest, APathLongerThanTheBufferIsRefusedAndOneThatFitsIsReturned) {
  const QString fits = path("b.txt");
  m_dialog.setMaxFileSize(static_cast<std::int32_t>(fits.size()) + 1);  // room for the NUL only
  DialogScript script;
  script.then<QFileDialog>([](QFileDialog* d) { typeAndAccept(d, QStringLiteral("bb.txt")); })
      .then<QMessageBox>([](QMessageBox* box) {
        EXPECT_TRUE(box->text().contains(QStringLiteral("パス名が長すぎます。")));
        answer(box, QMessageBox::Ok);
      })
      .then<QFileDialog>([](QFileDialog* d) { typeAndAccept(d, QStringLiteral("b.txt")); });
  m_dialog.ShowSave();
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(m_dialog.FileName(), fits);
}

TEST(FileNameRules, NamesWithoutAnExtensionAreCompleted) {
  QTemporaryDir dir;
  const auto at = [&](const char* name) { return dir.filePath(QString::fromUtf8(name)); };
  for (const char* name : {"upper.TXT", "lower.txt", "both.txt", "both.TXT", "plain", "plain.txt"}) touch(at(name));
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

TEST_F(CommonDialogTest, NamesTypedWithoutAnExtensionGetTheFiltersOneWithAllFilesShown) {
  touch(m_dir.filePath("noext"));
  touch(m_dir.filePath("rec.TXT"));
  m_dialog.setFilter(QStringLiteral("Text Files (*.Txt)|*.Txt|All Files (*.*)|*.*"));
  m_dialog.setFilterIndex(2);
  DialogScript script;
  script.then<QFileDialog>([](QFileDialog* d) { typeAndAccept(d, QStringLiteral("report")); })
      .then<QFileDialog>([](QFileDialog* d) {
        // "All files" shows a file without an extension.
        QStringList shown;
        auto* model = d->findChild<QFileSystemModel*>();
        const QModelIndex root = model->index(d->directory().absolutePath());
        // The model lists the folder in the background.
        EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) >= 2; }));
        for (int i = 0; i < model->rowCount(root); ++i) shown << model->index(i, 0, root).data().toString();
        EXPECT_TRUE(shown.contains(QStringLiteral("noext"))) << shown.join(u',').toStdString();
        typeAndAccept(d, QStringLiteral("rec"));
      });
  m_dialog.ShowSave();
  EXPECT_EQ(m_dialog.FileName(), path("report.txt"));
  m_dialog.ShowOpen();
  EXPECT_EQ(m_dialog.FileName(), path("rec.TXT"));
}
