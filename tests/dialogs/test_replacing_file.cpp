#include <gtest/gtest.h>

#include <filesystem>

#include "compare/record_test_support.h"
#include "dialogs/file_error.h"
#include "dialogs/replacing_file.h"

namespace quorvane {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

TEST(ReplacingFile, TheDestinationChangesOnlyOnCommit) {
  TempFolder dir;
  const std::string path = dir.file("f.txt");
  writeBytes(path, "old");
  ReplacingFile file;
  ASSERT_TRUE(file.open(path));
  ASSERT_TRUE(file.write("new"));
  EXPECT_EQ(readBytes(path), "old");  // a process killed here leaves the old file
  EXPECT_EQ(dir.count(), 2u);
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(readBytes(path), "new");
  EXPECT_EQ(dir.count(), 1u);
}

TEST(ReplacingFile, DiscardAndDestructionLeaveTheOldFile) {
  TempFolder dir;
  const std::string path = dir.file("f.txt");
  writeBytes(path, "old");
  {
    ReplacingFile file;
    ASSERT_TRUE(file.open(path));
    file.write("half");
  }
  EXPECT_EQ(readBytes(path), "old");
  ReplacingFile file;
  ASSERT_TRUE(file.open(path));
  file.write("half");
  file.discard();
  EXPECT_FALSE(file.commit());
  EXPECT_EQ(readBytes(path), "old");
  EXPECT_EQ(dir.count(), 1u);
}

TEST(ReplacingFile, CreatesANewFile) {
  TempFolder dir;
  ReplacingFile file;
  ASSERT_TRUE(file.open(dir.file("new.txt")));
  ASSERT_TRUE(file.write(std::string(3 << 20, 'x')));
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(std::filesystem::file_size(dir.file("new.txt")), 3u << 20);
}

TEST(ReplacingFile, RefusesWhatCannotBeWritten) {
  TempFolder dir;
  ReplacingFile file;
  EXPECT_FALSE(file.open(""));
  EXPECT_EQ(file.classification(), fileError::kBadName);
  EXPECT_FALSE(file.open(dir.file("missing/f.txt")));
  EXPECT_EQ(file.classification(), fileError::kBadName);
  EXPECT_FALSE(file.open(dir.path().string()));
  EXPECT_EQ(file.classification(), fileError::kUnknown);
  EXPECT_FALSE(file.write("x"));
  EXPECT_FALSE(file.commit());
}

}  // namespace
}  // namespace quorvane
