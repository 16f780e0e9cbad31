#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "support/pe_image_builder.h"
#include "support/temp_folder.h"
#include "version/clsFileVersion.h"
#include "version/file_date_time.h"
#include "version/language_names.h"

namespace quorvane {
namespace {

// Runs a test in a fixed time zone and restores the previous one.
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_old = old, m_had = true;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneGuard() {
    if (m_had) setenv("TZ", m_old.c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }

 private:
  std::string m_old;
  bool m_had = false;
};

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
// 2000-01-01 00:00:00 UTC.
constexpr std::uint64_t kY2k = 125'911'584'000'000'000ull;

TEST(FileDate, ConvertsToLocalTime) {
  ZoneGuard zone("JST-9");
  EXPECT_EQ(formatFileDateTime(fileTimeToLocal(kY2k)), "2000/01/01 09:00:00");
  EXPECT_EQ(formatFileDateTime(fileTimeToLocal(0)), "1601/01/01 09:00:00");
  ZoneGuard utc("UTC0");
  EXPECT_EQ(formatFileDateTime(fileTimeToLocal(kY2k + 86'399 * kTicksPerSecond)), "2000/01/01 23:59:59");
}

TEST(FileDate, RoundsHalfSecondsToTheEvenSecond) {
  ZoneGuard zone("UTC0");
  const std::uint64_t ms = 10'000;
  EXPECT_EQ(fileTimeToLocal(kY2k + 499 * ms).Second, 0);
  EXPECT_EQ(fileTimeToLocal(kY2k + 500 * ms).Second, 0);  // 0.5 goes to 0 (even)
  EXPECT_EQ(fileTimeToLocal(kY2k + 501 * ms).Second, 1);
  EXPECT_EQ(fileTimeToLocal(kY2k + kTicksPerSecond + 500 * ms).Second, 2);  // 1.5 goes to 2
  EXPECT_EQ(fileTimeToLocal(kY2k + 2 * kTicksPerSecond + 500 * ms).Second, 2);
  // Sub-millisecond ticks are dropped first, as the platform's conversion does.
  EXPECT_EQ(fileTimeToLocal(kY2k + 500 * ms + 9'999).Second, 0);
  // Rounding up can carry into the next day.
  EXPECT_EQ(formatFileDateTime(fileTimeToLocal(kY2k - kTicksPerSecond + 600 * ms)), "2000/01/01 00:00:00");
}

TEST(FileDate, UnconvertibleTimesGiveTheZeroDate) {
  EXPECT_TRUE(fileTimeToLocal(0x8000000000000000ull).isZero());
  EXPECT_TRUE(fileTimeToLocal(~0ull).isZero());
  EXPECT_EQ(formatFileDateTime(FileDateTime{}), "0000/00/00 00:00:00");
}

TEST(FixedFileInfo, FieldsPropertiesAndTexts) {
  ZoneGuard zone("JST-9");
  testsupport::TempFolder folder;
  auto plan = testsupport::simpleVersionInfo({4, 71, 1712, 40000}, "x");
  plan.fixed.productVersion = {6, 0, 65535, 1};
  plan.fixed.flags = 0x2;
  plan.fixed.os = 0x40004;
  plan.fixed.type = 1;
  plan.fixed.subtype = 7;
  plan.fixed.fileTime = kY2k;
  clsFileVersion reader;
  ASSERT_TRUE(reader.GetFileVersion(folder.write("a.dll", buildImage(testsupport::ImageFormat::Pe32, plan).bytes)));
  const clsFixedFileInfo& f = reader.FixedFileInfo();
  EXPECT_EQ(f.FileVersion(), "4.71.1712.-25536");
  EXPECT_EQ(f.ProductVersion(), "6.0.-1.1");
  EXPECT_EQ(f.Signature(), 0xFEEF04BDu);
  EXPECT_EQ(f.StructVersion(), 0x00010000u);
  EXPECT_EQ(f.FileFlagsMask(), 0x3Fu);
  EXPECT_EQ(f.FileFlags(), 2u);
  EXPECT_EQ(f.FileOS(), 0x40004u);
  EXPECT_EQ(f.FileType(), 1u);
  EXPECT_EQ(f.FileSubType(), 7u);
  EXPECT_EQ(formatFileDateTime(f.FileDate()), "2000/01/01 09:00:00");

  EXPECT_EQ(std::get<std::uint32_t>(f.Properties(0)), 0xFEEF04BDu);
  EXPECT_EQ(std::get<std::int16_t>(f.Properties(2)), 4);
  EXPECT_EQ(std::get<std::int16_t>(f.Properties(5)), -25536);
  EXPECT_EQ(std::get<std::int16_t>(f.Properties(8)), -1);
  EXPECT_EQ(std::get<std::uint32_t>(f.Properties(14)), 7u);
  EXPECT_EQ(std::get<FileDateTime>(f.Properties(15)), f.FileDate());
  EXPECT_TRUE(std::holds_alternative<std::monostate>(f.Properties(16)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(f.Properties(-1)));
  EXPECT_STREQ(clsFixedFileInfo::PropertyName(12), "FileOS");
  EXPECT_STREQ(clsFixedFileInfo::PropertyName(16), "");
}

TEST(StringFileInfo, ItemsByDescriptionIndex) {
  EXPECT_STREQ(clsStringFileInfo::ValueName(1), "Comments");
  EXPECT_STREQ(clsStringFileInfo::ValueName(4), "FileVersion");
  EXPECT_STREQ(clsStringFileInfo::ValueName(10), "ProductVersion");
  EXPECT_STREQ(clsStringFileInfo::ValueName(0), "");
  clsStringFileInfo empty;
  EXPECT_EQ(empty.Item(11), "");
}

TEST(LanguageNames, CommonNamesAndFallbacks) {
  EXPECT_EQ(languageName(0x0411), "日本語");
  EXPECT_EQ(languageName(0x0409), "英語 (米国)");
  EXPECT_EQ(languageName(0x0809), "英語 (英国)");
  EXPECT_EQ(languageName(0x0000), "言語ニュートラル");
  EXPECT_EQ(languageName(0x0009), "英語");
  EXPECT_EQ(languageName(0x2C09), "英語 (言語 ID 2C09)");
  EXPECT_EQ(languageName(0x0477), "不明な言語 (言語 ID 0477)");
  EXPECT_EQ(languageName(0x0804), "中国語 (中華人民共和国)");
}

}  // namespace
}  // namespace quorvane
