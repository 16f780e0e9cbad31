// The drawing primitives: twips, colour values, raster-operation truth tables, block copies, pens, pixels
// and edges on a device context, the etched line and the compiled-in resources.
#include "controls/device_context.h"
#include "controls/etched_line.h"
#include "controls/raster_ops.h"
#include "controls/twips.h"

#include "support_controls.h"

#include <QPalette>

#include <climits>
#include <random>
#include <vector>

namespace quorvane::testing {
namespace {

}  // namespace
}  // namespace quorvane::testing
