#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "common/utf8.h"
#include "extraction/extraction_run.h"
#include "extraction/support_run_folder.h"
#include "extraction/support_run_recorder.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "support/szdd_writer.h"
#include "version/clsFileVersion.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testsupport::compressSzdd;
using testsupport::dllImage;
using testsupport::entryNamed;
using testsupport::namesInOrder;
using testsupport::requestFor;
using testsupport::writeDll;
using testsupport::writeFile;

constexpr const char* kCompressed = "*.DL_ *.OC_ *.OL_ *.TL_ *.EX_";

// Setup media: compressed files, one that is not compressed at all, one that is damaged.
class CompressedRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setupImage = dllImage({3, 10, 0, 1}, "3.10.001");
    writeFile(media.path() / "SETUP.EX_", compressSzdd(setupImage));
    writeFile(media.path() / "commdlg.dl_", compressSzdd(dllImage({3, 1, 0, 103}, "3.10")));
    writeFile(media.path() / "A.B.OC_", dllImage({2, 0, 0, 0}, "2.0"));  // stored uncompressed
    writeFile(media.path() / "IGNORED.DLL", dllImage({1, 0, 0, 0}, "1.0"));
  }

  std::string expansion() const { return out.str(); }

  testsupport::TempFolder media{"media"};
  testsupport::TempFolder out{"expanded"};
  std::vector<std::uint8_t> setupImage;
  clsFileVersion reader;
  ExtractionResult result;
};

TEST_F(CompressedRunTest, EntriesDescribeTheExpandedCopies) {
  const ExtractionRunReport report =
      ExtractVersionInfo(requestFor(media.str(), kCompressed, expansion()), result, reader, {});
  ASSERT_EQ(report.Outcome, RunOutcome::Completed);
  EXPECT_TRUE(report.ExpansionFailures.empty());
  EXPECT_EQ(namesInOrder(result), (std::vector<std::string>{"A.B.OCX", "commdlg.DLL", "SETUP.EXE"}));

  const FileVersionEntry& setup = entryNamed(result, "SETUP.EXE");
  EXPECT_EQ(setup.FullPath, (out.path() / "SETUP.EXE").string());
  EXPECT_EQ(static_cast<std::size_t>(setup.NamePos), utf8::length(out.str()) + 2);
  EXPECT_EQ(setup.Size, static_cast<std::int64_t>(setupImage.size()));
  EXPECT_EQ(setup.Ext, "EXE");
  EXPECT_EQ(setup.FixedVersion, "3.10.0.1");
  EXPECT_EQ(setup.StringVersion, "3.10.001");
  EXPECT_EQ(testsupport::readFile(out.path() / "SETUP.EXE"), setupImage);

  EXPECT_EQ(entryNamed(result, "commdlg.DLL").FixedVersion, "3.1.0.103");
  EXPECT_EQ(entryNamed(result, "A.B.OCX").StringVersion, "2.0");
  EXPECT_EQ(result.DisplayNames[static_cast<std::size_t>(result.Order[1])], "commdlg.dll");
}

TEST_F(CompressedRunTest, DateAndSizeComeFromTheExpandedFile) {
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 800);
  fs::last_write_time(media.path() / "SETUP.EX_", old);
  ExtractVersionInfo(requestFor(media.str(), "*.EX_", expansion()), result, reader, {});
  const FileVersionEntry& setup = entryNamed(result, "SETUP.EXE");
  const auto stamp = basDirUtil::ReadFileStamp((out.path() / "SETUP.EXE").string());
  ASSERT_TRUE(stamp.has_value());
  EXPECT_EQ(setup.Date, stamp->date);
  EXPECT_EQ(setup.Time, stamp->time);
  EXPECT_NE(setup.Size, static_cast<std::int64_t>(fs::file_size(media.path() / "SETUP.EX_")));
}

TEST_F(CompressedRunTest, DamagedFileIsReportedAndKeptWithoutVersions) {
  std::vector<std::uint8_t> broken = compressSzdd(dllImage({7, 0, 0, 0}, "7.0"));
  broken.resize(broken.size() / 2);
  writeFile(media.path() / "BROKEN.DL_", broken);
  // An older expansion of that name must neither pass for the new one nor be destroyed.
  writeDll(out, "BROKEN.DLL", {6, 0, 0, 0}, "6.0");
  const auto older = testsupport::readFile(out.path() / "BROKEN.DLL");

  const ExtractionRunReport report =
      ExtractVersionInfo(requestFor(media.str(), kCompressed, expansion()), result, reader, {});
  EXPECT_EQ(report.Outcome, RunOutcome::Completed);
  EXPECT_EQ(report.ExpansionFailures, (std::vector<std::string>{(media.path() / "BROKEN.DL_").string()}));
  const FileVersionEntry& e = entryNamed(result, "BROKEN.DL_");
  EXPECT_EQ(e.FullPath, (media.path() / "BROKEN.DL_").string());
  EXPECT_EQ(e.Size, static_cast<std::int64_t>(broken.size()));
  EXPECT_EQ(e.Date.size(), 8u);
  EXPECT_EQ(e.FixedVersion, "");
  EXPECT_EQ(e.StringVersion, "");
  EXPECT_EQ(testsupport::readFile(out.path() / "BROKEN.DLL"), older);
  EXPECT_EQ(result.Order.size(), 4u);
}

