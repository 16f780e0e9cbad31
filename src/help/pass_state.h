#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "help/help_render.h"
#include "help/html_text.h"

namespace quorvane::help {

enum Alignment : int { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

// Everything one rendering pass changes as it walks; shared by the parser and the layout.
struct PassState {
  explicit PassState(RenderSettings& s) : settings(s) {}

  RenderSettings& settings;
  bool display = true;
  Text token;  // the pending token; empty means nothing to draw
  Text previousTag;

  // Nesting counters keep a 16-bit range, so hostile nesting saturates instead of
  // overflowing.
  std::int32_t indent = 0;
  std::int32_t ulDepth = 0;  // 0, not -1: every line after a break gets one fill bullet
  std::int32_t olLevel = -1;
  std::vector<std::int32_t> olCounters;
  // The indent level at each open definition list, so its items do not pile up indents
  // (DD is seldom closed) and the text after the list returns to where it was.
  std::vector<std::int32_t> dlIndents;
  bool bulletPending = false;
  bool numberPending = false;

  int alignment = kAlignLeft;
  int previousAlignment = kAlignLeft;
  bool linkActive = false;
  bool fontColorChanged = false;
  bool fontSizeChanged = false;
  Color tableSavedColor = 0;

  bool imagePending = false;
  std::string imageName;
  std::int32_t imageWidth = 0;
  std::int32_t imageHeight = 0;

  std::int32_t basePoints = 14;

  // Drawing state: a line composed on the work canvas and not yet copied, and the
  // alignment it was composed with.
  bool alignedPending = false;
  int alignedWith = kAlignLeft;

  std::string plain;

  void setAlignment(int value) {
    previousAlignment = alignment;
    alignment = value;
  }
};

inline std::int32_t clampNesting(std::int64_t v) {
  return static_cast<std::int32_t>(v < -32768 ? -32768 : (v > 32767 ? 32767 : v));
}

}  // namespace quorvane::help
