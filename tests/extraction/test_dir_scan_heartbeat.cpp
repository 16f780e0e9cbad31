// The scan's heartbeat: the turns a long listing gives its caller, and stopping from one.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "extraction/dir_scan.h"
#include "support/files.h"
#include "support/temp_folder.h"

namespace quorvane::basDirUtil {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::writeFile;

constexpr int kFiles = 400;

// kFiles small files, every fourth of another kind, so that the entries the patterns pass
// over count as much as the ones they take.
class HeartbeatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < kFiles; ++i) {
      const std::string name = "F" + std::to_string(i) + (i % 4 == 0 ? ".TXT" : ".DLL");
      writeFile(dir.path() / name, name);
    }
  }

  // A heartbeat that counts its turns, due at every look at the clock, and asks to stop
  // at turn `stopAt` (1-based; 0 never).
  ScanHeartbeat counting(int stopAt = 0) {
    ScanHeartbeat beat;
    beat.interval = 0ms;
    beat.stillWorking = [this, stopAt] {
      ++turns;
      return stopAt == 0 || turns < stopAt;
    };
    return beat;
  }

  testsupport::TempFolder dir{"heartbeat"};
  std::vector<FileVersionEntry> entries;
  int turns = 0;
};

// The turns change nothing in what is listed.
TEST_F(HeartbeatTest, ALongListingGivesATurnEveryStrideOfEntriesAndTheSameListing) {
  std::vector<FileVersionEntry> plain;
  ASSERT_EQ(ScanFolder(dir.str(), {"*.DLL"}, plain, kListFiles), ScanResult::Found);
  EXPECT_EQ(ScanFolder(dir.str(), {"*.DLL"}, entries, kListFiles, counting()), ScanResult::Found);
  EXPECT_EQ(turns, kFiles / kHeartbeatStride);
  ASSERT_EQ(entries.size(), static_cast<std::size_t>(kFiles * 3 / 4));
  ASSERT_EQ(entries.size(), plain.size());
  for (std::size_t i = 0; i < plain.size(); ++i) EXPECT_EQ(entries[i].FullPath, plain[i].FullPath);
}

TEST_F(HeartbeatTest, NoTurnBeforeTheIntervalHasPassed) {
  ScanHeartbeat beat = counting();
  beat.interval = std::chrono::hours(1);
  EXPECT_EQ(ScanFolder(dir.str(), {"*.DLL"}, entries, kListFiles, beat), ScanResult::Found);
  EXPECT_EQ(turns, 0);
}

TEST_F(HeartbeatTest, StoppingEndsTheScanAndLeavesTheEntriesAlone) {
  FileVersionEntry previous;
  previous.FullPath = "/earlier/run/OLD.DLL";
  previous.NamePos = 13;
  entries = {previous};
  EXPECT_EQ(ScanFolder(dir.str(), {"*.DLL"}, entries, kListFiles, counting(3)), ScanResult::Stopped);
  EXPECT_EQ(turns, 3);  // no turn after the one that asked to stop
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].FullPath, "/earlier/run/OLD.DLL");
  EXPECT_EQ(entries[0].NamePos, 13);
}

// Many small subfolders: the entries are counted across levels, so a turn comes even
// though no single folder holds a stride of entries; and a stop ends the whole descent.
TEST(HeartbeatDeep, TurnsCountAcrossSubfoldersAndAStopEndsTheDescent) {
  testsupport::TempFolder deep{"heartbeat-deep"};
  constexpr int kFolders = 30;
  constexpr int kPerFolder = 5;
  for (int f = 0; f < kFolders; ++f) {
    const fs::path sub = deep.path() / ("SUB" + std::to_string(f));
    fs::create_directories(sub);
    for (int i = 0; i < kPerFolder; ++i) writeFile(sub / ("L" + std::to_string(i) + ".DLL"), std::string("x"));
  }
  static_assert(kPerFolder + 1 < kHeartbeatStride, "each folder alone must stay below one stride");
  int turns = 0;
  ScanHeartbeat beat;
  beat.interval = 0ms;
  beat.stillWorking = [&] {
    ++turns;
    return true;
  };
  std::vector<FileVersionEntry> entries;
  ASSERT_EQ(ScanFolder(deep.str(), {"*.DLL"}, entries, kListFilesDeep, beat), ScanResult::Found);
  EXPECT_EQ(entries.size(), static_cast<std::size_t>(kFolders * kPerFolder));
  EXPECT_EQ(turns, (kFolders + kFolders * kPerFolder) / kHeartbeatStride);

  turns = 0;
  beat.stillWorking = [&] { return ++turns < 2; };
  std::vector<FileVersionEntry> appended;
  bool stopped = false;
  ScanFolderLevel(deep.str(), {"*.dll"}, appended, kListFilesDeep, beat, &stopped);
  EXPECT_TRUE(stopped);
  EXPECT_EQ(turns, 2);
  EXPECT_LT(appended.size(), entries.size());
}

}  // namespace
}  // namespace quorvane::basDirUtil
