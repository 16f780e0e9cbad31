#include <gtest/gtest.h>

#include "support/pe_image_builder.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"
#include "version/clsFileVersion.h"
#include "version/file_date_time.h"
#include "version/language_names.h"

namespace quorvane {
namespace {

constexpr std::uint64_t kSecond = 10'000'000, kMs = 10'000;
constexpr std::uint64_t kY2k = 125'911'584'000'000'000ull;  // 2000-01-01 00:00:00 UTC

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

TEST(FixedFileInfo, EveryFieldReachesItsProperty) {
  QUORVANE_SKIP_UNLESS_SYSTEM_ZONE_FOLLOWS_TZ();
  const testsupport::ZoneGuard zone("JST-9");
  const testsupport::TempFolder folder("version");
  auto plan = testsupport::simpleVersionInfo({4, 71, 32768, 40000}, "x");
  plan.fixed.productVersion = {6, 0, 65535, 1};
  plan.fixed.flags = 0x2;
  plan.fixed.os = 0x40004;
  plan.fixed.type = 1;
  plan.fixed.subtype = 7;
  plan.fixed.fileTime = kY2k;
  clsFileVersion reader;
  ASSERT_TRUE(reader.GetFileVersion(folder.write("a.dll", buildImage(testsupport::ImageFormat::Pe32, plan).bytes)));
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

TEST(LanguageNames, KnownNamesAndFallbacks) {
  EXPECT_EQ(languageName(0x0411), "日本語");
  EXPECT_EQ(languageName(0x0009), "英語");                          // a primary language alone
  EXPECT_EQ(languageName(0x2C09), "英語 (言語 ID 2C09)");           // a region not listed
  EXPECT_EQ(languageName(0x0477), "不明な言語 (言語 ID 0477)");
}

}  // namespace
}  // namespace quorvane
