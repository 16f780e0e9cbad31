#include <gtest/gtest.h>

#include "common/local_stamp.h"
#include "support/time_zone.h"

namespace quorvane {
namespace {

TEST(LocalStamp, TwoDigitFieldsInLocalTime) {
  const testsupport::ZoneGuard zone("JST-9");
  const std::pair<std::time_t, const char*> cases[] = {
      {981173106, "01/02/03 13:05:06"},   // 2001-02-03 04:05:06 UTC
      {946652399, "99/12/31 23:59:59"},
      {946652400, "00/01/01 00:00:00"},   // the year 2000
      {4102412400, "00/01/01 00:00:00"},  // 2100: the century never shows
  };
  for (const auto& [t, expected] : cases) {
    const auto s = localStamp(t);
    EXPECT_EQ(s ? s->date + " " + s->time : "<none>", expected) << t;
  }
}

}  // namespace
}  // namespace quorvane