TEST_F(CompressedRunTest, EmptyExpansionFolderFailsEveryFileWithoutWritingElsewhere) {
  const ExtractionRunReport report = ExtractVersionInfo(requestFor(media.str(), kCompressed, ""), result, reader, {});
  EXPECT_EQ(report.Outcome, RunOutcome::Completed);
  EXPECT_EQ(report.ExpansionFailures.size(), 3u);
  for (const FileVersionEntry& e : result.Entries) EXPECT_EQ(e.FixedVersion, "");
}

TEST_F(CompressedRunTest, ExpansionIntoTheListedFolderIsRefusedBeforeAnythingIsWritten) {
  writeDll(media, "COMMDLG.DLL", {9, 0, 0, 0}, "9.0");  // what expanding commdlg.dl_ there would overwrite
  const auto before = testsupport::readFile(media.path() / "COMMDLG.DLL");
  const ExtractionRunReport report =
      ExtractVersionInfo(requestFor(media.str(), kCompressed, media.str() + "/./"), result, reader, {});
  EXPECT_EQ(report.Outcome, RunOutcome::Refused);
  EXPECT_EQ(testsupport::readFile(media.path() / "COMMDLG.DLL"), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(media.path()), fs::directory_iterator()), 5);
  EXPECT_TRUE(result.Entries.empty());
}

TEST_F(CompressedRunTest, CancelledRunStopsExpandingAfterTheCancel) {
  testsupport::RunRecorder rec;
  rec.cancelAtQuery = 1;
  ExtractVersionInfo(requestFor(media.str(), kCompressed, expansion()), result, reader, rec.callbacks());
  // The first file was expanded before the cancel was seen; no other was.
  std::size_t expanded = 0;
  for (auto it = fs::directory_iterator(out.path()); it != fs::directory_iterator(); ++it) ++expanded;
  EXPECT_EQ(expanded, 1u);
}

// Double-byte names: any processed path with a character that takes two bytes in code
// page 932 (or none at all) sets the flag, and nothing clears it.
TEST(ExtractionRunNames, DoubleByteNamesSetTheFlagForGood) {
  testsupport::TempFolder plain{"plain"};
  testsupport::TempFolder japanese{"japanese"};
  writeDll(plain, "PLAIN.DLL", {1, 0, 0, 0}, "1.0");
  writeDll(japanese, "日本語.DLL", {1, 0, 0, 0}, "1.0");
  clsFileVersion reader;
  ExtractionResult result;
  ExtractVersionInfo(requestFor(plain.str(), "*.DLL"), result, reader, {});
  EXPECT_FALSE(result.HasDoubleByteNames);
  ExtractVersionInfo(requestFor(japanese.str(), "*.DLL"), result, reader, {});
  EXPECT_TRUE(result.HasDoubleByteNames);
  EXPECT_EQ(result.DisplayNames, (std::vector<std::string>{"日本語.dll"}));
  EXPECT_EQ(entryNamed(result, "日本語.DLL").FixedVersion, "1.0.0.0");
  ExtractVersionInfo(requestFor(plain.str(), "*.DLL"), result, reader, {});
  EXPECT_TRUE(result.HasDoubleByteNames);
}

TEST(ExtractionRunNames, HalfWidthKatakanaIsSingleByteButAccentsAreNot) {
  testsupport::TempFolder dir{"kana"};
  writeDll(dir, "ｶﾅ.DLL", {1, 0, 0, 0}, "1.0");
  clsFileVersion reader;
  ExtractionResult result;
  ExtractVersionInfo(requestFor(dir.str(), "*.DLL"), result, reader, {});
  EXPECT_FALSE(result.HasDoubleByteNames);
  writeDll(dir, "café.DLL", {1, 0, 0, 0}, "1.0");  // no code page 932 character at all
  ExtractVersionInfo(requestFor(dir.str(), "*.DLL"), result, reader, {});
  EXPECT_TRUE(result.HasDoubleByteNames);
}

TEST(ExtractionRunNames, FlagIsNotSetByFilesThatWereNeverReached) {
  testsupport::TempFolder dir{"unreached"};
  writeDll(dir, "日本語.DLL", {1, 0, 0, 0}, "1.0");
  testsupport::RunRecorder rec;
  rec.cancelAtQuery = 1;
  clsFileVersion reader;
  ExtractionResult result;
  ExtractVersionInfo(requestFor(dir.str(), "*.DLL"), result, reader, rec.callbacks());
  EXPECT_FALSE(result.HasDoubleByteNames);
}

}  // namespace
}  // namespace quorvane
