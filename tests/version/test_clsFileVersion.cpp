#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif
#include <tuple>

#include "support/pe_image_builder.h"
#include "support/temp_folder.h"
#include "version/clsFileVersion.h"

namespace quorvane {
namespace {

using testsupport::buildImage;
using testsupport::ImageFormat;
using testsupport::simpleVersionInfo;
using testsupport::VersionInfoPlan;

class FileVersionTest : public ::testing::Test {
 protected:
  std::string write(const VersionInfoPlan& plan, ImageFormat format = ImageFormat::Pe32) {
    return folder.write("file" + std::to_string(++count) + ".dll", buildImage(format, plan).bytes);
  }
  testsupport::TempFolder folder{"version"};
  clsFileVersion reader;
  int count = 0;
};

TEST_F(FileVersionTest, ReadsEveryFormat) {
  for (ImageFormat format : {ImageFormat::Pe32, ImageFormat::Pe32Plus, ImageFormat::Ne}) {
    auto plan = simpleVersionInfo({4, 71, 1712, 5}, "4.71.1712.5");
    plan.tables[0].values.push_back({"LegalCopyright", "著作権 (C) 1998"});
    plan.tables[0].values.push_back({"PrivateBuild", "build by 山田"});
    const std::string path = write(plan, format);
    ASSERT_TRUE(reader.GetFileVersion(path)) << describeFault(reader.LastFault());
    const clsStringFileInfo& s = reader.StringFileInfo();
    EXPECT_EQ(std::tuple(reader.VerInfoAvailable(), reader.FileName(), reader.CurrentKey(), reader.LanguageName()),
              std::tuple(true, path, "040904B0", "英語 (米国)"));
    EXPECT_EQ(std::tuple(reader.FixedFileInfo().FileVersion(), s.FileVersion(), s.CompanyName(), s.LegalCopyright(), s.Comments()),
              std::tuple("4.71.1712.5", "4.71.1712.5", "Quorvane Test Corporation", "著作権 (C) 1998", ""));
    // Any value by name, without regard to case; a missing one empties the value, an
    // empty name leaves it.
    std::string value = "kept";
    EXPECT_FALSE(reader.GetStringVersionInfo("", value));
    EXPECT_EQ(value, "kept");
    EXPECT_TRUE(reader.GetStringVersionInfo("privatebuild", value));
    EXPECT_EQ(value, "build by 山田");
    EXPECT_FALSE(reader.GetStringVersionInfo("SpecialBuild", value));
    EXPECT_EQ(value, "");
  }
}

// Which string table is read: the file's own key (first translation, else the first
// table's key) when it has a FileVersion, else the first fixed candidate that has one
// (041103A4, 04111252, 041104E4, 0809..., 04090000, 04091252, 040904E4), else the own key.
TEST_F(FileVersionTest, StringTableKeyChoice) {
  using Tables = std::vector<testsupport::StringTable>;
  struct Case {
    const char* what;
    bool hasTranslation;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;
    Tables tables;
    const char* ownKey;
    const char* key;
    const char* fileVersion;
    const char* language;
  } const cases[] = {
      {"own key lacks FileVersion: earliest candidate", true, {{0x0411, 0x04B0}}, Tables{{"041104B0", {{"CompanyName", "自社"}}},
       {"040904E4", {{"FileVersion", "E4"}}}, {"04090000", {{"FileVersion", "0000"}}}}, "041104B0", "04090000", "0000", "日本語"},
      {"only 040904E4 has one", true, {{0x0409, 0x04B0}}, Tables{{"040904B0", {{"Comments", "x"}}},
       {"040904E4", {{"FileVersion", "5.0"}}}}, "040904B0", "040904E4", "5.0", "英語 (米国)"},
      {"code page 1252 as hex digits", true, {{0x0411, 0x04B0}}, Tables{{"04111252", {{"FileVersion", "hex"}}},
       {"041104E4", {{"FileVersion", "dec"}}}}, "041104B0", "04111252", "hex", "日本語"},
      {"own key outside the list", true, {{0x0412, 0x03B5}}, Tables{{"041203B5", {{"FileVersion", "7.1"}}}},
       "041203B5", "041203B5", "7.1", "韓国語"},
      {"no table has one", true, {{0x0407, 0x04E4}}, Tables{{"040704E4", {{"ProductName", "P"}}}},
       "040704E4", "040704E4", "", "ドイツ語 (ドイツ)"},
      {"no translation: first table, upper-cased", false, {}, Tables{{"041203b5", {{"FileVersion", "9.9"}}},
       {"040904E4", {{"FileVersion", "no"}}}}, "041203B5", "041203B5", "9.9", "韓国語"},
      {"empty translation counts as none", true, {}, Tables{{"040904B0", {{"FileVersion", "1.0"}}}},
       "040904B0", "040904B0", "1.0", "英語 (米国)"},
      {"no translation, no table", false, {}, Tables{}, "", "", "", ""},
  };
  for (const Case& c : cases) {
    VersionInfoPlan plan;
    plan.hasTranslationTable = c.hasTranslation;
    plan.translations = c.translations;
    plan.tables = c.tables;
    ASSERT_TRUE(reader.GetFileVersion(write(plan))) << c.what;
    EXPECT_EQ(reader.KeyCandidate(0), c.ownKey) << c.what;
    EXPECT_EQ(reader.CurrentKey(), c.key) << c.what;
    EXPECT_EQ(reader.StringFileInfo().FileVersion(), c.fileVersion) << c.what;
    EXPECT_EQ(reader.StringFileInfo().CompanyName(), "") << c.what;  // only ever in a table not chosen
    EXPECT_EQ(reader.LanguageName(), c.language) << c.what;
    std::string value;
    EXPECT_EQ(reader.GetStringVersionInfo("FileVersion", value), *c.fileVersion != 0) << c.what;
  }
}

TEST_F(FileVersionTest, EachReadReplacesEverythingOfTheLast) {
  auto rich = simpleVersionInfo({1, 2, 3, 4}, "1.2.3.4");
  rich.fixed.fileTime = 0x01BD0D6A00000000ull;
  rich.translations = {{0x0411, 0x04B0}};
  rich.tables[0].key = "041104B0";
  rich.tables[0].values.push_back({"Comments", "only in the first file"});
  ASSERT_TRUE(reader.GetFileVersion(write(rich)));
  ASSERT_EQ(reader.StringFileInfo().Comments(), "only in the first file");
  ASSERT_TRUE(reader.GetFileVersion(write(simpleVersionInfo({2, 0, 0, 0}, "2.0"), ImageFormat::Ne)));
  EXPECT_EQ(std::tuple(reader.StringFileInfo().Comments(), reader.FixedFileInfo().FileVersion(), reader.KeyCandidate(0),
                       reader.LanguageName()),
            std::tuple("", "2.0.0.0", "040904B0", "英語 (米国)"));

  ASSERT_TRUE(reader.GetFileVersion(write(rich)));
  const std::string plain = folder.write("plain.txt", std::vector<std::uint8_t>(100, 'x'));
  EXPECT_FALSE(reader.GetFileVersion(plain));
  EXPECT_EQ(std::tuple(reader.LastFault().error, reader.VerInfoAvailable(), reader.FileName(), reader.LanguageName(),
                       reader.CurrentKey(), reader.FixedFileInfo().FileVersion(), reader.FixedFileInfo().Signature()),
            std::tuple(VersionError::NotAnImage, false, plain, "", "", "0.0.0.0", 0u));
  EXPECT_TRUE(reader.FixedFileInfo().FileDate().isZero());
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(reader.StringFileInfo().Item(i), "") << i;

  std::string value = "kept";
  EXPECT_FALSE(reader.GetStringVersionInfo("FileVersion", value));  // no version information: the value stays
  EXPECT_FALSE(reader.GetFileVersion(folder.at("missing.dll")));
  EXPECT_EQ(reader.LastFault().error, VersionError::CannotOpen);
  rich.hasFixedInfo = false;
  EXPECT_FALSE(reader.GetFileVersion(write(rich)));
  EXPECT_EQ(reader.LastFault().error, VersionError::BadVersionBlock);
  EXPECT_EQ(reader.StringFileInfo().Comments(), "");
  EXPECT_EQ(value, "kept");
}

#if !defined(_WIN32)
// Whatever is named in place of a file, the open neither waits nor reads: a FIFO with no
// writer would block a plain open for good.
TEST_F(FileVersionTest, OnlyRegularFilesAreOpenedAndNothingWaits) {
  const std::string fifo = folder.at("pipe.dll");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, FileOpenError> cases[] = {
      {folder.at("missing.dll"), FileOpenError::Missing},
      {folder.str(), FileOpenError::NotAFile},
      {fifo, FileOpenError::NotAFile},
      {"/dev/null", FileOpenError::NotAFile},
  };
  for (const auto& [path, why] : cases) {
    EXPECT_FALSE(reader.GetFileVersion(path)) << path;
    EXPECT_EQ(reader.LastFault().error, VersionError::CannotOpen) << path;
    EXPECT_EQ(reader.LastOpenError(), why) << path;
    EXPECT_EQ(describeFault(reader.LastFault()), std::string("ファイルを開けません (") + describeOpenError(why) + ")");
  }
}
#endif

TEST(FileVersionLabels, IndexesOutsideTheirRangeGiveNothing) {
  const clsFileVersion reader;
  EXPECT_EQ(clsFileVersion::DescriptionString(0), clsFileVersion::DescriptionString(10));
  EXPECT_EQ(clsFileVersion::DescriptionString(15) + clsFileVersion::DescriptionString(-1), "");
  EXPECT_EQ(reader.KeyCandidate(0) + reader.KeyCandidate(10) + reader.KeyCandidate(-1), "");
}

}  // namespace
}  // namespace quorvane
