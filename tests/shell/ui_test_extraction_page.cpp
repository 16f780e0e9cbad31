// The pages' controls before any run: initial states, the kind box and the choose dialogs.
#include <gtest/gtest.h>

#include "common/basDirUtil.h"
#include "extraction/basDecompress.h"
#include "support_main_window.h"

namespace quorvane {
namespace {

// Each box's choose dialog, from the page's button or the toolbar's: its title, kind and
// start folder (the nearest existing one, or for an empty box the one its last choice
// left); a choice fills the box, a cancel leaves it, and the focus returns to it.
TEST(PageChooseDialogs, EachBoxAsksWithItsOwnDialogAndTakesTheAnswer) {
  test::MainWindowFixture f;
  testsupport::TempFolder dir;
  const QString base = test::qpath(dir);
  ExtractionPage& e = *f.window().extractionPage();
  ComparisonPage& c = *f.window().comparisonPage();
  e.Combo1->setCurrentIndex(5);
  const struct {
    int tab;
    QLineEdit* box;
    QString text;
    bool toolbar;
    std::optional<QString> answer;
    const char* title;
    int kind;  // 0 folder, 1 open, 2 save
  } rows[] = {
      {0, e.Text1[0], base + "/A/B", false, "/chosen/folder/", "バージョン情報抽出先フォルダーの選択", 0},
      {0, e.Text1[1], base + "/x", true, {}, "圧縮ファイル復元先フォルダーの選択", 0},
      {0, e.Text1[2], base + "/missing/sub/record.txt", false, base + "/record.txt", "保存する結果出力ファイル名の選択", 2},
      {1, c.Text4[0], base + "/gone/deeper/old.txt", true, base + "/old.txt", "バージョン記録ファイル 1 の選択", 1},
      {1, c.Text4[2], base + "/keep.txt", false, base + "/result.txt", "保存するバージョン比較結果ファイル名の選択", 2},
      {1, c.Text4[2], QString(), true, {}, "保存するバージョン比較結果ファイル名の選択", 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.title);
    f.window().selectTab(row.tab);
    row.box->setText(row.text);
    f.setFocusTo(row.box);
    (row.kind == 0 ? f.seen->folderAnswers : f.seen->fileAnswers).push_back(row.answer);
    if (row.toolbar)
      f.window().mcToolBar_ButtonClick(kChooseKey);
    else
      (row.tab == 0 ? e.Command1[0] : c.Command5[0])->click();
    QString title, initDir;
    if (row.kind == 0) {
      ASSERT_FALSE(f.seen->folderRequests.empty());
      title = f.seen->folderRequests.back().title;
      initDir = f.seen->folderRequests.back().initDir;
    } else {
      ASSERT_FALSE(f.seen->fileRequests.empty());
      const FileRequest& asked = f.seen->fileRequests.back();
      title = asked.title;
      initDir = asked.initDir;
      EXPECT_EQ(asked.save, row.kind == 2);
      EXPECT_EQ(asked.filter, QStringLiteral("Text Files (*.Txt)|*.Txt|All Files (*.*)|*.*"));
      EXPECT_EQ(asked.filterIndex, row.tab);  // the extraction page's counts from 0
      EXPECT_EQ(asked.defaultExt, row.tab == 1 ? QStringLiteral("TXT") : QString()) << "default extension";
    }
    EXPECT_EQ(title, QString::fromUtf8(row.title));
    EXPECT_EQ(QDir::cleanPath(initDir), QDir::cleanPath(base));
    EXPECT_EQ(row.box->text(), row.answer.value_or(row.text));
    EXPECT_EQ(QApplication::focusWidget(), row.box);
  }
}

}  // namespace
}  // namespace quorvane
