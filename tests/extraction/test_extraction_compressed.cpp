#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <tuple>
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

constexpr const char* kCompressed = "*.DL_ *.OC_ *.OL_ *.TL_ *.EX_";

// Setup media: compressed files, one that is not compressed at all, one that is damaged.
class CompressedRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setupImage = dllImage({3, 10, 0, 1}, "3.10.001");
    media.write("SETUP.EX_", compressSzdd(setupImage));
    media.write("commdlg.dl_", compressSzdd(dllImage({3, 1, 0, 103}, "3.10")));
    media.write("A.B.OC_", dllImage({2, 0, 0, 0}, "2.0"));  // stored uncompressed
    media.write("IGNORED.DLL", dllImage({1, 0, 0, 0}, "1.0"));
  }

  testsupport::TempFolder media{"media"};
  testsupport::TempFolder out{"expanded"};
  std::vector<std::uint8_t> setupImage;
  clsFileVersion reader;
  ExtractionResult result;
};

// The entries describe the expanded copies (date and size too); a damaged file is
// reported and kept as it is, without versions, and an older expansion of its name
// neither passes for the new one nor is destroyed.
TEST_F(CompressedRunTest, EntriesDescribeTheExpandedCopies) {
  fs::last_write_time(media.path() / "SETUP.EX_", fs::file_time_type::clock::now() - std::chrono::hours(24 * 800));
  std::vector<std::uint8_t> broken = compressSzdd(dllImage({7, 0, 0, 0}, "7.0"));
  broken.resize(broken.size() / 2);
  const std::string brokenPath = media.write("BROKEN.DL_", broken);
  writeDll(out, "BROKEN.DLL", {6, 0, 0, 0}, "6.0");
  const auto older = testsupport::readFile(out.path() / "BROKEN.DLL");
  const ExtractionRunReport report =
      ExtractVersionInfo(requestFor(media.str(), kCompressed, out.str()), result, reader, {});
  ASSERT_EQ(report.Outcome, RunOutcome::Completed);
  EXPECT_EQ(report.ExpansionFailures, std::vector<std::string>{brokenPath});
  EXPECT_EQ(namesInOrder(result), (std::vector<std::string>{"A.B.OCX", "BROKEN.DL_", "commdlg.DLL", "SETUP.EXE"}));
  EXPECT_EQ(result.DisplayNames[static_cast<std::size_t>(result.Order[2])], "commdlg.dll");

  const FileVersionEntry& setup = entryNamed(result, "SETUP.EXE");
  const auto stamp = basDirUtil::ReadFileStamp(out.at("SETUP.EXE"));
  ASSERT_TRUE(stamp.has_value());
  EXPECT_EQ(std::tie(setup.FullPath, setup.Ext, setup.FixedVersion, setup.StringVersion, setup.Date, setup.Time),
            std::tuple(out.at("SETUP.EXE"), "EXE", "3.10.0.1", "3.10.001", stamp->date, stamp->time));
  EXPECT_EQ(static_cast<std::size_t>(setup.NamePos), utf8::length(out.str()) + 2);
  EXPECT_EQ(setup.Size, static_cast<std::int64_t>(setupImage.size()));
  EXPECT_EQ(testsupport::readFile(out.path() / "SETUP.EXE"), setupImage);
  EXPECT_EQ(entryNamed(result, "commdlg.DLL").FixedVersion, "3.1.0.103");
  EXPECT_EQ(entryNamed(result, "A.B.OCX").StringVersion, "2.0");

  const FileVersionEntry& e = entryNamed(result, "BROKEN.DL_");
  EXPECT_EQ(e.FullPath, brokenPath);
  EXPECT_EQ(e.Size, static_cast<std::int64_t>(broken.size()));
  EXPECT_EQ(e.Date.size(), 8u);
  EXPECT_EQ(e.FixedVersion + e.StringVersion, "");
  EXPECT_EQ(testsupport::readFile(out.path() / "BROKEN.DLL"), older);
}

// Double-byte names: any processed path with a character that takes two bytes in code
// page 932 (or none at all) sets the flag, and nothing clears it; half-width katakana are
// single bytes, and a file never reached by a cancelled run does not count.
TEST(ExtractionRunNames, DoubleByteNamesSetTheFlagForGood) {
  testsupport::TempFolder plain{"plain"}, japanese{"japanese"}, kana{"kana"}, accent{"accent"};
  writeDll(plain, "PLAIN.DLL", {1, 0, 0, 0}, "1.0");
  writeDll(japanese, "日本語.DLL", {1, 0, 0, 0}, "1.0");
  writeDll(kana, "ｶﾅ.DLL", {1, 0, 0, 0}, "1.0");
  writeDll(accent, "café.DLL", {1, 0, 0, 0}, "1.0");
  const struct {
    const testsupport::TempFolder& folder;
    bool fresh;  // a new result, else the one of the row above
    int cancelAt;
    bool flag;
  } cases[] = {{kana, true, 0, false},      {japanese, true, 1, false}, {plain, true, 0, false},
               {japanese, false, 0, true}, {plain, false, 0, true},    {accent, true, 0, true}};
  clsFileVersion reader;
  ExtractionResult result;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder.str());
    if (c.fresh) result = {};
    testsupport::RunRecorder rec;
    rec.cancelAtQuery = c.cancelAt;
    ExtractVersionInfo(requestFor(c.folder.str(), "*.DLL"), result, reader, rec.callbacks());
    EXPECT_EQ(result.HasDoubleByteNames, c.flag);
  }
  ExtractVersionInfo(requestFor(japanese.str(), "*.DLL"), result, reader, {});
  EXPECT_EQ(result.DisplayNames, (std::vector<std::string>{"日本語.dll"}));
  EXPECT_EQ(entryNamed(result, "日本語.DLL").FixedVersion, "1.0.0.0");
}

}  // namespace
}  // namespace quorvane
