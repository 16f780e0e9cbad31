#pragma once

#include <string>
#include <vector>

#include "help/fixed_surface.h"
#include "help/help_render.h"

namespace quorvane::help::testing {

// A pass over a source text on fixed-metrics surfaces (a canvas 6000 by 3000 twips,
// 15 twips per pixel), keeping what it drew.
struct Rendered {
  FixedMetricsSurface canvas{6000, 3000};
  FixedMetricsSurface work{6000, 3000};
  RenderSettings settings;
  AnchorTable anchors;
  std::vector<LinkRegion> links;
  RenderResult result;

  RenderResult render(const std::string& utf8Source);
};

}  // namespace quorvane::help::testing
