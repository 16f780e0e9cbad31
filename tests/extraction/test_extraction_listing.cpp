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
#include "support/temp_folder.h"
#include "version/clsFileVersion.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;
using basDirUtil::ScanResult;
using testsupport::requestFor;
using testsupport::RunRecorder;

// A turn at every look at the clock; each notes the status it sees, the second cancels.
// The cancelled run applies nothing of the unfinished listing: the previous run's entries
// and stamp stay, but it is not done and not shown. The next run starts afresh.
TEST(ListingTurns, ACancelWhileListingEndsTheRunAsCancelledWithoutTakingTheListing) {
  constexpr int kFiles = 200;
  testsupport::TempFolder big{"listing-big"}, small{"listing-small"};
  for (int i = 0; i < kFiles; ++i) big.write("N" + std::to_string(i) + ".DLL", "x");
  testsupport::writeDll(small, "ONE.DLL", {1, 0, 0, 0}, "1.0");
  clsFileVersion reader;
  ExtractionResult result;
  ASSERT_EQ(ExtractVersionInfo(requestFor(small.str(), "*.DLL"), result, reader, {}).Outcome, RunOutcome::Completed);
  ExtractionResult expected = result;
  expected.ExtractionDone = false;
  expected.DisplayNames.clear();
  expected.Order.clear();

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
  testsupport::expectSameResult(result, expected);

  EXPECT_EQ(ExtractVersionInfo(requestFor(big.str(), "*.DLL"), result, reader, {}).Outcome, RunOutcome::Completed);
  EXPECT_TRUE(result.ExtractionDone);
  EXPECT_EQ(result.Order.size(), static_cast<std::size_t>(kFiles));
}

}  // namespace
}  // namespace quorvane
