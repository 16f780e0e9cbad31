#include "common/local_stamp.h"

namespace quorvane {

namespace {

std::string twoDigits(int v) {
  return std::string{static_cast<char>('0' + (v / 10) % 10), static_cast<char>('0' + v % 10)};
}

}  // namespace

LocalStamp localStampOf(const platform::LocalTime& t) {
  return LocalStamp{twoDigits(t.year % 100) + "/" + twoDigits(t.month) + "/" + twoDigits(t.day),
                    twoDigits(t.hour) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second)};
}

bool toLocalTime(std::time_t t, std::tm& out) { return platform::localCalendarTime(t, out); }

std::optional<LocalStamp> localStamp(std::time_t t) {
  std::tm tm{};
  // Years outside 1900 to 9999 have no honest two-digit form (the digits of a year before
  // 1900 would come out as punctuation).
  if (!toLocalTime(t, tm) || tm.tm_year < 0 || tm.tm_year > 9999 - 1900) return std::nullopt;
  return LocalStamp{twoDigits(tm.tm_year % 100) + "/" + twoDigits(tm.tm_mon + 1) + "/" + twoDigits(tm.tm_mday),
                    twoDigits(tm.tm_hour) + ":" + twoDigits(tm.tm_min) + ":" + twoDigits(tm.tm_sec)};
}

}  // namespace quorvane
