#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "common/platform.h"

namespace quorvane {

// A moment in local time as the lists and files of the program show it: the date as
// "yy/mm/dd" and the time as "hh:mm:ss", every field two digits.
struct LocalStamp {
  std::string date;
  std::string time;
};

// The local time of `t`; false when the platform cannot convert it.
bool toLocalTime(std::time_t t, std::tm& out);

// The stamp of a local time the system gave.
LocalStamp localStampOf(const platform::LocalTime& t);

// The stamp of `t`; nothing when `t` cannot be converted to local time or its year lies
// outside 1900 to 9999.
std::optional<LocalStamp> localStamp(std::time_t t);

}  // namespace quorvane
