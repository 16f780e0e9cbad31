// The menu option that lists subfolders too: it reaches the extraction run, the list shows
// the names below the folder, the details the full path, and the choice is remembered.
#include <gtest/gtest.h>

#include <QAction>

#include "shell/window_placement.h"
#include "support_main_window.h"

namespace quorvane {
namespace {

TEST(RecurseOption, MenuEntryListsSubfoldersAndIsRemembered) {
  testsupport::TempFolder dir;
  ASSERT_TRUE(QDir(test::qpath(dir)).mkpath(QStringLiteral("Sub")));
  for (const char* name : {"A.DLL", "Sub/B.DLL"}) test::putDll(dir, name, {1, 2, 3, 4}, "1.2");
  writeSetting(QStringLiteral("RecurseSubfolders"), QStringLiteral("0"));

  test::MainWindowFixture f;
  frmMain& w = f.window();
  ExtractionPage& page = *w.extractionPage();
  EXPECT_FALSE(w.mnuOptRecurse->isChecked());
  page.Text1[0]->setText(test::qpath(dir));

  const struct {
    bool recurse;
    QStringList list;
    QString setting;
  } rows[] = {
      {false, {QStringLiteral("a.dll")}, QStringLiteral("0")},
      {true, {QStringLiteral("a.dll"), QStringLiteral("sub\\b.dll")}, QStringLiteral("1")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.recurse);
    if (w.mnuOptRecurse->isChecked() != row.recurse) w.mnuOptRecurse->trigger();
    EXPECT_EQ(readSetting(QStringLiteral("RecurseSubfolders")), row.setting);
    page.Command1[1]->click();
    EXPECT_EQ(test::listLines(page.List1), row.list);
  }
  page.List1->setCurrentRow(1);
  const QString details = page.detailBoxText();
  EXPECT_TRUE(details.startsWith(QStringLiteral("No : 2 / 2\r\nFile : sub\\b.dll\r\nPath : ") + test::qpath(dir, "Sub/B.DLL")))
      << details.toStdString();
  page.List1->setCurrentRow(0);
  EXPECT_FALSE(page.detailBoxText().contains(QStringLiteral("Path : ")));

  // A new window starts with the option as the last one left it.
  test::MainWindowFixture again;
  EXPECT_TRUE(again.window().mnuOptRecurse->isChecked());
}

}  // namespace
}  // namespace quorvane
