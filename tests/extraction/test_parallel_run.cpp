#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "extraction/extraction_run.h"
#include "extraction/support_run_folder.h"
#include "extraction/support_run_recorder.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "version/clsFileVersion.h"

namespace quorvane {
namespace {

using testsupport::requestFor;
using testsupport::RunRecorder;
using testsupport::TempFolder;

// Everything a run shows a front end, with the thread each callback came from.
struct RunTrace {
  ExtractionResult result;
  ExtractionRunReport report;
  RunRecorder recorder;
  std::vector<std::string> fileReads;  // "index path fixed-version" per fileRead call
  bool allOnCallerThread = true;
};

void runWith(const std::string& folder, unsigned threads, int cancelAtQuery, RunTrace& trace) {
  ExtractionRequest request = requestFor(folder, "*.*");
  request.Recurse = true;
  request.ReadThreads = threads;
  trace.recorder.cancelAtQuery = cancelAtQuery;
  ExtractionCallbacks cb = trace.recorder.callbacks();
  const std::thread::id caller = std::this_thread::get_id();
  const auto onCaller = [&trace, caller] { trace.allOnCallerThread &= std::this_thread::get_id() == caller; };
  const auto progress = cb.progress;
  cb.progress = [&, progress](float f, const std::string& caption, const std::string& count) {
    onCaller();
    return progress(f, caption, count);
  };
  cb.fileRead = [&](std::size_t i, clsFileVersion& reader) {
    onCaller();
    trace.fileReads.push_back(std::to_string(i) + " " + reader.FileName() + " " +
                              reader.FixedFileInfo().FileVersion());
  };
  trace.report = ExtractVersionInfo(request, trace.result, cb);
}

// A generated folder: libraries of many versions in two levels, files without version
// information and a name no record can carry (left out).
class ParallelRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir.path() / "sub");
    for (std::uint16_t n = 0; n < 40; ++n) {
      const std::string name = (n % 3 == 0 ? "sub/" : "") + std::string("LIB") + std::to_string(n) + ".DLL";
      testsupport::writeDll(dir, name, {1, n, 0, static_cast<std::uint16_t>(n * 7)}, std::to_string(n));
      if (n % 5 == 0) testsupport::writeFile(dir.path() / ("PLAIN" + std::to_string(n) + ".TXT"), std::string(n, 'x'));
    }
    testsupport::writeDll(dir, "TAB\tNAME.DLL", {9, 9, 9, 9}, "9");
  }

  TempFolder dir{"parallel"};
};

TEST_F(ParallelRunTest, PoolShowsWhatOneThreadShows) {
  struct Case {
    int cancelAtQuery;
    RunOutcome outcome;
  };
  const Case cases[] = {{0, RunOutcome::Completed}, {17, RunOutcome::Cancelled}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cancelAtQuery);
    RunTrace single;
    runWith(dir.str(), 1, c.cancelAtQuery, single);
    ASSERT_EQ(single.report.Outcome, c.outcome);
    for (const unsigned threads : {2u, 4u, 8u}) {
      SCOPED_TRACE(threads);
      RunTrace pooled;
      runWith(dir.str(), threads, c.cancelAtQuery, pooled);
      EXPECT_EQ(pooled.report.Outcome, c.outcome);
      pooled.result.RunTime = single.result.RunTime;  // the clock may have moved on
      pooled.result.RunDate = single.result.RunDate;
      testsupport::expectSameResult(pooled.result, single.result);
      EXPECT_EQ(pooled.recorder.statuses, single.recorder.statuses);
      EXPECT_EQ(pooled.recorder.counts, single.recorder.counts);
      EXPECT_EQ(pooled.recorder.captions, single.recorder.captions);
      EXPECT_EQ(pooled.recorder.cancelQueries, single.recorder.cancelQueries);
      EXPECT_EQ(pooled.fileReads, single.fileReads);
      ASSERT_EQ(pooled.report.Skipped.size(), single.report.Skipped.size());
      for (std::size_t k = 0; k < single.report.Skipped.size(); ++k)
        EXPECT_EQ(pooled.report.Skipped[k].Path, single.report.Skipped[k].Path);
      EXPECT_TRUE(pooled.allOnCallerThread);
    }
    // The run went through the files it should have: all of them, or up to the cancel.
    EXPECT_EQ(single.recorder.counts.size(), c.cancelAtQuery == 0 ? 49u : 17u);
    if (c.cancelAtQuery == 0) {
      EXPECT_EQ(single.fileReads.size(), 48u);
    }
  }
}

}  // namespace
}  // namespace quorvane
