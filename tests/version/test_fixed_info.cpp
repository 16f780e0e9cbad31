#include <gtest/gtest.h>

#include "support/pe_image_builder.h"
#include "support/temp_folder.h"
#include "support/time_zone.h"
#include "version/clsFileVersion.h"
#include "version/file_date_time.h"
#include "version/language_names.h"

namespace quorvane {
namespace {

#if defined(_WIN32)
// Windows converts with the system's time zone, which a test cannot set: a test that
// needs a zone runs only where the system already is in it (Wine takes it from TZ).
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone, int hoursEastOfUtc) : m_zone(zone) {
    const FileDateTime midnight = fileTimeToLocal(125'911'584'000'000'000ull);  // 2000-01-01 00:00 UTC
    m_active = midnight.Hour == (24 + hoursEastOfUtc) % 24 && midnight.Minute == 0;
  }
  bool active() const { return m_active; }
  std::string zone() const { return m_zone; }

 private:
  std::string m_zone;
  bool m_active = false;
};
#else
// Runs a test in a fixed time zone and restores the previous one.
class ZoneGuard {
 public:
  ZoneGuard(const char* zone, int) : m_zone(zone) {
    if (const char* old = std::getenv("TZ")) m_old = old, m_had = true;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneGuard() {
    if (m_had) setenv("TZ", m_old.c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }
  bool active() const { return true; }
  std::string zone() const { return m_zone; }

 private:
  std::string m_zone;
  std::string m_old;
  bool m_had = false;
};
#endif

#define QUORVANE_IN_ZONE(guard, tz, hours) \
  ZoneGuard guard(tz, hours);              \
  if (!guard.active()) GTEST_SKIP() << "the system's time zone is not " << guard.zone()

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
// 2000-01-01 00:00:00 UTC.
constexpr std::uint64_t kY2k = 125'911'584'000'000'000ull;

TEST(FileDate, ConvertsToLocalTime) {
  QUORVANE_IN_ZONE(zone, "JST-9", 9);
  EXPECT_EQ(formatFileDateTime(fileTimeToLocal(kY2k)), "2000/01/01 09:00:00");
  EXPECT_EQ(formatFileDateTime(fileTimeToLocal(0)), "1601/01/01 09:00:00");
  QUORVANE_IN_ZONE(utc, "UTC0", 0);
  EXPECT_EQ(formatFileDateTime(fileTimeToLocal(kY2k + 86'399 * kTicksPerSecond)), "2000/01/01 23:59:59");
}

TEST(FileDate, RoundsHalfSecondsToTheEvenSecond) {
  QUORVANE_IN_ZONE(zone, "UTC0", 0);
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
}

TEST(FixedFileInfo, FieldsPropertiesAndTexts) {
  QUORVANE_IN_ZONE(zone, "JST-9", 9);
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
