#pragma once

#include <cstdint>
#include <string>

namespace quorvane::help {

// One named anchor of the loaded help file.
struct AnchorEntry {
  std::int32_t Position = 0;  // 1-based source position of the anchor tag's "<"
  std::string Name;           // exactly as written, case kept
};

}  // namespace quorvane::help
