// The extraction run driven from the page on a generated folder of DLLs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "compare/ComparisonPage.h"
#include "compare/record_reader.h"
#include "extraction/ExtractionPage.h"
#include "support/pe_image_builder.h"
#include "support/szdd_writer.h"
#include "support_main_window.h"

namespace quorvane {
namespace {

using testsupport::buildImage;
using testsupport::ImageFormat;
using testsupport::simpleVersionInfo;

QStringList listLines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

class ExtractionRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto put = [&](const char* name, std::array<std::uint16_t, 4> v, const char* text) {
      testsupport::writeFile(dir.file(QString::fromLatin1(name)).toStdString(),
                             buildImage(ImageFormat::Pe32, simpleVersionInfo(v, text)).bytes);
    };
    put("KERNEL32.DLL", {4, 0, 0, 1}, "4.00.0001");
    put("b.ocx", {2, 0, 0, 0}, "2.00 (Build)");
    put("Zeta.dll", {1, 2, 3, 4}, "1.2.3.4");
    test::writeFile(dir.file(QStringLiteral("noversion.dll")), QByteArray(300, 'x'));
    test::writeFile(dir.file(QStringLiteral("readme.txt")), QByteArray("not listed"));
    page().Text1[0]->setText(dir.path());
  }
  ExtractionPage& page() { return *f.window().extractionPage(); }
  ComparisonPage& comparison() { return *f.window().comparisonPage(); }

  test::MainWindowFixture f;
  test::TempDir dir;
};

TEST_F(ExtractionRunTest, ACompletedRunFillsTheSortedListWithDetails) {
  page().Command1[1]->click();
  ExtractionPage& p = page();
  ASSERT_TRUE(f.seen->messages.empty()) << f.seen->messages.front().toStdString();
  EXPECT_EQ(listLines(p.List1), (QStringList{QStringLiteral("b.ocx"), QStringLiteral("kernel32.dll"),
                                             QStringLiteral("noversion.dll"), QStringLiteral("zeta.dll")}));
  EXPECT_TRUE(p.List1->isEnabled());
  EXPECT_EQ(p.List1->currentRow(), 0);
  const QFileInfo ocx(dir.file(QStringLiteral("b.ocx")));
  const QString stamp = ocx.lastModified().toString(QStringLiteral("yy/MM/dd HH:mm:ss"));
  EXPECT_EQ(p.detailBoxText(), QStringLiteral("No : 1 / 4\r\nFile : b.ocx\r\nFixedVersion : 2.0.0.0\r\n"
                                              "StringVersion : 2.00 (Build)\r\nSize : %1\r\nDate : %2")
                                   .arg(ocx.size())
                                   .arg(stamp));
  p.List1->setCurrentRow(2);
  EXPECT_TRUE(p.detailBoxText().startsWith(
      QStringLiteral("No : 3 / 4\r\nFile : noversion.dll\r\nFixedVersion : \r\nStringVersion : \r\nSize : 300\r\n")));

  // Status texts in order, the progress captions, and the finished state.
  EXPECT_EQ(f.window().statusText(), QStringLiteral("バージョン情報抽出完了 "));
  ASSERT_EQ(f.seen->statusTexts.size(), 5u);  // one per file, one after the loop
  EXPECT_EQ(f.seen->statusTexts[1], QStringLiteral("1/4"));
  EXPECT_EQ(f.seen->statusTexts[4], QStringLiteral("4/4"));
  ASSERT_EQ(f.seen->progressCaptions.size(), 4u);
  EXPECT_EQ(f.seen->progressCaptions[0], QStringLiteral("バージョン情報抽出中 "));
  EXPECT_EQ(f.seen->progressCaptions[3], QStringLiteral("バージョン情報抽出完了 "));
  EXPECT_FLOAT_EQ(f.seen->progressFractions[1], 0.5f);
  EXPECT_EQ(f.seen->beeps, 2);
  EXPECT_TRUE(p.Command1[2]->isEnabled());
  EXPECT_TRUE(p.Command1[3]->isEnabled());
  EXPECT_TRUE(p.Text1Detail->isEnabled());
  EXPECT_TRUE(f.window().mnuSave->isEnabled());
  EXPECT_TRUE(f.window().toolbarEnabled(3));
  EXPECT_TRUE(f.window().toolbarEnabled(41));
  EXPECT_TRUE(comparison().Check1[0]->isEnabledTo(&comparison()));
  EXPECT_TRUE(comparison().Check1[0]->isChecked());
  EXPECT_FALSE(p.Check2->isEnabled());  // every name is single-byte

  p.Command1[2]->click();
  EXPECT_EQ(QApplication::clipboard()->text(), p.detailBoxText() + QStringLiteral("\r\n"));
}

