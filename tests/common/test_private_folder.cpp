#include <gtest/gtest.h>

#include <filesystem>

#include "common/private_folder.h"
#include "support/files.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testsupport::TempFolder;
using testsupport::writeFile;

// In a shared folder the run gets a folder of its own, open to its owner only; removing
// it removes what it holds and nothing else, not even what a link inside points to.
TEST(PrivateFolder, OwnerOnlyAndRemovedWithoutTouchingItsNeighbours) {
  TempFolder shared;
  writeFile(shared.at("someone-elses.txt"), "theirs");
  auto first = PrivateFolder::create(shared.path().string());
  auto second = PrivateFolder::create(shared.path().string());
  ASSERT_TRUE(first && second);
  EXPECT_NE(first->path(), second->path());
  EXPECT_EQ(fs::path(first->path()).parent_path().parent_path(), shared.path());
  EXPECT_EQ(fs::status(first->path()).permissions(), fs::perms::owner_all);
  writeFile(first->path() + "A.DLL", "copy");
  fs::create_symlink(shared.at("someone-elses.txt"), first->path() + "link");
  first.reset();
  second.reset();
  EXPECT_EQ(shared.count(), 1u);
  EXPECT_EQ(testsupport::readText(shared.at("someone-elses.txt")), "theirs");
  EXPECT_EQ(PrivateFolder::create(shared.at("missing")), nullptr);
}

}  // namespace
}  // namespace quorvane
