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

TEST(QtTranslations, TheFileListSpeaksJapanese) {
  ASSERT_TRUE(quorvane::installQtTranslations(*QCoreApplication::instance()));
  QFileSystemModel model;
  QStringList headers;
  for (int i = 0; i < 4; ++i) headers << model.headerData(i, Qt::Horizontal).toString();
  // The wording is Qt's own and may change between its versions; the language may not.
  EXPECT_EQ(headers.value(0), QStringLiteral("名前"));
  for (const char* english : {"Name", "Size", "Type", "Date Modified"}) EXPECT_FALSE(headers.contains(QString::fromLatin1(english)));
}
