#include "version/file_date_time.h"

#include <cstdio>
#include <ctime>

#include "common/local_stamp.h"

namespace quorvane {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::uint64_t kTicksPerMillisecond = 10'000;
constexpr std::int64_t kSeconds1601To1970 = 11'644'473'600;

}  // namespace

FileDateTime fileTimeToLocal(std::uint64_t fileTime) {
  if (fileTime >= 0x8000000000000000ull) return {};
  std::time_t seconds = static_cast<std::time_t>(static_cast<std::int64_t>(fileTime / kTicksPerSecond) - kSeconds1601To1970);
  const auto milliseconds = static_cast<unsigned>((fileTime % kTicksPerSecond) / kTicksPerMillisecond);
  std::tm local{};
  if (!toLocalTime(seconds, local)) return {};
  // The parity that decides a half second is the local one, so round after converting.
  if (milliseconds > 500 || (milliseconds == 500 && local.tm_sec % 2 == 1)) {
    ++seconds;
    if (!toLocalTime(seconds, local)) return {};
  }
  return FileDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                      local.tm_hour, local.tm_min, local.tm_sec};
}

std::string formatFileDateTime(const FileDateTime& d) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", static_cast<int>(d.Year),
                static_cast<int>(d.Month), static_cast<int>(d.Day), static_cast<int>(d.Hour),
                static_cast<int>(d.Minute), static_cast<int>(d.Second));
  return text;
}

}  // namespace quorvane
