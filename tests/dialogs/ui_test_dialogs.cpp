// The file and folder dialogs (the caller's settings, the questions a name raises, the
// completed names, Qt's own file list in Japanese) and the progress window.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "controls/picture_box.h"
#include "controls/system_colors.h"
#include "controls/twips.h"
#include "dialogs/clsCommonDialog.h"
#include "dialogs/clsProgressForm.h"
#include "dialogs/clsSelDirCmnDialog.h"
#include "dialogs/dialog_script.h"
#include "dialogs/file_name_rules.h"
#include "dialogs/frmProgress.h"
#include "dialogs/qt_print.h"
#include "dialogs/qt_translations.h"
#include "support/temp_folder.h"

using quorvane::clsCommonDialog;
using quorvane::clsProgressForm;
using quorvane::clsSelDirCmnDialog;
using quorvane::frmProgress;
using quorvane::PictureBox;
namespace fileNameRules = quorvane::fileNameRules;

namespace {

const QString kNul(QChar(u'\0'));

// True when some pixel of the box differs from its background: text was printed.
bool hasDrawing(const PictureBox& box) {
  QImage blank(box.Image().size(), QImage::Format_RGB32);
  blank.fill(QColor::fromRgb(quorvane::toQRgb(box.BackColor())));
  return box.Image().convertToFormat(QImage::Format_RGB32) != blank;
}

// A shown owner window and a test folder.
class DialogTest : public ::testing::Test {
 protected:
  DialogTest() { m_owner.resize(400, 200); m_owner.show(); }
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
    m_dialog.setForm(&m_owner);
    m_dialog.setInitDir(m_dir.path());
  }
  clsCommonDialog m_dialog;
};

class FolderPickerTest : public DialogTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid() && QDir(m_dir.path()).mkdir(QStringLiteral("sub")));
    m_box = new PictureBox(&m_owner);
    m_box->setGeometry(10, 150, 380, 20);
    m_box->hide();
    m_picker.setForm(&m_owner);
    m_picker.setPictureBox(m_box);
    m_picker.setDialogTitle(QStringLiteral("バージョン情報抽出先フォルダーの選択"));
    m_picker.setInitDir(native());
  }
  PictureBox* m_box = nullptr;
  clsSelDirCmnDialog m_picker;
};

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Replaces the window's clock for one test, so stalls take no real time.
class FakeClock {
 public:
  FakeClock() : m_saved(frmProgress::clock()) { frmProgress::clock() = [this] { return m_now; }; }
  ~FakeClock() { frmProgress::clock() = m_saved; }
  void advanceMs(qint64 ms) { m_now += ms; }

 private:
  std::function<qint64()> m_saved;
  qint64 m_now = 1'000'000;
};

class ProgressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_owner.resize(500, 300);
    m_owner.show();
    m_progress = std::make_unique<clsProgressForm>();
    m_progress->setOwnerForm(&m_owner);
  }
  void TearDown() override {
    m_progress.reset();
    flushDeletes();
    EXPECT_EQ(frmProgress::shared(), nullptr);
    EXPECT_TRUE(m_owner.isEnabled());
  }

  QWidget m_owner;
  std::unique_ptr<clsProgressForm> m_progress;
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

// In finished mode the end shows OK and waits for it; otherwise, or beyond one, the window
// closes at once. Releasing the progress object closes a window still open.
TEST_F(ProgressTest, CompletionClosesAtOnceOrShowsOkAndWaitsForIt) {
  m_progress->setDispFinished(false);
  m_progress->UpdateStatus(1.0f, QStringLiteral("x"), true);
  EXPECT_EQ(frmProgress::shared(), nullptr);
  EXPECT_TRUE(m_owner.isEnabled());
  m_progress->setDispFinished(true);
  m_progress->UpdateStatus(0.3f, QStringLiteral("x"), true);
  EXPECT_NE(frmProgress::shared(), nullptr);
  m_progress->UpdateStatus(1.5f, QStringLiteral("x"), true);
  EXPECT_EQ(frmProgress::shared(), nullptr);
  EXPECT_TRUE(m_owner.isEnabled());

  m_progress->UpdateStatus(1.0f, QStringLiteral("バージョン情報抽出完了 "), true);
  QPointer<frmProgress> w = frmProgress::shared();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Command1->text(), QStringLiteral("OK"));
  EXPECT_TRUE(w->Command1->isDefault() && w->isVisible());
  EXPECT_FALSE(m_owner.isEnabled() || m_progress->Canceled());
  w->Command1->click();
  flushDeletes();
  EXPECT_TRUE(w.isNull());
  EXPECT_TRUE(m_owner.isEnabled());

  m_progress->UpdateStatus(1.0f, QStringLiteral("x"), true);
  ASSERT_NE(frmProgress::shared(), nullptr);
  m_progress.reset();
  EXPECT_EQ(frmProgress::shared(), nullptr);
}

// A click is noticed during the next update; the caller sees it once and for good. Closing
// the window cancels as well.
TEST_F(ProgressTest, CancelHidesTheWindowAndTheCallerSeesIt) {
  m_progress->UpdateStatus(0.1f, QStringLiteral("x"), true);
  QPointer<frmProgress> w = frmProgress::shared();
  QTimer::singleShot(0, w->Command1, &QPushButton::click);
  int processed = 0;
  for (int i = 2; i <= 100 && !m_progress->Canceled(); ++i) {
    m_progress->UpdateStatus(i / 100.0f, QStringLiteral("x"), true);
    ++processed;
  }
  EXPECT_EQ(processed, 1);
  EXPECT_TRUE(w.isNull() || !w->isVisible());
  EXPECT_TRUE(m_owner.isEnabled());
  EXPECT_EQ(frmProgress::shared(), nullptr);
  EXPECT_TRUE(m_progress->Canceled());  // stays true

  clsProgressForm second;
  second.UpdateStatus(0.1f, QStringLiteral("x"), true);
  w = frmProgress::shared();
  w->Command1->click();
  EXPECT_EQ(frmProgress::shared(), w.data());  // kept until the caller has read it
  EXPECT_TRUE(second.Canceled());
  clsProgressForm third;
  third.UpdateStatus(0.1f, QStringLiteral("x"), true);
  frmProgress::shared()->close();
  EXPECT_TRUE(third.Canceled());
}

// A stall longer than the limit (zero or less means ten seconds) closes a running window
// but not a finished one.
TEST_F(ProgressTest, StallTimeoutClosesARunningWindowButNotAFinishedOne) {
  FakeClock clock;
  m_progress->setTimeOutCount(0);
  m_progress->UpdateStatus(0.2f, QStringLiteral("x"), true);
  frmProgress* w = frmProgress::shared();
  EXPECT_EQ(w->TimeOutCount(), 10);
  m_progress->setTimeOutCount(-4);
  EXPECT_EQ(w->TimeOutCount(), 10);
  m_progress->setTimeOutCount(3);
  clock.advanceMs(3000);
  w->Timer1_Timer();
  ASSERT_EQ(frmProgress::shared(), w);  // exactly the limit is not more than it
  clock.advanceMs(1);
  w->Timer1_Timer();
  EXPECT_EQ(frmProgress::shared(), nullptr);
  EXPECT_TRUE(m_owner.isEnabled());
  // A later update opens the window again, still over (and disabling) the owner.
  m_progress->UpdateStatus(1.0f, QStringLiteral("y"), true);
  w = frmProgress::shared();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(m_owner.isEnabled());
  EXPECT_EQ(w->TimeOutCount(), 3);
  clock.advanceMs(60'000);
  w->Timer1_Timer();
  EXPECT_EQ(frmProgress::shared(), w);
}
