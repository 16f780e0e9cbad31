#include "controls/raster_ops.h"

namespace quorvane::raster {

namespace {
// Whether the truth table differs when one input bit flips: then that input matters.
bool dependsOn(quint32 rop, int bit) {
  const quint32 table = (rop >> 16) & 0xFF;
  for (int i = 0; i < 8; ++i) {
    const bool a = (table >> i) & 1u;
    const bool b = (table >> (i ^ bit)) & 1u;
    if (a != b) return true;
  }
  return false;
}
}  // namespace

bool ropUsesSource(quint32 rop) { return dependsOn(rop, 2); }
bool ropUsesPattern(quint32 rop) { return dependsOn(rop, 4); }

}  // namespace quorvane::raster
