// The tag rules of a rendering pass: one table from a tag's name to its handler, then the
// patterns of the tags that carry attributes, tried in order. A tag in neither is ignored.
#include <algorithm>
#include <array>
#include <utility>

#include "help/html_attributes.h"
#include "help/render_pass.h"

namespace quorvane::help {

namespace {
constexpr TextView kEndOfTopic = U"ZQHTML.ENDOFTOPIC";

bool isListTag(TextView upper) {
  return upper == U"/UL" || upper == U"/OL" || upper == U"/DL" || upper == U"LI" || upper == U"/LI";
}

bool isClosing(const Text& upper) { return !upper.empty() && upper.front() == U'/'; }

// 1-based position of `what` in `text` at or after the 1-based `from`, or 0.
std::int32_t instr(TextView text, TextView what, std::size_t from = 1) {
  if (from < 1) from = 1;
  if (from - 1 > text.size()) return 0;
  const std::size_t at = text.find(what, from - 1);
  return at == TextView::npos ? 0 : static_cast<std::int32_t>(at + 1);
}

// Ordered-list item numbers: the digits after an ideographic space, last two kept.
Text itemNumber(std::int32_t counter) {
  Text digits = U"\u3000" + toText(std::to_string(counter));
  return digits.substr(digits.size() - 2);
}
}  // namespace

RenderPass::Step RenderPass::dispatch(const Text& body, const Text& upper, std::size_t tagStart) {
  using Entry = std::pair<TextView, TagHandler>;
  static constexpr std::array kNamed{
      Entry{U"/BODY", &RenderPass::endOfBody},
      Entry{U"B", &RenderPass::boldTag},         Entry{U"/B", &RenderPass::boldTag},
      Entry{U"BOLD", &RenderPass::boldTag},      Entry{U"/BOLD", &RenderPass::boldTag},
      Entry{U"STRONG", &RenderPass::boldTag},    Entry{U"/STRONG", &RenderPass::boldTag},
      Entry{U"I", &RenderPass::italicTag},       Entry{U"/I", &RenderPass::italicTag},
      Entry{U"ITALIC", &RenderPass::italicTag},  Entry{U"/ITALIC", &RenderPass::italicTag},
      Entry{U"S", &RenderPass::strikeTag},       Entry{U"/S", &RenderPass::strikeTag},
      Entry{U"STRIKE", &RenderPass::strikeTag},  Entry{U"/STRIKE", &RenderPass::strikeTag},
      Entry{U"/FONT", &RenderPass::endFontTag},  Entry{U"/FONT/", &RenderPass::endFontTag},
      Entry{U"/A", &RenderPass::endLinkTag},
      Entry{U"BLOCKQUOTE", &RenderPass::quoteTag}, Entry{U"/BLOCKQUOTE", &RenderPass::quoteTag},
      Entry{U"OL", &RenderPass::orderedListTag}, Entry{U"UL", &RenderPass::bulletListTag},
      Entry{U"/OL", &RenderPass::endListTag},    Entry{U"/UL", &RenderPass::endListTag},
      Entry{U"/DL", &RenderPass::endListTag},    Entry{U"LI", &RenderPass::listItemTag},
      Entry{U"DT", &RenderPass::termTag},        Entry{U"DD", &RenderPass::definitionTag},
      Entry{U"/DD", &RenderPass::endDefinitionTag},
      Entry{U"DL", &RenderPass::definitionListTag}, Entry{U"/DT", &RenderPass::ignoredTag},
      Entry{U"/LI", &RenderPass::ignoredTag},
      Entry{U"CENTER", &RenderPass::centerTag},  Entry{U"/CENTER", &RenderPass::centerTag},
      Entry{U"/TABLE", &RenderPass::endTableTag},
      Entry{U"BR", &RenderPass::lineBreakTag},   Entry{U"/TR", &RenderPass::lineBreakTag},
      Entry{U"P", &RenderPass::paragraphBreakTag}, Entry{U"/P", &RenderPass::paragraphBreakTag},
      Entry{U"HR", &RenderPass::ruleTag},
  };
  // Patterns: "#" is one digit, "*" any rest.
  static constexpr std::array kPatterns{
      Entry{U"IMG *", &RenderPass::imageTag},     Entry{U"!--*", &RenderPass::commentTag},
      Entry{U"A *", &RenderPass::anchorTag},      Entry{U"P *", &RenderPass::paragraphTag},
      Entry{U"H# *", &RenderPass::headingTag},    Entry{U"H#", &RenderPass::headingTag},
      Entry{U"/H#", &RenderPass::endHeadingTag},  Entry{U"TABLE *", &RenderPass::tableTag},
      Entry{U"BASEFONT *", &RenderPass::baseFontTag}, Entry{U"BODY *", &RenderPass::bodyTag},
      Entry{U"FONT *", &RenderPass::fontTag},
  };
  const Tag tag{body, upper, tagStart, isListTag(m_state.previousTag)};
  m_state.previousTag = upper;
  for (const auto& [name, handler] : kNamed)
    if (upper == name) return (this->*handler)(tag);
  for (const auto& [pattern, handler] : kPatterns)
    if (wildMatch(upper, pattern)) return (this->*handler)(tag);
  return Step::Continue;
}

RenderPass::Step RenderPass::endOfBody(const Tag&) {
  m_pos = m_source.size();
  return Step::End;
}

RenderPass::Step RenderPass::ignoredTag(const Tag&) { return Step::Continue; }

// Font styles are switched, not stacked: one closing tag ends any number of openings.
RenderPass::Step RenderPass::boldTag(const Tag& tag) {
  FontSpec font = m_canvas.font();
  font.bold = !isClosing(tag.upper);
  m_canvas.setFont(font);
  return Step::Continue;
}

RenderPass::Step RenderPass::italicTag(const Tag& tag) {
  FontSpec font = m_canvas.font();
  font.italic = !isClosing(tag.upper);
  m_canvas.setFont(font);
  return Step::Continue;
}

RenderPass::Step RenderPass::strikeTag(const Tag& tag) {
  FontSpec font = m_canvas.font();
  font.strikethrough = !isClosing(tag.upper);
  m_canvas.setFont(font);
  return Step::Continue;
}

RenderPass::Step RenderPass::endFontTag(const Tag&) {
  PassState& s = m_state;
  if (s.fontColorChanged) {
    m_canvas.setForeColor(s.settings.colors.text);
    s.fontColorChanged = false;
  }
  if (s.fontSizeChanged) {
    setFontPoints(s.basePoints);
    s.fontSizeChanged = false;
  }
  return Step::Continue;
}

RenderPass::Step RenderPass::endLinkTag(const Tag&) {
  m_canvas.setForeColor(m_state.settings.colors.text);
  FontSpec font = m_canvas.font();
  font.underline = false;
  m_canvas.setFont(font);
  m_state.linkActive = false;
  return Step::Continue;
}

RenderPass::Step RenderPass::quoteTag(const Tag& tag) {
  if (m_state.display) m_state.indent = clampNesting(m_state.indent + (isClosing(tag.upper) ? -1 : 1));
  return Step::Continue;
}

RenderPass::Step RenderPass::orderedListTag(const Tag&) {
  PassState& s = m_state;
  if (!s.display) return Step::Continue;
  s.indent = clampNesting(s.indent + 1);
  s.olLevel = clampNesting(s.olLevel + 1);
  if (s.olLevel >= 0) {
    s.olCounters.resize(static_cast<std::size_t>(s.olLevel) + 1, 0);
    s.olCounters[static_cast<std::size_t>(s.olLevel)] = 0;
  }
  return Step::Continue;
}

RenderPass::Step RenderPass::bulletListTag(const Tag&) {
  PassState& s = m_state;
  if (!s.display) return Step::Continue;
  s.indent = clampNesting(s.indent + 1);
  s.ulDepth = clampNesting(s.ulDepth + 1);
  return Step::Continue;
}

RenderPass::Step RenderPass::endListTag(const Tag& tag) {
  PassState& s = m_state;
  if (!s.display) return Step::Continue;
  if (tag.upper == U"/OL") {
    s.indent = clampNesting(s.indent - 1);
    // A closing tag without an open list has no counter to reset.
    if (s.olLevel >= 0) {
      s.olCounters[static_cast<std::size_t>(s.olLevel)] = 0;
      --s.olLevel;
    }
  } else if (tag.upper == U"/UL") {
    s.indent = clampNesting(s.indent - 1);
    s.ulDepth = clampNesting(s.ulDepth - 1);
  } else if (!s.dlIndents.empty()) {
    // A definition list ends where it began, however its items were closed.
    s.indent = s.dlIndents.back();
    s.dlIndents.pop_back();
  }
  if (!tag.afterListTag) lineBreakToken();
  return Step::Continue;
}

RenderPass::Step RenderPass::listItemTag(const Tag&) {
  PassState& s = m_state;
  if (!s.display) return Step::Continue;
  m_canvas.setCurrentX(static_cast<Twips>(HelpLayout::kIndentStep * s.indent));
  if (s.olLevel >= 0) {
    std::int32_t& counter = s.olCounters[static_cast<std::size_t>(s.olLevel)];
    counter = clampNesting(counter + 1);
    s.token = U"\r\n" + itemNumber(counter) + U" . ";
    s.numberPending = true;
  } else if (s.ulDepth >= 0) {
    s.token = U"\r\n\u30FB";
    s.bulletPending = true;
  }
  return Step::Continue;
}

// A definition list remembers the indent it began at: its terms stand there and its
// definitions one step in, so unclosed DD tags cannot push the text ever further right.
RenderPass::Step RenderPass::definitionListTag(const Tag&) {
  if (m_state.display) m_state.dlIndents.push_back(m_state.indent);
  return Step::Continue;
}

RenderPass::Step RenderPass::termTag(const Tag&) {
  PassState& s = m_state;
  if (!s.display) return Step::Continue;
  if (!s.dlIndents.empty()) s.indent = s.dlIndents.back();
  lineBreakToken();
  return Step::Continue;
}

RenderPass::Step RenderPass::definitionTag(const Tag&) {
  PassState& s = m_state;
  if (!s.display) return Step::Continue;
  s.indent = clampNesting((s.dlIndents.empty() ? s.indent : s.dlIndents.back()) + 1);
  lineBreakToken();
  return Step::Continue;
}

RenderPass::Step RenderPass::endDefinitionTag(const Tag&) {
  PassState& s = m_state;
  if (s.display) s.indent = s.dlIndents.empty() ? clampNesting(s.indent - 1) : s.dlIndents.back();
  return Step::Continue;
}

RenderPass::Step RenderPass::centerTag(const Tag& tag) {
  if (isClosing(tag.upper)) {
    m_state.setAlignment(kAlignLeft);
  } else {
    m_state.setAlignment(kAlignCenter);
    if (m_state.display) m_state.token = U" ";
  }
  return Step::Continue;
}

RenderPass::Step RenderPass::tableTag(const Tag&) {
  lineBreakToken();
  m_state.plain += "\r\n";
  m_state.tableSavedColor = m_canvas.foreColor();
  m_canvas.setForeColor(m_state.settings.colors.text);
  return Step::Continue;
}

RenderPass::Step RenderPass::endTableTag(const Tag&) {
  m_canvas.setForeColor(m_state.tableSavedColor);
  return Step::Continue;
}

RenderPass::Step RenderPass::lineBreakTag(const Tag&) {
  if (!m_state.display) return Step::Continue;
  lineBreakToken();
  m_state.plain += "\r\n";
  return Step::Continue;
}

// <P> and </P> without attributes; </P> also ends a paragraph's alignment.
RenderPass::Step RenderPass::paragraphBreakTag(const Tag& tag) {
  if (isClosing(tag.upper)) m_state.setAlignment(kAlignLeft);
  if (m_state.display) lineBreakToken();
  return Step::Continue;
}

RenderPass::Step RenderPass::ruleTag(const Tag&) {
  if (m_state.display) m_layout.horizontalRule();
  return Step::Continue;
}

RenderPass::Step RenderPass::anchorTag(const Tag& tag) {
  PassState& s = m_state;
  const TextView rest = trimSpaces(TextView(tag.upper).substr(2));
  if (wildMatch(rest, U"NAME=*")) {
    const std::string name = toUtf8(cleanAttributeValue(tag.body, 1));
    const std::string& topic = s.settings.topicName;
    if (!topic.empty() && topic == name && !s.display) {
      s.display = true;
      // A token still pending from the hidden part before the topic belongs to the
      // previous topic; it must not open this one.
      s.token.clear();
    }
    if (!name.empty() && m_anchors.indexOf(name) < 0)
      m_anchors.add(static_cast<std::int32_t>(std::min<std::size_t>(tag.start + 1, INT32_MAX)), name);
  } else if (wildMatch(rest, U"HREF=*")) {
    m_canvas.setForeColor(s.settings.colors.link);
    FontSpec font = m_canvas.font();
    font.underline = true;
    m_canvas.setFont(font);
    s.linkActive = true;
    m_layout.beginLink(toUtf8(cleanAttributeValue(tag.body, 1)));
  }
  return Step::Continue;
}

RenderPass::Step RenderPass::imageTag(const Tag& tag) {
  PassState& s = m_state;
  const Text& upper = tag.upper;
  if (!s.display || !wildMatch(trimSpaces(TextView(upper).substr(4)), U"SRC=*")) return Step::Continue;
  const Text name = cleanAttributeValue(tag.body, 1);
  s.imageName = toUtf8(name);
  s.imagePending = true;
  // Sizes are pixels; anything beyond this would only make the canvas absurdly large.
  constexpr std::int32_t kMaxImageSide = 8192;
  const auto sizeValue = [&](std::int32_t at) {
    return std::clamp(numberValue(cleanAttributeValue(upper, at)), 0, kMaxImageSide);
  };
  const std::int32_t namePos = std::max(1, instr(upper, upperAscii(name)));
  const std::int32_t widthPos = instr(upper, U"WIDTH", static_cast<std::size_t>(namePos));
  s.imageWidth = widthPos > 0 ? sizeValue(widthPos) : 0;
  const std::int32_t heightFrom = widthPos > 0 ? widthPos : namePos;
  const std::int32_t heightPos = instr(upper, U"HEIGHT", static_cast<std::size_t>(heightFrom));
  s.imageHeight = heightPos > 0 ? sizeValue(heightPos) : 0;
  return Step::Continue;
}

RenderPass::Step RenderPass::commentTag(const Tag& tag) {
  if (!m_state.settings.enableDispEnd || !m_state.display) return Step::Continue;
  const TextView text = trimSpaces(TextView(tag.upper).substr(std::min<std::size_t>(3, tag.upper.size())));
  if (text.substr(0, kEndOfTopic.size()) != kEndOfTopic) return Step::Continue;
  m_pos = m_source.size();
  return Step::End;
}

}  // namespace quorvane::help
