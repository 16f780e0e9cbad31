#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

// A local calendar date and time. All zeros is the date of a file without version
// information ("year 0, month 0, day 0 at 0:00:00").
struct FileDateTime {
  std::int32_t Year = 0;
  std::int32_t Month = 0;
  std::int32_t Day = 0;
  std::int32_t Hour = 0;
  std::int32_t Minute = 0;
  std::int32_t Second = 0;

  bool isZero() const { return Year == 0 && Month == 0 && Day == 0 && Hour == 0 && Minute == 0 && Second == 0; }
  friend bool operator==(const FileDateTime&, const FileDateTime&) = default;
};

// A 64-bit file time (100-nanosecond units since 1601-01-01 UTC) as local date and time,
// the seconds and milliseconds rounded to the nearest whole second (halves to the even
// second). Times the platform refuses to convert (the top bit set, or beyond what the
// local calendar functions handle) give the zero date.
FileDateTime fileTimeToLocal(std::uint64_t fileTime);

// "YYYY/MM/DD HH:MM:SS".
std::string formatFileDateTime(const FileDateTime& date);

}  // namespace quorvane
