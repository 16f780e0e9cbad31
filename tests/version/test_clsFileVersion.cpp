#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif
#include <tuple>

#include "support/pe_image_builder.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"
#include "version/clsFileVersion.h"
#include "version/file_date_time.h"
#include "version/language_names.h"

namespace quorvane {
namespace {

using testsupport::buildImage;
using testsupport::ImageFormat;
using testsupport::simpleVersionInfo;
using testsupport::VersionInfoPlan;

constexpr std::uint64_t kSecond = 10'000'000, kMs = 10'000;
constexpr std::uint64_t kY2k = 125'911'584'000'000'000ull;  // 2000-01-01 00:00:00 UTC

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
    // A reader asked for the versions only gives them and no other value; the open that
    // read the file tells what the file system tells of it.
    clsFileVersion versionsOnly;
    versionsOnly.SetVersionsOnly(true);
    platform::FileFacts facts;
    ASSERT_TRUE(versionsOnly.GetFileVersion(path, &facts));
    EXPECT_EQ(std::tuple(versionsOnly.FixedFileInfo().FileVersion(), versionsOnly.StringFileInfo().FileVersion(),
                         versionsOnly.StringFileInfo().CompanyName()),
              std::tuple("4.71.1712.5", "4.71.1712.5", ""));
    const auto named = platform::fileFacts(path);
    ASSERT_TRUE(named.has_value());
    EXPECT_EQ(std::tuple(facts.size, facts.attributes, facts.written.year, facts.written.second),
              std::tuple(named->size, named->attributes, named->written.year, named->written.second));
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

TEST_F(FileVersionTest, FixedInfoFieldsReachTheirProperties) {
  QUORVANE_SKIP_UNLESS_SYSTEM_ZONE_FOLLOWS_TZ();
  const testsupport::ZoneGuard zone("JST-9");
  auto plan = simpleVersionInfo({}, "x");
  plan.fixed = {.fileVersion = {4, 71, 32768, 40000}, .productVersion = {6, 0, 65535, 1}, .flags = 0x2,
                .os = 0x40004, .type = 1, .subtype = 7, .fileTime = kY2k};
  ASSERT_TRUE(reader.GetFileVersion(write(plan)));
  const clsFixedFileInfo& f = reader.FixedFileInfo();
  // Parts of 32768 and above are negative, as in a signed 16-bit integer.
  EXPECT_EQ(f.FileVersion(), "4.71.-32768.-25536");
  EXPECT_EQ(f.ProductVersion(), "6.0.-1.1");
  using V = clsFixedFileInfo::PropertyValue;
  const V expected[] = {0xFEEF04BDu, 0x00010000u, std::int16_t{4}, std::int16_t{71}, std::int16_t{-32768},
                        std::int16_t{-25536}, std::int16_t{6}, std::int16_t{0}, std::int16_t{-1},
                        std::int16_t{1}, 0x3Fu, 2u, 0x40004u, 1u, 7u, f.FileDate(), std::monostate{}};
  for (std::int16_t i = 0; i <= 16; ++i) EXPECT_EQ(f.Properties(i), expected[i]) << i;
  EXPECT_EQ(f.Properties(-1), V{});
  EXPECT_EQ(formatFileDateTime(f.FileDate()), "2000/01/01 09:00:00");
  EXPECT_STREQ(clsFixedFileInfo::PropertyName(16), "");
  EXPECT_STREQ(clsStringFileInfo::ValueName(0), "");
  EXPECT_EQ(clsStringFileInfo().Item(11), "");
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

TEST(FileDate, LocalTimeRoundedHalfSecondsToEven) {
  QUORVANE_SKIP_UNLESS_SYSTEM_ZONE_FOLLOWS_TZ();
  struct Case {
    const char* zone;
    std::uint64_t fileTime;
    const char* expected;
  } const cases[] = {
      {"JST-9", kY2k, "2000/01/01 09:00:00"},
      {"JST-9", 0, "1601/01/01 09:00:00"},
      {"UTC0", kY2k + 86'399 * kSecond, "2000/01/01 23:59:59"},
      {"UTC0", kY2k + 499 * kMs, "2000/01/01 00:00:00"},
      {"UTC0", kY2k + 500 * kMs, "2000/01/01 00:00:00"},           // 0.5 goes to 0 (even)
      {"UTC0", kY2k + 501 * kMs, "2000/01/01 00:00:01"},
      {"UTC0", kY2k + kSecond + 500 * kMs, "2000/01/01 00:00:02"},  // 1.5 goes to 2
      {"UTC0", kY2k + 2 * kSecond + 500 * kMs, "2000/01/01 00:00:02"},
      {"UTC0", kY2k + 500 * kMs + 9'999, "2000/01/01 00:00:00"},    // sub-millisecond ticks dropped first
      {"UTC0", kY2k - kSecond + 600 * kMs, "2000/01/01 00:00:00"},  // rounding carries into the next day
      {"UTC0", 0x8000000000000000ull, "0000/00/00 00:00:00"},       // not convertible
      {"UTC0", ~0ull, "0000/00/00 00:00:00"},
  };
  for (const Case& c : cases) {
    const testsupport::ZoneGuard zone(c.zone);
    EXPECT_EQ(formatFileDateTime(fileTimeToLocal(c.fileTime)), c.expected) << c.fileTime;
  }
  EXPECT_TRUE(fileTimeToLocal(~0ull).isZero());
}

TEST(LanguageNames, KnownNamesAndFallbacks) {
  EXPECT_EQ(languageName(0x0411), "日本語");
  EXPECT_EQ(languageName(0x0009), "英語");                          // a primary language alone
  EXPECT_EQ(languageName(0x2C09), "英語 (言語 ID 2C09)");           // a region not listed
  EXPECT_EQ(languageName(0x0477), "不明な言語 (言語 ID 0477)");
}

}  // namespace
}  // namespace quorvane
