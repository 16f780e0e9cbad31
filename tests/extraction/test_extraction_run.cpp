#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "common/basDirUtil.h"
#include "extraction/extraction_run.h"
#include "extraction/extraction_texts.h"
#include "extraction/support_run_folder.h"
#include "extraction/support_run_recorder.h"
#include "support/temp_folder.h"
#include "version/clsFileVersion.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using basDirUtil::ScanResult;
using testsupport::entryNamed;
using testsupport::namesInOrder;
using testsupport::requestFor;
using testsupport::RunRecorder;
using testsupport::writeDll;

constexpr const char* kLibraries = "*.DLL *.OCX *.OLB *.TLB";

// Three libraries with version information, one without, and one file of another kind.
class ExtractionRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeDll(dir, "COMCTL32.DLL", {5, 80, 2614, 3600}, "5.80");
    writeDll(dir, "msvbvm60.dll", {6, 0, 97, 82}, "6.00.9782");
    writeDll(dir, "Grid.OCX", {1, 2, 3, 4}, "1, 2, 3, 4");
    dir.write("NOTES.TLB", "not an image at all");
    writeDll(dir, "SETUP.EXE", {9, 9, 9, 9}, "9");
  }

  // A completed run over `folder`, so that later runs have a previous result to keep.
  ExtractionResult completedRun(const std::string& folder, const std::string& kind) {
    ExtractionResult r;
    const ExtractionRunReport report = ExtractVersionInfo(requestFor(folder, kind), r, reader, {});
    EXPECT_EQ(report.Outcome, RunOutcome::Completed);
    return r;
  }

  testsupport::TempFolder dir{"run"};
  clsFileVersion reader;
  ExtractionResult result;
  RunRecorder rec;
};

// Each way a run can end, after a completed run of another kind: what the front end was
// told, and what is left of the previous result. A scan that stops the run leaves it
// whole; a cancel (seen before the first file, between files or after the last) or a
// progress display that cannot be shown keeps the new entries, read up to there, but
// shows nothing and keeps the previous run's stamp.
TEST_F(ExtractionRunTest, Outcomes) {
  const std::string listing = "ファイル一覧取得中", failed = "バージョン情報抽出は出来ませんでした",
                    cancelled = "バージョン情報抽出を中止しました", done = "バージョン情報抽出完了 ";
  testsupport::TempFolder empty{"run_empty"};
  empty.write("other.txt", "x");
  using Texts = std::vector<std::string>;
  const struct {
    std::string folder, kind;
    int cancelAt, refuseAt;
    RunOutcome outcome;
    ScanResult scan;
    Texts statuses, counts;
    int cancelQueries;
    std::size_t read;  // entries (in listing order) whose versions were read
  } cases[] = {
      {dir.str(), "*.DLL *.OCX", 0, 0, RunOutcome::Completed, ScanResult::Found,
       {listing, "", "1/3", "2/3", "3/3", done}, {"1/3", "2/3", "3/3"}, 4, 3},  // one query per file, one after
      {dir.at("missing"), kLibraries, 0, 0, RunOutcome::ScanStopped, ScanResult::FolderMissing,
       {listing, "", failed}, {}, 0, 0},
      {"", kLibraries, 0, 0, RunOutcome::ScanStopped, ScanResult::NoFolder, {listing, "", failed}, {}, 0, 0},
      {empty.str(), kLibraries, 0, 0, RunOutcome::ScanStopped, ScanResult::NothingMatched,
       {listing, "", failed}, {}, 0, 0},
      {dir.str(), "", 0, 0, RunOutcome::ScanStopped, ScanResult::NoPatterns, {listing, "", failed}, {}, 0, 0},
      {dir.str(), kLibraries, 1, 0, RunOutcome::Cancelled, ScanResult::Found, {listing, "", cancelled}, {"1/4"}, 1, 0},
      {dir.str(), kLibraries, 2, 0, RunOutcome::Cancelled, ScanResult::Found,
       {listing, "", "1/4", cancelled}, {"1/4", "2/4"}, 2, 1},  // cancel pressed while file 1 is read
      {dir.str(), kLibraries, 5, 0, RunOutcome::Cancelled, ScanResult::Found,
       {listing, "", "1/4", "2/4", "3/4", "4/4", cancelled}, {"1/4", "2/4", "3/4", "4/4"}, 5, 4},
      {dir.str(), kLibraries, 0, 2, RunOutcome::Abandoned, ScanResult::Found,
       {listing, "", "1/4"}, {"1/4", "2/4"}, 1, 1},  // nothing is asked after the refused update
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind + " in " + c.folder + ", cancel " + std::to_string(c.cancelAt));
    result = completedRun(dir.str(), "*.OCX");
    const ExtractionResult before = result;
    RunRecorder r;
    r.cancelAtQuery = c.cancelAt;
    r.refuseAtFile = c.refuseAt;
    const ExtractionRunReport report = ExtractVersionInfo(requestFor(c.folder, c.kind), result, reader, r.callbacks());
    EXPECT_EQ(report.Outcome, c.outcome);
    EXPECT_EQ(report.Scan, c.scan);
    EXPECT_EQ(r.statuses, c.statuses);
    EXPECT_EQ(r.counts, c.counts);
    EXPECT_EQ(r.cancelQueries, c.cancelQueries);
    if (c.outcome == RunOutcome::ScanStopped) {
      testsupport::expectSameResult(result, before);
      continue;
    }
    for (std::size_t i = c.read; i < result.Entries.size(); ++i)
      EXPECT_EQ(result.Entries[i].FixedVersion + result.Entries[i].StringVersion, "") << i;
    if (c.outcome == RunOutcome::Completed) {
      EXPECT_TRUE(result.ExtractionDone);
      EXPECT_EQ(r.captions, (Texts{"バージョン情報抽出中 ", "バージョン情報抽出中 ", done}));
      EXPECT_EQ(r.fractions, (std::vector<float>{1.0f / 3.0f, 2.0f / 3.0f, 1.0f}));
      continue;
    }
    EXPECT_EQ(result.LastIndex, 3);
    if (c.read == 4) {
      EXPECT_EQ(entryNamed(result, "COMCTL32.DLL").FixedVersion, "5.80.2614.3600");
    }
    EXPECT_FALSE(result.ExtractionDone);
    EXPECT_TRUE(result.Order.empty());
    EXPECT_TRUE(result.DisplayNames.empty());
    EXPECT_EQ(std::tie(result.RunDate, result.RunTime, result.RunFolder, result.RunKind),
              std::tie(before.RunDate, before.RunTime, before.RunFolder, before.RunKind));
  }
}

