#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "extraction/extraction_run.h"
#include "extraction/support_run_folder.h"
#include "support/temp_folder.h"
#include "version/clsFileVersion.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testsupport::requestFor;
using testsupport::RunRecorder;
using testsupport::TempFolder;
using testsupport::writeDll;

// A tree of three levels, a link back to the top, and a file that is not compressed (which
// is all an expansion into the same subfolders needs: it is copied as it is). Each folder
// is listed once, under the first name the scan meets it by; a recursive run names files
// by their paths below the top, with backslashes, and a flat run by the file name alone.
// Compressed files expand into the same subfolders.
TEST(RecursiveRunTest, NamesArePathsBelowTheTopWithBackslashes) {
  TempFolder dir{"recurse"}, out{"recurse-out"};
  fs::create_directories(dir.path() / "Sub" / "Deep");
  writeDll(dir, "TOP.DLL", {1, 0, 0, 0}, "1.0");
  writeDll(dir, "Sub/Mid.DLL", {2, 0, 0, 0}, "2.0");
  writeDll(dir, "Sub/Deep/LOW.dll", {3, 0, 0, 0}, "3.0");
  writeDll(dir, "Sub/Deep/PACKED.DL_", {4, 0, 0, 0}, "4.0");
  fs::create_directory_symlink(dir.path(), dir.path() / "Sub" / "Loop");
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
  ExtractionResult result;  // one for every row, as a front end keeps it
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind + (c.recurse ? " recursive" : " flat"));
    ExtractionRequest request = requestFor(dir.str(), c.kind, c.expandTo);
    request.Recurse = c.recurse;
    const ExtractionRunReport report = ExtractVersionInfo(request, result, {});
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

// Everything a run shows a front end, with the thread each callback came from.
struct RunTrace {
  ExtractionResult result;
  ExtractionRunReport report;
  RunRecorder recorder;
  std::vector<std::string> fileReads;  // "index path fixed-version" per fileRead call
  bool allOnCallerThread = true;

  RunTrace(const std::string& folder, unsigned threads, int cancelAtQuery) {
    ExtractionRequest request = requestFor(folder, "*.*");
    request.Recurse = true;
    request.ReadThreads = threads;
    recorder.cancelAtQuery = cancelAtQuery;
    ExtractionCallbacks cb = recorder.callbacks();
    const std::thread::id caller = std::this_thread::get_id();
    cb.progress = [this, caller, progress = cb.progress](float f, const std::string& caption, const std::string& n) {
      allOnCallerThread &= std::this_thread::get_id() == caller;
      return progress(f, caption, n);
    };
    cb.fileRead = [this, caller](std::size_t i, clsFileVersion& reader) {
      allOnCallerThread &= std::this_thread::get_id() == caller;
      fileReads.push_back(std::to_string(i) + " " + reader.FileName() + " " + reader.FixedFileInfo().FileVersion());
    };
    report = ExtractVersionInfo(request, result, cb);
  }
  // What the front end saw, but the run's clock stamp.
  auto shown() {
    std::vector<std::string> skipped;
    for (const SkippedFile& s : report.Skipped) skipped.push_back(s.Path);
    return std::tuple(report.Outcome, recorder.statuses, recorder.counts, recorder.captions, recorder.cancelQueries,
                      fileReads, skipped, allOnCallerThread);
  }
};

// A generated folder: libraries of many versions in two levels, files without version
// information, a link to a library, and a name no record can carry, a pipe and a dangling
// link (left out). A pool of any size shows what one thread shows, all on the caller's
// thread, whether the run completes or is cancelled; a run without callbacks, whose files
// are read while the folder is listed, gives the same result and the same skips.
TEST(ParallelRun, PoolShowsWhatOneThreadShows) {
  TempFolder dir{"parallel"};
  fs::create_directories(dir.path() / "sub");
  for (std::uint16_t n = 0; n < 40; ++n) {
    const std::string name = (n % 3 == 0 ? "sub/" : "") + std::string("LIB") + std::to_string(n) + ".DLL";
    writeDll(dir, name, {1, n, 0, static_cast<std::uint16_t>(n * 7)}, std::to_string(n));
    if (n % 5 == 0) dir.write("PLAIN" + std::to_string(n) + ".TXT", std::string(n, 'x'));
  }
  writeDll(dir, "TAB\tNAME.DLL", {9, 9, 9, 9}, "9");
  fs::create_symlink(dir.path() / "LIB1.DLL", dir.path() / "sub" / "LINKED.DLL");
  fs::create_symlink(dir.path() / "nowhere.dll", dir.path() / "GONE.DLL");
  ASSERT_EQ(::mkfifo((dir.path() / "sub" / "PIPE.DLL").c_str(), 0600), 0);
  for (const auto& [cancelAt, outcome] : {std::pair(0, RunOutcome::Completed), std::pair(17, RunOutcome::Cancelled)}) {
    SCOPED_TRACE(cancelAt);
    RunTrace single(dir.str(), 1, cancelAt);
    ASSERT_EQ(single.report.Outcome, outcome);
    EXPECT_TRUE(single.allOnCallerThread);
    // The run went through the files it should have: all of them, or up to the cancel.
    EXPECT_EQ(single.recorder.counts.size(), cancelAt == 0 ? 50u : 17u);
    if (cancelAt == 0) {
      EXPECT_EQ(single.fileReads.size(), 49u);
      EXPECT_EQ(single.report.Skipped.size(), 3u);
      for (const unsigned threads : {2u, 4u}) {
        ExtractionRequest request = requestFor(dir.str(), "*.*");
        request.Recurse = true;
        request.ReadThreads = threads;
        ExtractionResult quiet;
        const ExtractionRunReport report = ExtractVersionInfo(request, quiet, ExtractionCallbacks{});
        quiet.RunTime = single.result.RunTime;
        quiet.RunDate = single.result.RunDate;
        testsupport::expectSameResult(quiet, single.result);
        ASSERT_EQ(report.Skipped.size(), single.report.Skipped.size());
        for (std::size_t k = 0; k < report.Skipped.size(); ++k) {
          EXPECT_EQ(report.Skipped[k].Path, single.report.Skipped[k].Path);
          EXPECT_EQ(report.Skipped[k].Reason, single.report.Skipped[k].Reason);
        }
      }
    }
    for (const unsigned threads : {2u, 4u, 8u}) {
      SCOPED_TRACE(threads);
      RunTrace pooled(dir.str(), threads, cancelAt);
      pooled.result.RunTime = single.result.RunTime;  // the clock may have moved on
      pooled.result.RunDate = single.result.RunDate;
      testsupport::expectSameResult(pooled.result, single.result);
      EXPECT_EQ(pooled.shown(), single.shown());
    }
  }
}

}  // namespace
}  // namespace quorvane
