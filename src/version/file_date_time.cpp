#include "version/file_date_time.h"

#include <cstdio>

#include "common/platform.h"

namespace quorvane {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;

}  // namespace

FileDateTime fileTimeToLocal(std::uint64_t fileTime) {
  if (fileTime >= 0x8000000000000000ull) return {};
  auto local = platform::localFromFileTime(fileTime);
  if (!local) return {};
  // The parity that decides a half second is the local one, so round after converting.
  const int milliseconds = local->millisecond;
  if (milliseconds > 500 || (milliseconds == 500 && local->second % 2 == 1)) {
    local = platform::localFromFileTime(fileTime - fileTime % kTicksPerSecond + kTicksPerSecond);
    if (!local) return {};
  }
  return FileDateTime{local->year, local->month, local->day, local->hour, local->minute, local->second};
}

std::string formatFileDateTime(const FileDateTime& d) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", static_cast<int>(d.Year),
                static_cast<int>(d.Month), static_cast<int>(d.Day), static_cast<int>(d.Hour),
                static_cast<int>(d.Minute), static_cast<int>(d.Second));
  return text;
}

}  // namespace quorvane
