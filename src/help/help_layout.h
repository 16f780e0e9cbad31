#pragma once

#include <string>
#include <vector>

#include "help/help_surface.h"
#include "help/link_region.h"
#include "help/pass_state.h"

namespace quorvane::help {

// The drawing stage of a pass: places tokens one character at a time against the right
// margin, grows the canvas line by line, fills list indents with invisible characters,
// composes centred and right-aligned lines on the work canvas, draws rules and images,
// and records the link regions.
class HelpLayout {
 public:
  static constexpr Twips kIndentStep = 300;
  static constexpr Twips kRightMargin = 300;

  HelpLayout(PassState& state, HelpSurface& canvas, HelpSurface& work,
             std::vector<LinkRegion>& links);

  void startPass();
  void drawToken(TextView token);
  void horizontalRule();
  void drawImage();
  // Ends a normal pass: a pending aligned line is copied, two line ends, and the canvas
  // height trimmed to what was drawn.
  void finishPass();

  // Starts a link region at the current drawing position.
  void beginLink(const std::string& target);
  void moveDown(Twips by);
  void setCanvasBackground(Color color);

 private:
  void drawLeft(TextView token);
  void placeCharacter(char32_t c, long long limit, bool inLink, Twips tokenHeight);
  long long piecesWidth(TextView piece);
  void markLineStart();
  void composeAligned(TextView token);
  void copyAligned();
  void listFill(bool insideLink);
  void printFill(std::string_view text, std::int32_t count, Color restore);
  void wrapLine(bool insideLink, Twips tokenHeight);
  void growBy(Twips amount);
  void growIfNeeded(long long bottom, Twips amount);
  void ensureRoom(long long bottom);
  void flushRun();

  PassState& m_state;
  HelpSurface& m_canvas;
  HelpSurface& m_work;
  std::vector<LinkRegion>& m_links;
  std::string m_run;         // characters measured but not yet printed
  long long m_runEndX = 0;   // CurrentX after the run
  long long m_lineStartX = 0;  // where text on the current line starts (after the fill)
  Twips m_lineY = -1;          // the line m_lineStartX belongs to
};

}  // namespace quorvane::help
