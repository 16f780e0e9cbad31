#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "help/anchor_table.h"
#include "help/help_surface.h"
#include "help/html_text.h"
#include "help/link_region.h"

// One rendering pass over a help source text: the walk over text runs, entities and tags,
// and the drawing of what it finds onto a canvas (with a hidden work canvas for aligned
// lines and images).
namespace quorvane::help {

struct PageColors {
  Color text = 0x000000;
  Color background = 0xFFFFFF;
  Color link = 0xFF0000;  // blue, red in the lowest byte
};

// Settings of one pass that the renderer object keeps between passes.
struct RenderSettings {
  std::string topicName;      // empty: the start of the page
  bool enableDispEnd = true;  // the end-of-topic comment ends the displayed topic
  double displayScale = 1.0;
  std::int32_t baseSizeIndex = 4;
  PageColors colors;
  std::string helpFolder;     // images are loaded relative to it
};

enum class RenderFailure {
  None,
  NoBody,              // the text has no "<BODY"
  UnclosedTag,         // a "<" without a ">" after it
  EmptyAttribute,      // ALIGN, SIZE, COLOR, BGCOLOR, TEXT or LINK present but empty
  NotAColor,           // a colour value that is neither a name nor hexadecimal
  BadFontSize,         // a FONT size index outside 1..7
  BaseFontWithoutSize  // a BASEFONT tag without SIZE
};

struct RenderResult {
  bool ok = false;
  RenderFailure failure = RenderFailure::None;
  std::int32_t failurePosition = 0;  // 1-based source position of the failing construct
  std::string plainText;             // only for a successful pass
};

// Renders the page. `settings` keeps the colours and base size that BODY and BASEFONT
// change; `anchors` grows with every anchor walked over; `links` is filled with the link
// regions of the page (the caller empties it before the pass).
RenderResult RenderPage(TextView source, RenderSettings& settings, AnchorTable& anchors,
                        std::vector<LinkRegion>& links, HelpSurface& canvas, HelpSurface& work);

const char* describe(RenderFailure failure);

}  // namespace quorvane::help
