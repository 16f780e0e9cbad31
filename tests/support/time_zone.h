#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace quorvane::testsupport {

// Sets the local time zone (a TZ value such as "JST-9") for the life of the object and
// restores the previous one, so that local dates in a test are known.
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_old = old, m_had = true;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneGuard() {
    if (m_had) setenv("TZ", m_old.c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }
  ZoneGuard(const ZoneGuard&) = delete;
  ZoneGuard& operator=(const ZoneGuard&) = delete;

 private:
  std::string m_old;
  bool m_had = false;
};

}  // namespace quorvane::testsupport
