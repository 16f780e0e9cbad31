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

TEST(Twips, RoundHalfEvenAndTheScreenFactors) {
  const std::pair<double, int> cases[] = {{2.5, 2},    {3.5, 4},    {-2.5, -2},       {-3.5, -4},       {1.4999, 1},
                                          {1.5001, 2}, {23.0 / 15.0, 2}, {1e300, INT_MAX}, {-1e300, INT_MIN}};
  for (const auto& [value, rounded] : cases) EXPECT_EQ(roundHalfEven(value), rounded) << value;
  EXPECT_EQ(QPoint(TwipsPerPixelX(), TwipsPerPixelY()), QPoint(15, 15));  // offscreen is 96 DPI: 1440 / 96
}

// Edge calls in, pixel rows out: rows 0.. of the 6 x 5 image, then column 0.
TEST(DeviceContext, DrawEdgeRows) {
  struct Call {
    GdiRect rect;
    int edge, sides;
  };
  const int bottomRight = Edge::Right | Edge::Bottom;
  const std::pair<std::vector<Call>, std::vector<const char*>> cases[] = {
      // A thin raised button: one light top-left line, a dark shadow outside and a shadow inside at the
      // bottom right.
      {{{{0, 0, 6, 5}, Edge::RaisedOuter, bottomRight}, {{0, 0, 5, 4}, Edge::RaisedInner, bottomRight},
        {{0, 0, 5, 4}, Edge::RaisedInner, Edge::Left | Edge::Top}},
       {"WWWWWK", "WFFFSK", "WFFFSK", "WSSSSK", "KKKKKK", "WWWWK"}},
      // The inner ring asks for raised and sunken at once and is dropped.
      {{{{0, 0, 5, 5}, Edge::SunkenOuter | Edge::RaisedInner | Edge::SunkenInner, Edge::Rect}},
       {"SSSSWF", "SFFFWF", "SFFFWF", "SFFFWF", "WWWWWF", "SSSSW"}},
      // The classic sunken field.
      {{{{0, 0, 5, 5}, Edge::SunkenOuter | Edge::SunkenInner, Edge::Rect}},
       {"SSSSWF", "SKKFWF", "SKFFWF", "SFFFWF", "WWWWWF", "SSSSW"}},
  };
  for (const auto& [calls, rows] : cases) {
    SCOPED_TRACE(rows[1]);
    QImage t = solidImage(6, 5, kFace);
    DeviceContext dc(t);
    for (const Call& call : calls) dc.DrawEdge(call.rect, call.edge, call.sides);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(rowString(t, y, 0, 6), rows[std::size_t(y)]) << y;
    EXPECT_EQ(columnString(t, 0, 0, 5), rows[5]);
  }
}

}  // namespace
}  // namespace quorvane::testing
