// What the run adds to the scan's heartbeat: the listing status during the turns, and a
// cancel given in one of them. The heartbeat's own timing is tested in the scan's tests.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "extraction/extraction_run.h"
#include "extraction/extraction_texts.h"
#include "extraction/support_run_folder.h"
#include "extraction/support_run_recorder.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "version/clsFileVersion.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;
using basDirUtil::ScanResult;
using testsupport::requestFor;
using testsupport::RunRecorder;

TEST(ListingTurns, ACancelWhileListingEndsTheRunAsCancelledWithoutTakingTheListing) {
  constexpr int kFiles = 200;
  testsupport::TempFolder big{"listing-big"};
  testsupport::TempFolder small{"listing-small"};
  for (int i = 0; i < kFiles; ++i) testsupport::writeFile(big.path() / ("N" + std::to_string(i) + ".DLL"), "x");
  testsupport::writeDll(small, "ONE.DLL", {1, 0, 0, 0}, "1.0");
  clsFileVersion reader;
  ExtractionResult result;
  ASSERT_EQ(ExtractVersionInfo(requestFor(small.str(), "*.DLL"), result, reader, {}).Outcome, RunOutcome::Completed);
  const ExtractionResult previous = result;

  // A turn at every look at the clock; each notes the status it sees, the second cancels.
  RunRecorder rec;
  std::vector<std::string> statusAtTurn;
  ExtractionCallbacks cb = rec.callbacks();
  cb.listingInterval = 0ms;
  cb.listing = [&] {
    statusAtTurn.push_back(rec.statuses.empty() ? std::string() : rec.statuses.back());
    return statusAtTurn.size() < 2;
  };
  const ExtractionRunReport report = ExtractVersionInfo(requestFor(big.str(), "*.DLL"), result, reader, cb);
  EXPECT_EQ(report.Scan, ScanResult::Stopped);
  EXPECT_EQ(report.Outcome, RunOutcome::Cancelled);
  EXPECT_EQ(statusAtTurn, (std::vector<std::string>{extractionText::kListing, extractionText::kListing}));
  EXPECT_TRUE(rec.fractions.empty());  // no file was started
  EXPECT_EQ(rec.statuses, (std::vector<std::string>{extractionText::kListing, "", extractionText::kCancelled}));

  // A cancelled result: not done and not shown; the last completed run's entries and stamp stay.
  EXPECT_FALSE(result.ExtractionDone);
  EXPECT_TRUE(result.DisplayNames.empty());
  EXPECT_TRUE(result.Order.empty());
  ASSERT_EQ(result.Entries.size(), previous.Entries.size());
  EXPECT_EQ(result.Entries[0].FullPath, previous.Entries[0].FullPath);
  EXPECT_EQ(result.LastIndex, previous.LastIndex);
  EXPECT_EQ(result.RunFolder, previous.RunFolder);
  EXPECT_EQ(result.RunKind, previous.RunKind);
  EXPECT_EQ(result.RunDate, previous.RunDate);
  EXPECT_EQ(result.RunTime, previous.RunTime);

  // The next run starts afresh and completes.
  EXPECT_EQ(ExtractVersionInfo(requestFor(big.str(), "*.DLL"), result, reader, {}).Outcome, RunOutcome::Completed);
  EXPECT_TRUE(result.ExtractionDone);
  EXPECT_EQ(result.Order.size(), static_cast<std::size_t>(kFiles));
}

}  // namespace
}  // namespace quorvane
