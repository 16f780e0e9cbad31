#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "common/basDirUtil.h"
#include "extraction/extraction_run.h"
#include "extraction/extraction_texts.h"
#include "extraction/support_run_folder.h"
#include "extraction/support_run_recorder.h"
#include "support/files.h"
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
    testsupport::writeFile(dir.path() / "NOTES.TLB", std::string("not an image at all"));
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

TEST_F(ExtractionRunTest, CompletedRunReadsEveryFileOfTheKind) {
  const ExtractionRunReport report = ExtractVersionInfo(requestFor(dir.str(), kLibraries), result, reader, rec.callbacks());
  EXPECT_EQ(report.Scan, ScanResult::Found);
  EXPECT_EQ(report.Outcome, RunOutcome::Completed);
  EXPECT_TRUE(report.ExpansionFailures.empty());
  ASSERT_EQ(result.Entries.size(), 4u);
  EXPECT_EQ(result.LastIndex, 3);
  EXPECT_TRUE(result.ExtractionDone);

  EXPECT_EQ(entryNamed(result, "COMCTL32.DLL").FixedVersion, "5.80.2614.3600");
  EXPECT_EQ(entryNamed(result, "COMCTL32.DLL").StringVersion, "5.80");
  EXPECT_EQ(entryNamed(result, "msvbvm60.dll").FixedVersion, "6.0.97.82");
  EXPECT_EQ(entryNamed(result, "Grid.OCX").StringVersion, "1, 2, 3, 4");
  // A file without version information stays in the result, with empty versions.
  EXPECT_EQ(entryNamed(result, "NOTES.TLB").FixedVersion, "");
  EXPECT_EQ(entryNamed(result, "NOTES.TLB").StringVersion, "");
  EXPECT_EQ(entryNamed(result, "NOTES.TLB").Size, 19);

  // Display names are lower-cased and ordered without regard to case.
  EXPECT_EQ(namesInOrder(result), (std::vector<std::string>{"COMCTL32.DLL", "Grid.OCX", "msvbvm60.dll", "NOTES.TLB"}));
  ASSERT_EQ(result.DisplayNames.size(), 4u);
  for (std::size_t k = 0; k < 4; ++k) {
    const std::string& shown = result.DisplayNames[static_cast<std::size_t>(result.Order[k])];
    EXPECT_EQ(shown, (std::vector<std::string>{"comctl32.dll", "grid.ocx", "msvbvm60.dll", "notes.tlb"})[k]);
  }

  EXPECT_TRUE(std::regex_match(result.RunDate, std::regex(R"(\d\d/\d\d/\d\d)"))) << result.RunDate;
  EXPECT_TRUE(std::regex_match(result.RunTime, std::regex(R"(\d\d:\d\d:\d\d)"))) << result.RunTime;
  EXPECT_EQ(result.RunFolder, dir.str());
  EXPECT_EQ(result.RunKind, kLibraries);
  EXPECT_FALSE(result.HasDoubleByteNames);
}

TEST_F(ExtractionRunTest, ProgressCaptionsCountsAndStatusTexts) {
  ExtractVersionInfo(requestFor(dir.str(), "*.DLL *.OCX"), result, reader, rec.callbacks());
  EXPECT_EQ(rec.counts, (std::vector<std::string>{"1/3", "2/3", "3/3"}));
  EXPECT_EQ(rec.captions, (std::vector<std::string>{"バージョン情報抽出中 ", "バージョン情報抽出中 ", "バージョン情報抽出完了 "}));
  ASSERT_EQ(rec.fractions.size(), 3u);
  EXPECT_FLOAT_EQ(rec.fractions[0], 1.0f / 3.0f);
  EXPECT_FLOAT_EQ(rec.fractions[1], 2.0f / 3.0f);
  EXPECT_FLOAT_EQ(rec.fractions[2], 1.0f);
  EXPECT_EQ(rec.statuses,
            (std::vector<std::string>{"ファイル一覧取得中", "", "1/3", "2/3", "3/3", "バージョン情報抽出完了 "}));
  // One query per file and one after the last.
  EXPECT_EQ(rec.cancelQueries, 4);
}

TEST_F(ExtractionRunTest, ScanThatStopsTheRunLeavesThePreviousResultWhole) {
  result = completedRun(dir.str(), kLibraries);
  const ExtractionResult before = result;
  testsupport::TempFolder empty{"run_empty"};
  testsupport::writeFile(empty.path() / "other.txt", "x");

  struct Case {
    ExtractionRequest request;
    ScanResult scan;
  };
  const std::vector<Case> cases = {
      {requestFor((dir.path() / "missing").string(), kLibraries), ScanResult::FolderMissing},
      {requestFor("", kLibraries), ScanResult::NoFolder},
      {requestFor(empty.str(), kLibraries), ScanResult::NothingMatched},
      {requestFor(dir.str(), ""), ScanResult::NoPatterns},
  };
  for (const Case& c : cases) {
    RunRecorder r;
    const ExtractionRunReport report = ExtractVersionInfo(c.request, result, reader, r.callbacks());
    EXPECT_EQ(report.Scan, c.scan);
    EXPECT_EQ(report.Outcome, RunOutcome::ScanStopped);
    EXPECT_EQ(r.statuses, (std::vector<std::string>{"ファイル一覧取得中", "", "バージョン情報抽出は出来ませんでした"}));
    EXPECT_TRUE(r.counts.empty());
    testsupport::expectSameResult(result, before);
  }
}

