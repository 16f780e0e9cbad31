#pragma once

#include <cstdint>
#include <string>

namespace quorvane::help {

// One clickable rectangle of a link on the canvas, in twips. A link that wraps onto a
// second line has one region per line, with the same target.
struct LinkRegion {
  std::int32_t X1 = 0;
  std::int32_t Y1 = 0;
  std::int32_t X2 = 0;  // 0 until a character of the link is drawn
  std::int32_t Y2 = 0;  // 0 until a character of the link is drawn
  std::string Target;   // the HREF value, quotes removed
  std::string Text;     // the last token drawn inside the link (the tooltip)
};

}  // namespace quorvane::help