TEST_F(ExtractionRunTest, SavedRecordReadsBackInListOrderAndComparesUnchanged) {
  page().Command1[1]->click();
  const QString record = dir.file(QStringLiteral("out/record.txt"));
  QDir().mkpath(dir.file(QStringLiteral("out")));
  page().Text1[2]->setText(record);
  f.window().mnuSave->trigger();
  ASSERT_TRUE(f.seen->messages.empty()) << f.seen->messages.front().toStdString();
  EXPECT_EQ(f.window().statusText(), QStringLiteral("ファイル出力完了"));
  const RecordReadResult read = ReadRecordFile(record.toStdString());
  ASSERT_TRUE(read.ok());
  ASSERT_EQ(read.Entries.size(), 4u);
  EXPECT_EQ(read.Entries[0].FullPath, "b.ocx");
  EXPECT_EQ(read.Entries[1].FullPath, "kernel32.dll");
  EXPECT_EQ(read.Entries[1].FixedVersion, "4.0.0.1");
  EXPECT_EQ(read.Entries[1].StringVersion, "4.00.0001");
  EXPECT_EQ(read.Entries[3].FullPath, "zeta.dll");

  // The record against the extraction it came from: every file unchanged.
  f.window().selectTab(1);
  comparison().Text4[0]->setText(record);
  f.window().mnuRun->trigger();
  ASSERT_TRUE(f.seen->messages.empty());
  comparison().Option1[3]->click();
  EXPECT_EQ(comparison().List2->count(), 4);
  comparison().Option1[1]->click();
  EXPECT_EQ(comparison().List2->count(), 0);
}

TEST_F(ExtractionRunTest, ACancelledRunEmptiesTheListAndDisablesSaveAndCopy) {
  page().Command1[1]->click();
  f.seen->cancelAtUpdate = 1;
  f.seen->beeps = 0;
  page().Command1[1]->click();
  ExtractionPage& p = page();
  EXPECT_EQ(p.List1->count(), 0);
  EXPECT_FALSE(p.Command1[2]->isEnabled());
  EXPECT_FALSE(p.Command1[3]->isEnabled());
  EXPECT_FALSE(p.Text1Detail->isEnabled());
  EXPECT_FALSE(f.window().mnuSave->isEnabled());
  EXPECT_FALSE(f.window().toolbarEnabled(41));
  EXPECT_FALSE(comparison().Check1[0]->isEnabledTo(&comparison()));
  EXPECT_FALSE(comparison().Check1[0]->isChecked());
  EXPECT_EQ(f.window().statusText(), QStringLiteral("バージョン情報抽出を中止しました"));
  EXPECT_EQ(f.seen->beeps, 2);
  EXPECT_TRUE(f.seen->messages.empty());
}

TEST_F(ExtractionRunTest, ARejectedRunKeepsThePreviousResult) {
  page().Command1[1]->click();
  ExtractionPage& p = page();
  p.List1->setCurrentRow(1);
  const QString detail = p.detailBoxText();

  p.Text1[0]->setText(dir.file(QStringLiteral("no such folder")));
  p.Command1[1]->click();
  ASSERT_EQ(f.seen->messages.size(), 1u);
  EXPECT_EQ(f.seen->messages[0], QStringLiteral("指定されたフォルダーは存在しません"));
  EXPECT_EQ(f.seen->icons[0], MessageIcon::Critical);
  EXPECT_EQ(f.window().statusText(), QStringLiteral("バージョン情報抽出は出来ませんでした"));
  EXPECT_EQ(p.List1->count(), 4);
  EXPECT_EQ(p.detailBoxText(), detail);
  EXPECT_TRUE(p.Command1[3]->isEnabled());
  EXPECT_TRUE(comparison().Check1[0]->isChecked());

  const test::TempDir empty;
  p.Text1[0]->setText(empty.path());
  p.Command1[1]->click();
  ASSERT_EQ(f.seen->messages.size(), 2u);
  EXPECT_EQ(f.seen->messages[1], QStringLiteral("対象となるファイルは有りませんでした"));

  p.Text1[0]->clear();
  EXPECT_FALSE(p.Command1[1]->isEnabled());
  p.ExtractVersionInfo();
  ASSERT_EQ(f.seen->messages.size(), 3u);
  EXPECT_EQ(f.seen->messages[2], QStringLiteral("フォルダーが指定されていません"));
  EXPECT_EQ(p.List1->count(), 4);

  // Saving still writes the old result.
  p.Text1[2]->setText(dir.file(QStringLiteral("old.txt")));
  p.Command1[3]->click();
  EXPECT_EQ(f.window().statusText(), QStringLiteral("ファイル出力完了"));
  EXPECT_EQ(ReadRecordFile(dir.file(QStringLiteral("old.txt")).toStdString()).Entries.size(), 4u);
}