#if !defined(_WIN32)
// A file the record cannot describe honestly is left out and reported by name, and the
// run goes on with the rest. LATE.DLL turns into a FIFO after the listing: it is
// refused at once, never waited on.
TEST_F(ExtractionRunTest, UnreadableFilesAndUnwritableNamesAreLeftOutAndReported) {
  const std::set<std::pair<std::string, SkipReason>> hostile = {
      {"TAB\tNAME.DLL", SkipReason::NameNotText}, {"LINE\nBREAK.DLL", SkipReason::NameNotText},
      {"CR\rNAME.DLL", SkipReason::NameNotText},  {"BAD\xFF.DLL", SkipReason::NameNotText},
      {"LATE.DLL", SkipReason::NotAFile}};
  for (const auto& [name, why] : hostile) writeDll(dir, name, {1, 0, 0, 0}, "1");
  ExtractionCallbacks cb;
  cb.progress = [&](float, const std::string&, const std::string&) {
    if (fs::is_regular_file(dir.path() / "LATE.DLL")) {
      fs::remove(dir.path() / "LATE.DLL");
      EXPECT_EQ(::mkfifo((dir.path() / "LATE.DLL").c_str(), 0600), 0);
    }
    return true;
  };
  // One thread, so that no file is read ahead of the swap.
  ExtractionRequest request = requestFor(dir.str(), kLibraries);
  request.ReadThreads = 1;
  const ExtractionRunReport report = ExtractVersionInfo(request, result, reader, cb);
  EXPECT_EQ(report.Outcome, RunOutcome::Completed);
  std::set<std::pair<std::string, SkipReason>> got;
  for (const auto& skipped : report.Skipped) got.insert({skipped.Path.substr(dir.str().size() + 1), skipped.Reason});
  EXPECT_EQ(got, hostile);
  EXPECT_TRUE(report.incomplete());
  EXPECT_TRUE(result.ExtractionDone);
  EXPECT_EQ(namesInOrder(result), (std::vector<std::string>{"COMCTL32.DLL", "Grid.OCX", "msvbvm60.dll", "NOTES.TLB"}));
  EXPECT_EQ(result.LastIndex, 3);
}
#endif

}  // namespace
}  // namespace quorvane
