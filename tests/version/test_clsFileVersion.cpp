#include <gtest/gtest.h>

#include "support/pe_image_builder.h"
#include "support/temp_folder.h"
#include "version/clsFileVersion.h"

namespace quorvane {
namespace {

using testsupport::buildImage;
using testsupport::ImageFormat;
using testsupport::StringTable;
using testsupport::VersionInfoPlan;

class FileVersionTest : public ::testing::Test {
 protected:
  std::string write(const VersionInfoPlan& plan, ImageFormat format = ImageFormat::Pe32) {
    return folder.write("file" + std::to_string(++count) + ".dll", buildImage(format, plan).bytes);
  }
  testsupport::TempFolder folder;
  clsFileVersion reader;
  int count = 0;
};

VersionInfoPlan planWithTables(std::vector<std::pair<std::uint16_t, std::uint16_t>> translations,
                               std::vector<StringTable> tables) {
  VersionInfoPlan plan;
  plan.fixed.fileVersion = {1, 2, 3, 4};
  plan.translations = std::move(translations);
  plan.tables = std::move(tables);
  return plan;
}

TEST_F(FileVersionTest, ReadsEveryFormat) {
  for (ImageFormat format : {ImageFormat::Pe32, ImageFormat::Pe32Plus, ImageFormat::Ne}) {
    auto plan = testsupport::simpleVersionInfo({4, 71, 1712, 5}, "4.71.1712.5");
    plan.tables[0].values.push_back({"LegalCopyright", "著作権 (C) 1998"});
    const std::string path = write(plan, format);
    ASSERT_TRUE(reader.GetFileVersion(path)) << describeFault(reader.LastFault());
    EXPECT_TRUE(reader.VerInfoAvailable());
    EXPECT_EQ(reader.FileName(), path);
    EXPECT_EQ(reader.FixedFileInfo().FileVersion(), "4.71.1712.5");
    EXPECT_EQ(reader.StringFileInfo().FileVersion(), "4.71.1712.5");
    EXPECT_EQ(reader.StringFileInfo().CompanyName(), "Quorvane Test Corporation");
    EXPECT_EQ(reader.StringFileInfo().LegalCopyright(), "著作権 (C) 1998");
    EXPECT_EQ(reader.StringFileInfo().Comments(), "");
    EXPECT_EQ(reader.CurrentKey(), "040904B0");
    EXPECT_EQ(reader.LanguageName(), "英語 (米国)");
  }
}

TEST_F(FileVersionTest, OwnKeyWithoutFileVersionFallsToTheFirstCandidateThatHasIt) {
  // The file's own table (0411/04B0) has no FileVersion; 040904E4 has one, 04090000 too,
  // and 040904E4 comes later in the list than 04090000.
  const auto plan = planWithTables({{0x0411, 0x04B0}},
                                   {{"041104B0", {{"CompanyName", "自社"}}},
                                    {"040904E4", {{"FileVersion", "from 040904E4"}}},
                                    {"04090000", {{"FileVersion", "from 04090000"}}}});
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  EXPECT_EQ(reader.CurrentKey(), "04090000");
  EXPECT_EQ(reader.StringFileInfo().FileVersion(), "from 04090000");
  EXPECT_EQ(reader.StringFileInfo().CompanyName(), "");  // read from the chosen table only
  EXPECT_EQ(reader.LanguageName(), "日本語");
  EXPECT_EQ(reader.KeyCandidate(0), "041104B0");
}

TEST_F(FileVersionTest, OnlyThe040904E4TableHasAFileVersion) {
  const auto plan = planWithTables({{0x0409, 0x04B0}}, {{"040904B0", {{"Comments", "x"}}},
                                                        {"040904E4", {{"FileVersion", "5.0"}}}});
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  EXPECT_EQ(reader.CurrentKey(), "040904E4");
  EXPECT_EQ(reader.StringFileInfo().FileVersion(), "5.0");
}

TEST_F(FileVersionTest, HexadecimalCodePage1252KeyIsTriedAsWritten) {
  const auto plan = planWithTables({{0x0411, 0x04B0}}, {{"04111252", {{"FileVersion", "hex"}}},
                                                        {"041104E4", {{"FileVersion", "dec"}}}});
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  EXPECT_EQ(reader.CurrentKey(), "04111252");
  EXPECT_EQ(reader.StringFileInfo().FileVersion(), "hex");
}

TEST_F(FileVersionTest, UnusualOwnKeyOutsideTheFixedList) {
  const auto plan = planWithTables({{0x0412, 0x03B5}}, {{"041203B5", {{"FileVersion", "7.1"}, {"ProductName", "제품"}}}});
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  EXPECT_EQ(reader.CurrentKey(), "041203B5");
  EXPECT_EQ(reader.StringFileInfo().FileVersion(), "7.1");
  EXPECT_EQ(reader.StringFileInfo().ProductName(), "제품");
  EXPECT_EQ(reader.LanguageName(), "韓国語");
}

TEST_F(FileVersionTest, NoTableHasAFileVersionKeepsTheOwnKey) {
  const auto plan = planWithTables({{0x0407, 0x04E4}}, {{"040704E4", {{"ProductName", "Produkt"}}}});
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  EXPECT_EQ(reader.CurrentKey(), "040704E4");
  EXPECT_EQ(reader.StringFileInfo().FileVersion(), "");
  EXPECT_EQ(reader.StringFileInfo().ProductName(), "Produkt");
}

TEST_F(FileVersionTest, WithoutTranslationTableTheFirstTableKeyIsUsed) {
  auto plan = planWithTables({}, {{"041203b5", {{"FileVersion", "9.9"}}}, {"040904E4", {{"FileVersion", "no"}}}});
  plan.hasTranslationTable = false;
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  EXPECT_EQ(reader.KeyCandidate(0), "041203B5");
  EXPECT_EQ(reader.CurrentKey(), "041203B5");
  EXPECT_EQ(reader.StringFileInfo().FileVersion(), "9.9");
  EXPECT_EQ(reader.LanguageName(), "韓国語");
}

TEST_F(FileVersionTest, EmptyTranslationTableCountsAsNone) {
  auto plan = planWithTables({}, {{"040904B0", {{"FileVersion", "1.0"}}}});
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  EXPECT_EQ(reader.CurrentKey(), "040904B0");
  EXPECT_EQ(reader.StringFileInfo().FileVersion(), "1.0");
}

TEST_F(FileVersionTest, NeitherTranslationNorStringTable) {
  auto plan = planWithTables({}, {});
  plan.hasTranslationTable = false;
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  EXPECT_EQ(reader.FixedFileInfo().FileVersion(), "1.2.3.4");
  EXPECT_EQ(reader.CurrentKey(), "");
  EXPECT_EQ(reader.LanguageName(), "");
  EXPECT_EQ(reader.StringFileInfo().FileVersion(), "");
  std::string value = "kept";
  EXPECT_FALSE(reader.GetStringVersionInfo("FileVersion", value));
}

TEST_F(FileVersionTest, TrailingNulsJapaneseAndByteCountedLengths) {
  for (ImageFormat format : {ImageFormat::Pe32, ImageFormat::Ne}) {
    auto plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "1, 0, 0, 0");
    plan.tables[0].values.push_back({"FileDescription", "ｶﾀｶﾅと漢字の説明"});
    plan.tables[0].values.erase(plan.tables[0].values.begin() + 1);  // the English description
    plan.extraNuls = 2;
    plan.stringLengthUnit = testsupport::LengthUnit::Bytes;
    ASSERT_TRUE(reader.GetFileVersion(write(plan, format)));
    EXPECT_EQ(reader.StringFileInfo().FileVersion(), "1, 0, 0, 0");  // kept as written
    EXPECT_EQ(reader.StringFileInfo().FileDescription(), "ｶﾀｶﾅと漢字の説明");
  }
}

TEST_F(FileVersionTest, PartsOf32768AndAboveAreNegative) {
  auto plan = testsupport::simpleVersionInfo({65535, 32768, 32767, 40000}, "x");
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  EXPECT_EQ(reader.FixedFileInfo().FileVersion(), "-1.-32768.32767.-25536");
  EXPECT_EQ(reader.FixedFileInfo().FileMajorVer(), -1);
  EXPECT_EQ(reader.FixedFileInfo().ProductBuildNo(), -25536);
}

TEST_F(FileVersionTest, FileWithoutVersionInformationClearsEverything) {
  auto plan = testsupport::simpleVersionInfo({1, 2, 3, 4}, "1.2.3.4");
  plan.fixed.fileTime = 0x01BD0D6A00000000ull;
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  ASSERT_FALSE(reader.FixedFileInfo().FileDate().isZero());

  const std::string plain = folder.write("plain.txt", std::vector<std::uint8_t>(100, 'x'));
  EXPECT_FALSE(reader.GetFileVersion(plain));
  EXPECT_FALSE(reader.VerInfoAvailable());
  EXPECT_EQ(reader.FileName(), plain);
  EXPECT_EQ(reader.LanguageName(), "");
  EXPECT_EQ(reader.FixedFileInfo().FileVersion(), "0.0.0.0");
  EXPECT_EQ(reader.FixedFileInfo().Signature(), 0u);
  EXPECT_TRUE(reader.FixedFileInfo().FileDate().isZero());
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(reader.StringFileInfo().Item(i), "") << i;
  EXPECT_EQ(reader.LastFault().error, VersionError::NotAnImage);

  EXPECT_FALSE(reader.GetFileVersion(folder.at("missing.dll")));
  EXPECT_EQ(reader.LastFault().error, VersionError::CannotOpen);
  EXPECT_FALSE(reader.GetFileVersion(folder.str()));  // a folder is not a file
}

TEST_F(FileVersionTest, EachFileOverwritesEveryValueOfTheLast) {
  auto first = testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0");
  first.tables[0].values.push_back({"Comments", "only in the first file"});
  first.translations = {{0x0411, 0x04B0}};
  first.tables[0].key = "041104B0";
  ASSERT_TRUE(reader.GetFileVersion(write(first)));
  ASSERT_EQ(reader.StringFileInfo().Comments(), "only in the first file");
  ASSERT_EQ(reader.LanguageName(), "日本語");

  ASSERT_TRUE(reader.GetFileVersion(write(testsupport::simpleVersionInfo({2, 0, 0, 0}, "2.0"), ImageFormat::Ne)));
  EXPECT_EQ(reader.StringFileInfo().Comments(), "");
  EXPECT_EQ(reader.StringFileInfo().FileVersion(), "2.0");
  EXPECT_EQ(reader.FixedFileInfo().FileVersion(), "2.0.0.0");
  EXPECT_EQ(reader.CurrentKey(), "040904B0");
  EXPECT_EQ(reader.KeyCandidate(0), "040904B0");
  EXPECT_EQ(reader.LanguageName(), "英語 (米国)");
}

TEST_F(FileVersionTest, BlockWithoutFixedInfoIsNoVersionInformation) {
  auto plan = testsupport::simpleVersionInfo({1, 2, 3, 4}, "1.2.3.4");
  plan.hasFixedInfo = false;
  EXPECT_FALSE(reader.GetFileVersion(write(plan)));
  EXPECT_EQ(reader.StringFileInfo().FileVersion(), "");
}

TEST_F(FileVersionTest, GetStringVersionInfo) {
  std::string value = "kept";
  EXPECT_FALSE(reader.GetStringVersionInfo("FileVersion", value));  // nothing read yet
  EXPECT_EQ(value, "kept");

  auto plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0");
  plan.tables[0].values.push_back({"PrivateBuild", "build by 山田"});
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  EXPECT_FALSE(reader.GetStringVersionInfo("", value));
  EXPECT_EQ(value, "kept");
  EXPECT_TRUE(reader.GetStringVersionInfo("privatebuild", value));
  EXPECT_EQ(value, "build by 山田");
  EXPECT_FALSE(reader.GetStringVersionInfo("SpecialBuild", value));
  EXPECT_EQ(value, "");

  value = "kept";
  EXPECT_FALSE(reader.GetFileVersion(folder.at("missing.dll")));
  EXPECT_FALSE(reader.GetStringVersionInfo("FileVersion", value));
  EXPECT_EQ(value, "kept");
}

TEST(FileVersionLabels, DescriptionStrings) {
  EXPECT_EQ(clsFileVersion::DescriptionString(0), "製品バージョン");
  EXPECT_EQ(clsFileVersion::DescriptionString(10), "製品バージョン");
  EXPECT_EQ(clsFileVersion::DescriptionString(4), "ファイルバージョン");
  EXPECT_EQ(clsFileVersion::DescriptionString(8), "正式ファイル名");
  EXPECT_EQ(clsFileVersion::DescriptionString(14), "SpecialBuild");
  EXPECT_EQ(clsFileVersion::DescriptionString(15), "");
  EXPECT_EQ(clsFileVersion::DescriptionString(-1), "");
}

TEST(FileVersionLabels, KeyCandidatesInOrder) {
  clsFileVersion reader;
  const char* expected[] = {"", "041103A4", "04111252", "041104E4", "08090000",
                            "08091252", "080904E4", "04090000", "04091252", "040904E4"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(reader.KeyCandidate(i), expected[i]) << i;
  EXPECT_EQ(reader.KeyCandidate(10), "");
}

}  // namespace
}  // namespace quorvane
