#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QSettings>
#include <QTemporaryDir>

#include "dialogs/last_folder.h"
#include "dialogs/qt_translations.h"
#include "dialogs/qt_print.h"

namespace lastFolder = quorvane::lastFolder;

TEST(LastFolder, RemembersTheFolderOfEachPurposeAcrossSettingsObjects) {
  QTemporaryDir settingsDir, work;
  ASSERT_TRUE(settingsDir.isValid() && work.isValid());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
  ASSERT_TRUE(QDir(work.path()).mkpath(QStringLiteral("records/old")));
  const QString records = QDir::toNativeSeparators(work.filePath(QStringLiteral("records")));

  // First time: documents or home, never the program's own folder.
  const QString first = lastFolder::startFolder(QStringLiteral("Record1"));
  EXPECT_TRUE(QFileInfo(first).isDir());
  EXPECT_NE(QDir(first).canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
  EXPECT_EQ(first, lastFolder::fallbackFolder());

  lastFolder::remember(QStringLiteral("Record1"), records + QDir::separator() + QStringLiteral("new.txt"));  // a file: its folder
  lastFolder::remember(QStringLiteral("Extraction"), records + QDir::separator() + QStringLiteral("old"));  // a folder: itself
  lastFolder::remember(QStringLiteral("Result"), QString());  // nothing chosen: nothing kept
  EXPECT_EQ(lastFolder::startFolder(QStringLiteral("Record1")), records);
  EXPECT_EQ(lastFolder::startFolder(QStringLiteral("Extraction")), records + QDir::separator() + QStringLiteral("old"));
  EXPECT_EQ(lastFolder::startFolder(QStringLiteral("Result")), first);

  // Written where the rest of the program's settings are.
  QSettings raw(QStringLiteral("Quorvane"), QStringLiteral("Quorvane"));
  EXPECT_EQ(raw.value(QStringLiteral("Settings/LastFolderRecord1")).toString(), records);

  // A remembered folder that is gone falls back.
  ASSERT_TRUE(QDir(work.filePath(QStringLiteral("records/old"))).removeRecursively());
  EXPECT_EQ(lastFolder::startFolder(QStringLiteral("Extraction")), first);
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
