#include <gtest/gtest.h>

#include "common/local_stamp.h"
#include "support/time_zone.h"

namespace quorvane {
namespace {

TEST(LocalStamp, TwoDigitFieldsInLocalTime) {
  const testsupport::ZoneGuard zone("JST-9");
  struct Case {
    std::time_t t;
    const char* date;
    const char* time;
  } const cases[] = {
      {981173106, "01/02/03", "13:05:06"},  // 2001-02-03 04:05:06 UTC
      {946652399, "99/12/31", "23:59:59"},  // 1999-12-31 14:59:59 UTC
      {946652400, "00/01/01", "00:00:00"},  // the year 2000 shows as 00
      {4102412400, "00/01/01", "00:00:00"}, // 2100: the century never shows
  };
  for (const Case& c : cases) {
    const auto s = localStamp(c.t);
    ASSERT_TRUE(s) << c.t;
    EXPECT_EQ(s->date, c.date) << c.t;
    EXPECT_EQ(s->time, c.time) << c.t;
  }
}

}  // namespace
}  // namespace quorvane
