// The run's turns while the folder is listed, and a cancel given in one of them.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "extraction/extraction_run.h"
#include "extraction/extraction_texts.h"
#include "extraction/support_run_folder.h"
#include "extraction/support_run_recorder.h"
#include "extraction/support_temp_folder.h"
#include "version/clsFileVersion.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;
using basDirUtil::ScanResult;
using testsupport::requestFor;
using testsupport::RunRecorder;

constexpr int kFiles = 200;

class ListingTurnsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < kFiles; ++i) testsupport::writeFile(big.path() / ("N" + std::to_string(i) + ".DLL"), std::string("x"));
    testsupport::writeDll(small, "ONE.DLL", {1, 0, 0, 0}, "1.0");
    testsupport::writeDll(small, "TWO.DLL", {2, 0, 0, 0}, "2.0");
  }

  // The recorder's callbacks plus a listing turn, due at every look at the clock, that
  // notes the status text it sees and answers "cancel" from turn `cancelAt` on.
  ExtractionCallbacks withListing(int cancelAt = 0) {
    ExtractionCallbacks cb = rec.callbacks();
    cb.listingInterval = 0ms;
    cb.listing = [this, cancelAt] {
      statusAtTurn.push_back(rec.statuses.empty() ? std::string() : rec.statuses.back());
      return cancelAt == 0 || static_cast<int>(statusAtTurn.size()) < cancelAt;
    };
    return cb;
  }

  testsupport::TempFolder big{"listing-big"};
  testsupport::TempFolder small{"listing-small"};
  clsFileVersion reader;
  ExtractionResult result;
  RunRecorder rec;
  std::vector<std::string> statusAtTurn;
};

TEST_F(ListingTurnsTest, TurnsComeWhileTheListingStatusShowsAndTheRunGoesOn) {
  const ExtractionRunReport report = ExtractVersionInfo(requestFor(big.str(), "*.DLL"), result, reader, withListing());
  EXPECT_EQ(report.Outcome, RunOutcome::Completed);
  EXPECT_EQ(statusAtTurn.size(), static_cast<std::size_t>(kFiles / basDirUtil::kHeartbeatStride));
  for (const std::string& status : statusAtTurn) EXPECT_EQ(status, extractionText::kListing);
  EXPECT_EQ(rec.fractions.size(), static_cast<std::size_t>(kFiles));
  EXPECT_TRUE(result.ExtractionDone);
  EXPECT_EQ(result.Order.size(), static_cast<std::size_t>(kFiles));
}

TEST_F(ListingTurnsTest, ACancelWhileListingEndsTheRunAsCancelledWithoutTakingTheListing) {
  ASSERT_EQ(ExtractVersionInfo(requestFor(small.str(), "*.DLL"), result, reader, {}).Outcome, RunOutcome::Completed);
  const ExtractionResult previous = result;

  const ExtractionRunReport report = ExtractVersionInfo(requestFor(big.str(), "*.DLL"), result, reader, withListing(2));
  EXPECT_EQ(report.Scan, ScanResult::Stopped);
  EXPECT_EQ(report.Outcome, RunOutcome::Cancelled);
  EXPECT_EQ(statusAtTurn.size(), 2u);  // no turn after the cancel
  EXPECT_TRUE(rec.fractions.empty());  // no file was started
  EXPECT_EQ(rec.statuses, (std::vector<std::string>{extractionText::kListing, "", extractionText::kCancelled}));

  // A cancelled result: not done and not shown; nothing of the unfinished listing in it.
  EXPECT_FALSE(result.ExtractionDone);
  EXPECT_TRUE(result.DisplayNames.empty());
  EXPECT_TRUE(result.Order.empty());
  ASSERT_EQ(result.Entries.size(), previous.Entries.size());
  for (std::size_t i = 0; i < previous.Entries.size(); ++i)
    EXPECT_EQ(result.Entries[i].FullPath, previous.Entries[i].FullPath);
  EXPECT_EQ(result.LastIndex, previous.LastIndex);
  // The last completed run's stamp stays.
  EXPECT_EQ(result.RunFolder, previous.RunFolder);
  EXPECT_EQ(result.RunKind, previous.RunKind);
  EXPECT_EQ(result.RunDate, previous.RunDate);
  EXPECT_EQ(result.RunTime, previous.RunTime);

  // The next run starts afresh and completes.
  statusAtTurn.clear();
  rec = RunRecorder{};
  EXPECT_EQ(ExtractVersionInfo(requestFor(big.str(), "*.DLL"), result, reader, withListing()).Outcome,
            RunOutcome::Completed);
  EXPECT_EQ(result.Entries.size(), static_cast<std::size_t>(kFiles));
}

TEST_F(ListingTurnsTest, AShortListingGivesNoTurn) {
  ExtractionCallbacks cb = withListing();
  cb.listingInterval = std::chrono::hours(1);
  EXPECT_EQ(ExtractVersionInfo(requestFor(big.str(), "*.DLL"), result, reader, cb).Outcome, RunOutcome::Completed);
  EXPECT_TRUE(statusAtTurn.empty());
}

}  // namespace
}  // namespace quorvane
