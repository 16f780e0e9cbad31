// The extraction page's controls, kind box and choose buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/basDirUtil.h"
#include "extraction/ExtractionPage.h"
#include "extraction/basDecompress.h"
#include "shell/toolbar_keys.h"
#include "support_main_window.h"

namespace quorvane {
namespace {

TEST(ExtractionPageSetUp, CaptionsAndInitialStates) {
  test::MainWindowFixture f;
  ExtractionPage& p = *f.window().extractionPage();
  const QStringList captions = {p.Label3[3]->text(),   p.Label3[4]->text(),   p.Label3[5]->text(),
                                p.Label3[6]->text(),   p.Label3[7]->text(),   p.Label3[8]->text(),
                                p.Check2->text(),      p.Command1[0]->text(), p.Command1[1]->text(),
                                p.Command1[2]->text(), p.Command1[3]->text(), p.Command3->text()};
  EXPECT_EQ(captions, (QStringList{"情報抽出先フォルダ(&A)", "圧縮復元先フォルダ(&U)", "抽出ファイル種別(&W)",
                                   "抽出情報保存先\nファイル(&F)", "ファイル一覧(&L)", "ファイルの詳細(&T)",
                                   "ファイル名を厳密にソート\n(時間が掛かります)(&D)", "ファイル/フォルダ選択(&S)",
                                   "実行(&R)", "クリップボードへコピー(&C)", "情報保存(&O)", "終了(&X)"}));

  EXPECT_EQ(p.Text1[0]->text().toStdString(), basDecompress::SystemFolder());
  EXPECT_TRUE(p.Text1[0]->text().endsWith(QLatin1Char(basDirUtil::kSeparator)));
  EXPECT_TRUE(p.Text1[1]->text().isEmpty() && !p.Text1[1]->isEnabled());
  EXPECT_TRUE(p.Text1[2]->text().isEmpty());
  EXPECT_TRUE(p.Text1Detail->toPlainText().isEmpty() && !p.Text1Detail->isEnabled() && p.Text1Detail->isReadOnly());
  EXPECT_EQ(p.Combo1->currentText(), QStringLiteral("*.DLL *.OCX *.OLB *.TLB"));
  EXPECT_FALSE(p.Check2->isChecked() || p.Check2->isEnabled());
  EXPECT_FALSE(p.List1->isEnabled() || p.Command1[2]->isEnabled() || p.Command1[3]->isEnabled());
  EXPECT_EQ(p.Command1[0]->focusPolicy() & Qt::TabFocus, 0);
}

TEST(ExtractionPageKinds, CompressedKindBringsBackTheExpansionFolder) {
  test::MainWindowFixture f;
  ExtractionPage& p = *f.window().extractionPage();
  EXPECT_FALSE(p.ExpandCompressed);
  p.Combo1->setCurrentIndex(5);  // the compressed kinds
  EXPECT_TRUE(p.ExpandCompressed);
  EXPECT_EQ(p.Text1[1]->text().toStdString(), basDecompress::TempFolder());
  EXPECT_TRUE(p.Text1[1]->isEnabled());

  p.Text1[1]->setText(QStringLiteral("/tmp/expanded here"));
  p.Combo1->setCurrentIndex(6);
  EXPECT_FALSE(p.ExpandCompressed);
  EXPECT_TRUE(p.Text1[1]->text().isEmpty() && !p.Text1[1]->isEnabled());
  p.Combo1->setCurrentIndex(0);
  p.Combo1->setCurrentIndex(5);
  EXPECT_EQ(p.Text1[1]->text(), QStringLiteral("/tmp/expanded here"));
}

TEST(ExtractionPageChoose, DialogsStartInTheNearestExistingFolderAndFillTheBox) {
  test::MainWindowFixture f;
  test::TempDir dir;
  ExtractionPage& p = *f.window().extractionPage();
  p.Text1[0]->setText(dir.file(QStringLiteral("A/B")));
  f.setFocusTo(p.Text1[0]);
  ASSERT_TRUE(p.Command1[0]->isEnabled());
  f.seen->folderAnswers.push_back(QStringLiteral("/chosen/folder/"));
  p.Command1[0]->click();
  ASSERT_EQ(f.seen->folderRequests.size(), 1u);
  EXPECT_EQ(f.seen->folderRequests[0].title, QStringLiteral("バージョン情報抽出先フォルダーの選択"));
  EXPECT_EQ(QDir::cleanPath(f.seen->folderRequests[0].initDir), QDir::cleanPath(dir.path()));
  EXPECT_EQ(p.Text1[0]->text(), QStringLiteral("/chosen/folder/"));
  EXPECT_EQ(QApplication::focusWidget(), p.Text1[0]);

  // The expansion folder box has its own title; a cancel leaves it as it was.
  p.Combo1->setCurrentIndex(5);
  const QString before = p.Text1[1]->text();
  f.setFocusTo(p.Text1[1]);
  f.window().mcToolBar_ButtonClick(kChooseKey);
  ASSERT_EQ(f.seen->folderRequests.size(), 2u);
  EXPECT_EQ(f.seen->folderRequests[1].title, QStringLiteral("圧縮ファイル復元先フォルダーの選択"));
  EXPECT_EQ(p.Text1[1]->text(), before);

  // The record file: a save dialog in the folder of the named file, or above it.
  p.Text1[2]->setText(dir.file(QStringLiteral("missing/sub/record.txt")));
  f.setFocusTo(p.Text1[2]);
  f.seen->fileAnswers.push_back(dir.file(QStringLiteral("record.txt")));
  p.Command1[0]->click();
  ASSERT_EQ(f.seen->fileRequests.size(), 1u);
  const FileRequest& asked = f.seen->fileRequests[0];
  EXPECT_EQ(asked.title, QStringLiteral("保存する結果出力ファイル名の選択"));
  EXPECT_EQ(asked.filter, QStringLiteral("Text Files (*.Txt)|*.Txt|All Files (*.*)|*.*"));
  EXPECT_EQ(asked.filterIndex, 0);
  EXPECT_TRUE(asked.save);
  EXPECT_EQ(QDir::cleanPath(asked.initDir), QDir::cleanPath(dir.path()));
  EXPECT_EQ(p.Text1[2]->text(), dir.file(QStringLiteral("record.txt")));
}

TEST(ExtractionPageSave, NoDestinationGivesTheMessageAndABeep) {
  test::MainWindowFixture f;
  f.window().extractionPage()->OutputVersionRecord();
  EXPECT_EQ(f.seen->messages, std::vector<QString>{QStringLiteral("保存先ファイルが指定されていません")});
  EXPECT_EQ(f.seen->beeps, 1);
}

}  // namespace
}  // namespace quorvane