TEST_F(ExtractionRunTest, CancelAtFileKeepsTheLastCompletedRunStamp) {
  result = completedRun(dir.str(), "*.OCX");
  const ExtractionResult before = result;
  rec.cancelAtQuery = 2;  // the user presses cancel while file 1 is read: seen before file 2
  const ExtractionRunReport report =
      ExtractVersionInfo(requestFor(dir.str(), kLibraries), result, reader, rec.callbacks());
  EXPECT_EQ(report.Outcome, RunOutcome::Cancelled);
  EXPECT_FALSE(result.ExtractionDone);
  EXPECT_EQ(rec.counts, (std::vector<std::string>{"1/4", "2/4"}));
  EXPECT_EQ(rec.statuses,
            (std::vector<std::string>{"ファイル一覧取得中", "", "1/4", "バージョン情報抽出を中止しました"}));
  // The new entries are there; only the first file was read, the list shows nothing.
  ASSERT_EQ(result.Entries.size(), 4u);
  EXPECT_EQ(result.LastIndex, 3);
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(result.Entries[i].FixedVersion, "") << i;
    EXPECT_EQ(result.Entries[i].StringVersion, "") << i;
  }
  EXPECT_TRUE(result.Order.empty());
  EXPECT_TRUE(result.DisplayNames.empty());
  EXPECT_EQ(result.RunDate, before.RunDate);
  EXPECT_EQ(result.RunTime, before.RunTime);
  EXPECT_EQ(result.RunFolder, before.RunFolder);
  EXPECT_EQ(result.RunKind, "*.OCX");
}

// A cancel seen before the first file reads nothing; one seen after the last file still
// cancels: the versions are read but not shown.
TEST_F(ExtractionRunTest, CancelBeforeTheFirstOrAfterTheLastFile) {
  for (const int at : {1, 5}) {
    RunRecorder r;
    ExtractionResult got;
    r.cancelAtQuery = at;
    EXPECT_EQ(ExtractVersionInfo(requestFor(dir.str(), kLibraries), got, reader, r.callbacks()).Outcome,
              RunOutcome::Cancelled);
    EXPECT_EQ(r.cancelQueries, at);
    EXPECT_EQ(r.statuses.back(), "バージョン情報抽出を中止しました");
    EXPECT_FALSE(got.ExtractionDone);
    EXPECT_TRUE(got.RunDate.empty());
    EXPECT_TRUE(got.Order.empty());
    EXPECT_EQ(entryNamed(got, "COMCTL32.DLL").FixedVersion, at == 1 ? "" : "5.80.2614.3600");
  }
}

TEST_F(ExtractionRunTest, ProgressThatCannotBeShownAbandonsAtOnce) {
  result = completedRun(dir.str(), "*.OCX");
  rec.refuseAtFile = 2;
  EXPECT_EQ(ExtractVersionInfo(requestFor(dir.str(), kLibraries), result, reader, rec.callbacks()).Outcome,
            RunOutcome::Abandoned);
  EXPECT_EQ(rec.counts.size(), 2u);
  EXPECT_EQ(rec.cancelQueries, 1);  // nothing is asked after the refused update
  EXPECT_EQ(rec.statuses, (std::vector<std::string>{"ファイル一覧取得中", "", "1/4"}));
  EXPECT_FALSE(result.ExtractionDone);
  EXPECT_TRUE(result.Order.empty());
  EXPECT_EQ(result.RunKind, "*.OCX");
}

TEST_F(ExtractionRunTest, NewRunReplacesVersionsOfAnEarlierOne) {
  result = completedRun(dir.str(), kLibraries);
  writeDll(dir, "COMCTL32.DLL", {5, 81, 0, 0}, "5.81");
  testsupport::writeFile(dir.path() / "Grid.OCX", std::string("no longer an image"));
  result = completedRun(dir.str(), kLibraries);
  EXPECT_EQ(entryNamed(result, "COMCTL32.DLL").FixedVersion, "5.81.0.0");
  EXPECT_EQ(entryNamed(result, "Grid.OCX").FixedVersion, "");
  EXPECT_EQ(entryNamed(result, "Grid.OCX").StringVersion, "");
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

TEST_F(ExtractionRunTest, RunWithoutCallbacksOrOwnReader) {
  const ExtractionRunReport report = ExtractVersionInfo(requestFor(dir.str(), "*.OCX"), result, {});
  EXPECT_EQ(report.Outcome, RunOutcome::Completed);
  EXPECT_EQ(entryNamed(result, "Grid.OCX").FixedVersion, "1.2.3.4");
}

}  // namespace
}  // namespace quorvane
