#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "common/basDirUtil.h"
#include "extraction/extraction_run.h"
#include "extraction/support_run_folder.h"
#include "support/files.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testsupport::requestFor;
using testsupport::TempFolder;
using testsupport::writeDll;

// A tree of three levels, a link back to the top and one to a sibling folder: each
// folder is listed once, under the first name the scan meets it by.
class RecursiveRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeDll(dir, "TOP.DLL", {1, 0, 0, 0}, "1.0");
    fs::create_directories(dir.path() / "Sub" / "Deep");
    writeDll(dir, "Sub/Mid.DLL", {2, 0, 0, 0}, "2.0");
    writeDll(dir, "Sub/Deep/LOW.dll", {3, 0, 0, 0}, "3.0");
    fs::create_directory_symlink(dir.path(), dir.path() / "Sub" / "Loop");
  }

  ExtractionRunReport run(bool recurse, const std::string& kind = "*.DLL", const std::string& expandTo = {}) {
    ExtractionRequest request = requestFor(dir.str(), kind, expandTo);
    request.Recurse = recurse;
    return ExtractVersionInfo(request, result, {});
  }

  // Display name and full path of each entry, in display order.
  std::vector<std::pair<std::string, std::string>> listed() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const std::int32_t i : result.Order)
      out.emplace_back(result.DisplayNames[static_cast<std::size_t>(i)],
                       result.Entries[static_cast<std::size_t>(i)].FullPath);
    return out;
  }

  TempFolder dir{"recurse"};
  ExtractionResult result;
};

TEST_F(RecursiveRunTest, NamesArePathsBelowTheTopWithBackslashes) {
  struct Case {
    bool recurse;
    std::vector<std::pair<std::string, std::string>> expected;
  };
  const Case cases[] = {
      // A flat run names files exactly as before: the file name alone.
      {false, {{"top.dll", dir.at("TOP.DLL")}}},
      {true,
       {{"sub\\deep\\low.dll", dir.at("Sub/Deep/LOW.dll")},
        {"sub\\mid.dll", dir.at("Sub/Mid.DLL")},
        {"top.dll", dir.at("TOP.DLL")}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.recurse ? "recursive" : "flat");
    const ExtractionRunReport report = run(c.recurse);
    ASSERT_EQ(report.Outcome, RunOutcome::Completed);
    EXPECT_TRUE(report.Skipped.empty());
    EXPECT_EQ(listed(), c.expected);
  }
  EXPECT_EQ(basDirUtil::FileNamePart(result.Entries[static_cast<std::size_t>(result.Order[0])].FullPath), "LOW.dll");
}

TEST_F(RecursiveRunTest, CompressedFilesExpandIntoTheSameSubfolders) {
  // A file that is not compressed is copied as it is, which is all this needs.
  writeDll(dir, "Sub/Deep/PACKED.DL_", {4, 0, 0, 0}, "4.0");
  TempFolder out{"recurse-out"};
  ASSERT_EQ(run(true, "*.DL_", out.str()).Outcome, RunOutcome::Completed);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"sub\\deep\\packed.dll", out.at("Sub/Deep/PACKED.DLL")}};
  EXPECT_EQ(listed(), expected);
  EXPECT_EQ(result.Entries[0].FixedVersion, "4.0.0.0");
}

#if !defined(_WIN32)
TEST_F(RecursiveRunTest, UnreadableSubfolderIsReportedAndTheRunGoesOn) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  fs::create_directory(dir.path() / "Locked");
  writeDll(dir, "Locked/HIDDEN.DLL", {5, 0, 0, 0}, "5.0");
  fs::permissions(dir.path() / "Locked", fs::perms::owner_all, fs::perm_options::remove);
  const ExtractionRunReport report = run(true);
  ASSERT_EQ(report.Outcome, RunOutcome::Completed);
  ASSERT_EQ(report.Skipped.size(), 1u);
  EXPECT_EQ(report.Skipped[0].Path, dir.at("Locked"));
  EXPECT_EQ(report.Skipped[0].Reason, SkipReason::AccessDenied);
  EXPECT_EQ(result.Entries.size(), 3u);
}
#endif

}  // namespace
}  // namespace quorvane
