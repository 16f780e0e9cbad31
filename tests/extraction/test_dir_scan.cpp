#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "common/basDirUtil.h"
#include "extraction/dir_scan.h"
#include "support/files.h"
#include "support/temp_folder.h"

namespace quorvane::basDirUtil {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::writeFile;

const std::string sep(1, kSeparator);

std::set<std::string> names(const std::vector<FileVersionEntry>& entries) {
  std::set<std::string> out;
  for (const auto& e : entries) out.insert(e.FullPath.substr(static_cast<std::size_t>(e.NamePos) - 1));
  return out;
}

class ScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* f : {"KERNEL32.DLL", "user32.dll", "README", "SETUP.EX_", "a.b.c"})
      writeFile(dir.path() / f, f);
    fs::create_directories(dir.path() / "sub" / "deeper");
    writeFile(dir.path() / "sub" / "INNER.DLL", "inner");
    writeFile(dir.path() / "sub" / "deeper" / "DEEP.DLL", "deep");
  }
  testsupport::TempFolder dir{"scan"};
  std::vector<FileVersionEntry> entries;
};

// Patterns match regardless of case; "*.*" takes names without an extension too, a bare
// name only with its dot; several patterns list each file once. Only a scan that finds
// something replaces the entries.
TEST_F(ScanTest, PatternsAndResults) {
  const std::set<std::string> all = {"KERNEL32.DLL", "user32.dll", "README", "SETUP.EX_", "a.b.c"}, kept = {"previous"};
  const struct {
    std::string folder;
    std::vector<std::string> patterns;
    ScanResult result;
    std::set<std::string> expected;
  } cases[] = {
      {dir.str(), {"*.DLL"}, ScanResult::Found, {"KERNEL32.DLL", "user32.dll"}},
      {dir.str(), {"*.dll"}, ScanResult::Found, {"KERNEL32.DLL", "user32.dll"}},
      {dir.str(), {"*.*"}, ScanResult::Found, all},
      {dir.str(), {"*.DLL", "K*", "*.*"}, ScanResult::Found, all},
      {dir.str(), {"README."}, ScanResult::Found, {"README"}},
      {dir.str(), {"README"}, ScanResult::NothingMatched, kept},
      {dir.str(), {"*.EXE"}, ScanResult::NothingMatched, kept},
      {dir.str(), {}, ScanResult::NoPatterns, kept},
      {"", {"*.*"}, ScanResult::NoFolder, kept},
      {"", {}, ScanResult::NoPatterns, kept},
      {dir.at("missing"), {"*.*"}, ScanResult::FolderMissing, kept},
      {dir.at("README"), {"*.*"}, ScanResult::FolderMissing, kept},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder + " " + (c.patterns.empty() ? "" : c.patterns[0]));
    entries.assign(1, {});
    entries[0].FullPath = "previous";
    entries[0].NamePos = 1;
    EXPECT_EQ(ScanFolder(c.folder, c.patterns, entries, kListFiles), c.result);
    EXPECT_EQ(names(entries), c.expected);
    EXPECT_EQ(entries.size(), c.expected.size());
  }
}