TEST_F(ExtractionRunTest, CompressedFilesAreExpandedIntoTheExpansionFolder) {
  const auto image = buildImage(ImageFormat::Pe32, simpleVersionInfo({5, 1, 0, 7}, "5.1")).bytes;
  const test::TempDir media;
  const test::TempDir expanded;
  testsupport::writeFile(media.file(QStringLiteral("SETUP.EX_")).toStdString(), testsupport::compressSzdd(image));
  ExtractionPage& p = page();
  p.Text1[0]->setText(media.path());
  p.Combo1->setCurrentIndex(5);
  p.Text1[1]->setText(expanded.path());
  p.Command1[1]->click();
  ASSERT_TRUE(f.seen->messages.empty());
  EXPECT_EQ(listLines(p.List1), QStringList{QStringLiteral("setup.exe")});
  EXPECT_TRUE(QFileInfo::exists(expanded.file(QStringLiteral("SETUP.EXE"))));
  EXPECT_TRUE(p.detailBoxText().contains(QStringLiteral("FixedVersion : 5.1.0.7\r\n")));
  EXPECT_TRUE(p.detailBoxText().contains(QStringLiteral("Size : %1\r\n").arg(image.size())));
}

// The shared temporary folder is never expanded into directly: the run gets an owner-only
// folder inside it, which goes when the next run starts. That run, which would expand
// into the folder it lists, is refused.
TEST_F(ExtractionRunTest, TheTemporaryFolderGetsAFolderOfTheRunsOwnUntilTheNextRun) {
  const test::TempDir media;
  const test::TempDir temp;
  const QByteArray oldTmp = qgetenv("TMPDIR");
  qputenv("TMPDIR", temp.path().toUtf8());
  testsupport::writeFile(media.file(QStringLiteral("SETUP.EX_")).toStdString(),
                         testsupport::compressSzdd(std::string("MZ")));
  ExtractionPage& p = page();
  p.Text1[0]->setText(media.path());
  p.Combo1->setCurrentIndex(5);
  p.Text1[1]->setText(temp.path());
  p.Command1[1]->click();
  const QFileInfoList own = QDir(temp.path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  ASSERT_EQ(own.size(), 1);
  EXPECT_TRUE(QFileInfo::exists(own[0].filePath() + QStringLiteral("/SETUP.EXE")));
  p.Text1[1]->setText(media.path() + QStringLiteral("/"));
  p.Command1[1]->click();
  oldTmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", oldTmp);
  ASSERT_EQ(f.seen->messages.size(), 1u);
  EXPECT_EQ(f.seen->messages[0], QStringLiteral("圧縮復元先フォルダーが情報抽出先フォルダーと同じです"));
  EXPECT_TRUE(QDir(temp.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
  EXPECT_FALSE(QFileInfo::exists(media.file(QStringLiteral("SETUP.EXE"))));
}

TEST_F(ExtractionRunTest, ADoubleByteNameEnablesStrictSortWhichReordersTheWholeList) {
  testsupport::writeFile(dir.file(QStringLiteral("日本語.dll")).toStdString(),
                         buildImage(ImageFormat::Pe32, simpleVersionInfo({9, 9, 9, 9}, "9.9")).bytes);
  ExtractionPage& p = page();
  p.Command1[1]->click();
  ASSERT_EQ(p.List1->count(), 5);
  EXPECT_TRUE(p.Check2->isEnabledTo(&p));
  QStringList before = listLines(p.List1);
  p.Check2->click();
  ASSERT_TRUE(p.Check2->isChecked());
  QStringList after = listLines(p.List1);
  EXPECT_EQ(after.size(), 5);
  before.sort();
  after.sort();
  EXPECT_EQ(before, after);  // every file once, whatever the order
  p.List1->setCurrentRow(4);
  EXPECT_TRUE(p.detailBoxText().startsWith(QStringLiteral("No : 5 / 5\r\nFile : ") + p.List1->item(4)->text()));
  // Once set, it stays enabled after a run of single-byte names only.
  QFile::remove(dir.file(QStringLiteral("日本語.dll")));
  p.Command1[1]->click();
  EXPECT_TRUE(p.Check2->isEnabledTo(&p));
}

TEST_F(ExtractionRunTest, AnUnwritableDestinationGivesAMessageAndKeepsTheWindowUsable) {
  page().Command1[1]->click();
  page().Text1[2]->setText(dir.file(QStringLiteral("missing folder/record.txt")));
  page().Command1[3]->click();
  ASSERT_EQ(f.seen->messages.size(), 1u);
  EXPECT_EQ(f.seen->messages[0], QStringLiteral("ファイル名が間違っています"));
  EXPECT_NE(f.window().statusText(), QStringLiteral("ファイル出力完了"));
  page().Text1[2]->setText(dir.path());  // a folder, not a file
  page().Command1[3]->click();
  EXPECT_EQ(f.seen->messages.size(), 2u);
  EXPECT_TRUE(page().Command1[3]->isEnabled());
}

}  // namespace
}  // namespace quorvane
