// The scan's heartbeat: the turns a long listing gives its caller, and stopping from one.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "extraction/dir_scan.h"
#include "support/temp_folder.h"

namespace quorvane::basDirUtil {
namespace {

using namespace std::chrono_literals;

// A heartbeat due at every look at the clock that counts its turns in `turns` and asks to
// stop at turn `stopAt` (1-based; 0 never).
ScanHeartbeat counting(int& turns, int stopAt = 0, std::chrono::milliseconds interval = 0ms) {
  return {[&turns, stopAt] { return ++turns != stopAt; }, interval};
}

std::vector<std::string> paths(const std::vector<FileVersionEntry>& entries) {
  std::vector<std::string> out;
  for (const FileVersionEntry& e : entries) out.push_back(e.FullPath);
  return out;
}

// 400 files, every fourth of another kind, so that the entries the patterns pass over
// count as much as the ones they take. The turns change nothing in what is listed; no turn
// comes before the interval; a stop ends the scan and leaves the entries alone.
TEST(Heartbeat, ATurnEveryStrideOfEntriesAndAStopLeavesTheEntriesAlone) {
  constexpr int kFiles = 400;
  testsupport::TempFolder dir{"heartbeat"};
  for (int i = 0; i < kFiles; ++i) dir.write("F" + std::to_string(i) + (i % 4 == 0 ? ".TXT" : ".DLL"), "x");
  std::vector<FileVersionEntry> plain, entries;
  ASSERT_EQ(ScanFolder(dir.str(), {"*.DLL"}, plain, kListFiles), ScanResult::Found);
  EXPECT_EQ(plain.size(), static_cast<std::size_t>(kFiles * 3 / 4));
  int turns = 0;
  EXPECT_EQ(ScanFolder(dir.str(), {"*.DLL"}, entries, kListFiles, counting(turns)), ScanResult::Found);
  EXPECT_EQ(turns, kFiles / kHeartbeatStride);
  EXPECT_EQ(paths(entries), paths(plain));

  turns = 0;
  EXPECT_EQ(ScanFolder(dir.str(), {"*.DLL"}, entries, kListFiles, counting(turns, 0, 1h)), ScanResult::Found);
  EXPECT_EQ(turns, 0);

  entries.assign(1, {});
  entries[0].FullPath = "/earlier/run/OLD.DLL";
  EXPECT_EQ(ScanFolder(dir.str(), {"*.DLL"}, entries, kListFiles, counting(turns, 3)), ScanResult::Stopped);
  EXPECT_EQ(turns, 3);  // no turn after the one that asked to stop
  EXPECT_EQ(paths(entries), std::vector<std::string>{"/earlier/run/OLD.DLL"});
}

}  // namespace
}  // namespace quorvane::basDirUtil
