#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include "extraction/extraction_run.h"
#include "extraction/support_run_folder.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testsupport::requestFor;
using testsupport::TempFolder;
using testsupport::writeDll;

// A tree of three levels, a link back to the top, and a file that is not compressed (which
// is all an expansion into the same subfolders needs: it is copied as it is).
class RecursiveRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.path() / "Sub" / "Deep");
    writeDll(dir, "TOP.DLL", {1, 0, 0, 0}, "1.0");
    writeDll(dir, "Sub/Mid.DLL", {2, 0, 0, 0}, "2.0");
    writeDll(dir, "Sub/Deep/LOW.dll", {3, 0, 0, 0}, "3.0");
    writeDll(dir, "Sub/Deep/PACKED.DL_", {4, 0, 0, 0}, "4.0");
    fs::create_directory_symlink(dir.path(), dir.path() / "Sub" / "Loop");
  }

  ExtractionRunReport run(bool recurse, const std::string& kind = "*.DLL", const std::string& expandTo = {}) {
    ExtractionRequest request = requestFor(dir.str(), kind, expandTo);
    request.Recurse = recurse;
    return ExtractVersionInfo(request, result, {});
  }

  TempFolder dir{"recurse"}, out{"recurse-out"};
  ExtractionResult result;
};

// Each folder is listed once, under the first name the scan meets it by; a recursive run
// names files by their paths below the top, with backslashes, and a flat run by the file
// name alone. Compressed files expand into the same subfolders.
TEST_F(RecursiveRunTest, NamesArePathsBelowTheTopWithBackslashes) {
  using Listed = std::vector<std::tuple<std::string, std::string, std::string>>;
  const struct {
    bool recurse;
    std::string kind, expandTo;
    Listed expected;  // display name, full path and fixed version, in display order
  } cases[] = {
      {false, "*.DLL", "", {{"top.dll", dir.at("TOP.DLL"), "1.0.0.0"}}},
      {true,
       "*.DLL",
       "",
       {{"sub\\deep\\low.dll", dir.at("Sub/Deep/LOW.dll"), "3.0.0.0"},
        {"sub\\mid.dll", dir.at("Sub/Mid.DLL"), "2.0.0.0"},
        {"top.dll", dir.at("TOP.DLL"), "1.0.0.0"}}},
      {true, "*.DL_", out.str(), {{"sub\\deep\\packed.dll", out.at("Sub/Deep/PACKED.DLL"), "4.0.0.0"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind + (c.recurse ? " recursive" : " flat"));
    const ExtractionRunReport report = run(c.recurse, c.kind, c.expandTo);
    ASSERT_EQ(report.Outcome, RunOutcome::Completed);
    EXPECT_TRUE(report.Skipped.empty());
    Listed listed;
    for (const std::int32_t i : result.Order) {
      const FileVersionEntry& e = result.Entries.at(static_cast<std::size_t>(i));
      listed.emplace_back(result.DisplayNames.at(static_cast<std::size_t>(i)), e.FullPath, e.FixedVersion);
    }
    EXPECT_EQ(listed, c.expected);
  }
}

#if !defined(_WIN32)
#endif

}  // namespace
}  // namespace quorvane
