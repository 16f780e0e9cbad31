#pragma once

#include <vector>

#include "help/help_layout.h"
#include "help/help_render.h"
#include "help/pass_state.h"

namespace quorvane::help {

// The walk of one rendering pass (see RenderPage). Internal to the help folder.
class RenderPass {
 public:
  RenderPass(TextView source, RenderSettings& settings, AnchorTable& anchors,
             std::vector<LinkRegion>& links, HelpSurface& canvas, HelpSurface& work);
  RenderResult run();

 private:
  enum class Step { Continue, End, Fail };

  Step step();
  void textRun();
  void entity();
  Step tag();
  Step dispatch(const Text& body, const Text& upper, std::size_t tagStart);
  Step simpleTag(const Text& upper, bool& handled);
  Step listTag(const Text& upper, bool& handled);
  Step anchorTag(const Text& body, const Text& upper, std::size_t tagStart);
  void imageTag(const Text& body, const Text& upper);
  Step commentTag(const Text& upper);
  Step paragraphTag(const Text& upper);
  Step headingStart(const Text& upper, bool withAttributes);
  void headingEnd();
  Step alignAttribute(const Text& upper, std::size_t from);
  Step baseFontTag(const Text& upper);
  Step bodyTag(const Text& upper);
  Step fontTag(const Text& upper);
  // Reads an attribute present in `upper`; Fail (empty value) is recorded here.
  Step attribute(const Text& upper, TextView name, bool& present, Text& value);
  Step readColor(const Text& upper, TextView name, bool& present, Color& color);
  Step fail(RenderFailure failure);

  void lineBreakToken();
  void setFontPoints(double points);
  void drawStage();

  TextView m_source;
  PassState m_state;
  AnchorTable& m_anchors;
  std::vector<LinkRegion>& m_links;
  HelpSurface& m_canvas;
  HelpLayout m_layout;
  std::size_t m_pos = 0;  // 0-based
  std::size_t m_tagStart = 0;
  NextFinder m_nextLt;
  NextFinder m_nextAmp;
  NextFinder m_nextGt;
  NextFinder m_nextSemicolon;
  RenderResult m_result;
};

}  // namespace quorvane::help
