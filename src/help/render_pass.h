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
  // One tag as the handlers see it.
  struct Tag {
    const Text& body;   // as written
    const Text& upper;  // in upper case, for matching
    std::size_t start;  // 0-based position of its "<"
    bool afterListTag;  // the tag before it opened or closed a list item
  };
  using TagHandler = Step (RenderPass::*)(const Tag&);
  Step dispatch(const Text& body, const Text& upper, std::size_t tagStart);

  // Handlers by tag name (render_tags.cpp).
  Step endOfBody(const Tag&);
  Step ignoredTag(const Tag&);
  Step boldTag(const Tag& tag);
  Step italicTag(const Tag& tag);
  Step strikeTag(const Tag& tag);
  Step endFontTag(const Tag&);
  Step endLinkTag(const Tag&);
  Step quoteTag(const Tag& tag);
  Step orderedListTag(const Tag&);
  Step bulletListTag(const Tag&);
  Step endListTag(const Tag& tag);
  Step listItemTag(const Tag&);
  Step definitionListTag(const Tag&);
  Step termTag(const Tag&);
  Step definitionTag(const Tag&);
  Step endDefinitionTag(const Tag&);
  Step centerTag(const Tag& tag);
  Step endTableTag(const Tag&);
  Step lineBreakTag(const Tag&);
  Step paragraphBreakTag(const Tag& tag);
  Step ruleTag(const Tag&);
  // Handlers by pattern, for tags with attributes (render_tags.cpp, render_attributes.cpp).
  Step imageTag(const Tag& tag);
  Step commentTag(const Tag& tag);
  Step anchorTag(const Tag& tag);
  Step tableTag(const Tag&);
  Step paragraphTag(const Tag& tag);
  Step headingTag(const Tag& tag);
  Step endHeadingTag(const Tag&);
  Step baseFontTag(const Tag& tag);
  Step bodyTag(const Tag& tag);
  Step fontTag(const Tag& tag);
  Step alignAttribute(const Text& upper, std::size_t from);
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