TEST_F(ScanTest, AllSixModes) {
  const std::pair<std::int16_t, std::set<std::string>> cases[] = {
      {1, {"sub"}},
      {2, {"KERNEL32.DLL", "user32.dll"}},
      {3, {"sub", "KERNEL32.DLL", "user32.dll", "INNER.DLL", "deeper", "DEEP.DLL"}},
      {4, {"sub", "deeper"}},
      {5, {"KERNEL32.DLL", "user32.dll", "INNER.DLL", "DEEP.DLL"}},
      {0, {"sub", "KERNEL32.DLL", "user32.dll"}},
      {9, {"sub", "KERNEL32.DLL", "user32.dll"}},
  };
  for (const auto& [mode, expected] : cases) {
    std::vector<FileVersionEntry> got;
    EXPECT_EQ(ScanFolder(dir.str(), {"*.DLL"}, got, mode), ScanResult::Found) << mode;
    EXPECT_EQ(names(got), expected) << "mode " << mode;
  }
  // A folder's entry has no extension, date or size.
  ASSERT_EQ(ScanFolder(dir.str(), {"*.*"}, entries, kListFolders), ScanResult::Found);
  const FileVersionEntry& e = entries.at(0);
  EXPECT_EQ(std::tie(e.FullPath, e.Attributes, e.Size, e.Ext, e.Date),
            std::tuple(dir.str() + sep + "sub", kAttrDirectory, 0, "", ""));
  // Subfolder entries come after their parents'.
  ASSERT_EQ(ScanFolder(dir.str(), {"*.DLL"}, entries, kListFilesDeep), ScanResult::Found);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[2].FullPath, dir.str() + sep + "sub" + sep + "INNER.DLL");
  EXPECT_EQ(entries[3].FullPath, dir.str() + sep + "sub" + sep + "deeper" + sep + "DEEP.DLL");
  EXPECT_EQ(entries[3].NamePos, static_cast<std::int32_t>(dir.str().size() + 13));
}

#if !defined(_WIN32)
TEST_F(ScanTest, LinkBackUpTheTreeDoesNotLoop) {
  fs::create_directory_symlink(dir.path(), dir.path() / "sub" / "loop");
  fs::create_directory_symlink(dir.path() / "sub", dir.path() / "sub" / "deeper" / "up");
  for (std::int16_t mode : {kListAllDeep, kListFoldersDeep, kListFilesDeep}) {
    EXPECT_EQ(ScanFolder(dir.str(), {"*.DLL"}, entries, mode), ScanResult::Found);
    EXPECT_LT(entries.size(), 20u);
  }
  EXPECT_EQ(names(entries), (std::set<std::string>{"KERNEL32.DLL", "user32.dll", "INNER.DLL", "DEEP.DLL"}));
}

TEST_F(ScanTest, DanglingLinksSpecialFilesAndUnholdableDatesAreSkippedAndReported) {
  fs::create_symlink(dir.path() / "nowhere.dll", dir.path() / "BROKEN.DLL");
  fs::create_symlink(dir.path() / "user32.dll", dir.path() / "LINKED.DLL");
  ASSERT_EQ(::mkfifo((dir.path() / "PIPE.DLL").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir.path() / "PIPE.TXT").c_str(), 0600), 0);  // no pattern takes it
  // A date of 1890, on tmpfs where one can be stored (ext4 with small inodes clamps it);
  // earlier years do not fit the library's file clock.
  const fs::path old = fs::path(fs::is_directory("/dev/shm") ? "/dev/shm" : dir.str()) /
                       ("quorvane-old-" + std::to_string(::getpid()));
  writeFile(old, "old");
  const auto year1890 = fs::file_time_type::clock::from_sys(std::chrono::system_clock::from_time_t(-2524521600));
  fs::last_write_time(old, year1890);
  fs::create_symlink(old, dir.path() / "OLD.DLL");
  std::vector<SkippedFile> skipped;
  ASSERT_EQ(ScanFolder(dir.str(), {"*.dll"}, entries, kListFiles, {}, &skipped), ScanResult::Found);
  std::set<std::pair<std::string, SkipReason>> got;
  for (const auto& s : skipped) got.insert({s.Path, s.Reason});
  std::set<std::pair<std::string, SkipReason>> expected = {{dir.at("BROKEN.DLL"), SkipReason::Missing},
                                                           {dir.at("PIPE.DLL"), SkipReason::NotAFile}};
  std::set<std::string> listed = {"KERNEL32.DLL", "user32.dll", "LINKED.DLL"};
  if (fs::last_write_time(old) == year1890) expected.insert({dir.at("OLD.DLL"), SkipReason::DateNotHeld});
  else listed.insert("OLD.DLL");
  fs::remove(old);
  EXPECT_EQ(names(entries), listed);
  EXPECT_EQ(got, expected);
}

