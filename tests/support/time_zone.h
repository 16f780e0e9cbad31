#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace quorvane::testsupport {

// Sets the local time zone (a TZ value such as "JST-9") for the life of the object and
// restores the previous one, so that local dates in a test are known. The C library
// follows it on every platform; Windows' own time functions take the zone of the system
// instead, so a test of those skips there (QUORVANE_SKIP_UNLESS_SYSTEM_ZONE_FOLLOWS_TZ).
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_old = old, m_had = true;
    set(zone);
  }
  ~ZoneGuard() { m_had ? set(m_old.c_str()) : set(nullptr); }
  ZoneGuard(const ZoneGuard&) = delete;
  ZoneGuard& operator=(const ZoneGuard&) = delete;

 private:
  static void set(const char* zone) {
#if defined(_WIN32)
    _putenv_s("TZ", zone ? zone : "");  // the empty value removes the variable
    _tzset();
#else
    zone ? setenv("TZ", zone, 1) : unsetenv("TZ");
    tzset();
#endif
  }

  std::string m_old;
  bool m_had = false;
};

}  // namespace quorvane::testsupport

// For tests whose local times come from the system's own conversion, which on Windows
// uses the system's zone and ignores TZ.
#if defined(_WIN32)
#define QUORVANE_SKIP_UNLESS_SYSTEM_ZONE_FOLLOWS_TZ() \
  GTEST_SKIP() << "Windows converts to local time in the system's zone, not in TZ's"
#else
#define QUORVANE_SKIP_UNLESS_SYSTEM_ZONE_FOLLOWS_TZ() static_cast<void>(0)
#endif