// Files are examined on other threads while the listing goes on: far more files than the
// listing may run ahead of them still come out in the listing's own order, entries and
// skipped-file reports alike, each with its own stamp.
TEST_F(ScanTest, ManyFilesKeepTheListingOrder) {
  constexpr int kFiles = 1200;
  for (int i = 0; i < kFiles; ++i) {
    const std::string name = "M" + std::to_string(i) + ".DLL";
    if (i % 50 == 7) fs::create_symlink(dir.path() / "nowhere", dir.path() / name);
    else if (i % 90 == 11) ASSERT_EQ(::mkfifo((dir.path() / name).c_str(), 0600), 0);
    else dir.write(name, std::string(static_cast<std::size_t>(i), 'x'));
  }
  std::vector<std::string> listedOrder;
  std::vector<std::pair<std::string, SkipReason>> skippedOrder, gotSkipped;
  for (const auto& e : fs::directory_iterator(dir.path())) {
    const std::string name = e.path().filename().string();
    if (name.front() != 'M') continue;
    const int i = std::stoi(name.substr(1));
    if (i % 50 == 7) skippedOrder.emplace_back(name, SkipReason::Missing);
    else if (i % 90 == 11) skippedOrder.emplace_back(name, SkipReason::NotAFile);
    else listedOrder.push_back(name);
  }
  std::vector<SkippedFile> skipped;
  ASSERT_EQ(ScanFolder(dir.str(), {"m*.dll"}, entries, kListFiles, {}, &skipped), ScanResult::Found);
  std::vector<std::string> got;
  for (const auto& e : entries) {
    got.push_back(e.FullPath.substr(static_cast<std::size_t>(e.NamePos) - 1));
    EXPECT_EQ(e.Size, std::stoi(got.back().substr(1))) << got.back();
  }
  for (const auto& s : skipped) gotSkipped.emplace_back(fs::path(s.Path).filename().string(), s.Reason);
  EXPECT_EQ(got, listedOrder);
  EXPECT_EQ(gotSkipped, skippedOrder);
}

TEST_F(ScanTest, AttributesOfHiddenAndReadOnlyEntries) {
  dir.write(".hidden.dll", "h");
  dir.write("ro.dll", "r");
  fs::permissions(dir.path() / "ro.dll", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ASSERT_EQ(ScanFolder(dir.str(), {"*.dll"}, entries, kListFiles), ScanResult::Found);
  std::map<std::string, int> got;
  for (const auto& e : entries) got[e.FullPath.substr(static_cast<std::size_t>(e.NamePos) - 1)] = e.Attributes;
  EXPECT_EQ(got, (std::map<std::string, int>{{".hidden.dll", kAttrArchive | kAttrHidden},
                                             {"ro.dll", kAttrArchive | kAttrReadOnly},
                                             {"user32.dll", kAttrArchive},
                                             {"KERNEL32.DLL", kAttrArchive}}));
}

#endif

TEST_F(ScanTest, FilesOfTwoGibibytesAndMoreKeepTheirSize) {
  const fs::path big = dir.path() / "BIG.DLL";
  writeFile(big, std::string());
  std::error_code ec;
  fs::resize_file(big, (std::uintmax_t{3} << 30) + 5, ec);  // sparse where the file system allows
  if (ec) GTEST_SKIP() << "cannot make a large sparse file here: " << ec.message();
  ASSERT_EQ(ScanFolder(dir.str(), {"big.dll"}, entries, kListFiles), ScanResult::Found);
  EXPECT_EQ(entries[0].Size, (std::int64_t{3} << 30) + 5);
}

// A heartbeat (the turns a long listing gives its caller) due at every look at the clock
// that counts its turns in `turns` and asks to stop at turn `stopAt` (1-based; 0 never).
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
