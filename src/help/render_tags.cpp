// The tag rules of a rendering pass, tried in a fixed order: exact names first, then
// the patterns with attributes.
#include <algorithm>
#include <cmath>

#include "help/html_attributes.h"
#include "help/render_pass.h"

namespace quorvane::help {

namespace {
constexpr TextView kEndOfTopic = U"ZQHTML.ENDOFTOPIC";

bool isListTag(TextView upper) {
  return upper == U"/UL" || upper == U"/OL" || upper == U"/DL" || upper == U"LI" || upper == U"/LI";
}

bool oneOf(TextView upper, std::initializer_list<TextView> names) {
  return std::find(names.begin(), names.end(), upper) != names.end();
}

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
  const bool previousWasList = isListTag(m_state.previousTag);
  m_state.previousTag = upper;
  PassState& s = m_state;
  const bool show = s.display;

  if (upper == U"/BODY") {
    m_pos = m_source.size();
    return Step::End;
  }
  bool handled = false;
  Step result = simpleTag(upper, handled);
  if (handled) return result;

  if (upper == U"/OL" || upper == U"/UL" || upper == U"/DL") {
    if (!show) return Step::Continue;
    if (upper == U"/OL") {
      s.indent = clampNesting(s.indent - 1);
      // A closing tag without an open list has no counter to reset.
      if (s.olLevel >= 0) {
        s.olCounters[static_cast<std::size_t>(s.olLevel)] = 0;
        --s.olLevel;
      }
    } else if (upper == U"/UL") {
      s.indent = clampNesting(s.indent - 1);
      s.ulDepth = clampNesting(s.ulDepth - 1);
    } else if (!s.dlIndents.empty()) {
      s.indent = s.dlIndents.back();
      s.dlIndents.pop_back();
    }
    if (!previousWasList) lineBreakToken();
    return Step::Continue;
  }
  result = listTag(upper, handled);
  if (handled) return result;

  if (wildMatch(upper, U"IMG *")) {
    if (show) imageTag(body, upper);
    return Step::Continue;
  }
  if (wildMatch(upper, U"!--*")) return commentTag(upper);
  if (wildMatch(upper, U"A *")) return anchorTag(body, upper, tagStart);
  if (wildMatch(upper, U"P *")) return paragraphTag(upper);
  if (wildMatch(upper, U"H# *")) {
    headingStart(upper, true);
    return alignAttribute(upper, 4);
  }
  if (wildMatch(upper, U"H#")) return headingStart(upper, false);
  if (wildMatch(upper, U"/H#")) {
    headingEnd();
    return Step::Continue;
  }
  if (wildMatch(upper, U"TABLE *")) {
    lineBreakToken();
    s.plain += "\r\n";
    s.tableSavedColor = m_canvas.foreColor();
    m_canvas.setForeColor(s.settings.colors.text);
    return Step::Continue;
  }
  if (wildMatch(upper, U"BASEFONT *")) return baseFontTag(upper);
  if (wildMatch(upper, U"BODY *")) return bodyTag(upper);
  if (wildMatch(upper, U"FONT *")) return fontTag(upper);
  return Step::Continue;
}

RenderPass::Step RenderPass::simpleTag(const Text& upper, bool& handled) {
  PassState& s = m_state;
  FontSpec font = m_canvas.font();
  handled = true;
  if (oneOf(upper, {U"B", U"BOLD", U"STRONG"})) font.bold = true;
  else if (oneOf(upper, {U"/B", U"/BOLD", U"/STRONG"})) font.bold = false;
  else if (oneOf(upper, {U"I", U"ITALIC"})) font.italic = true;
  else if (oneOf(upper, {U"/I", U"/ITALIC"})) font.italic = false;
  else if (oneOf(upper, {U"/FONT", U"/FONT/"})) {
    if (s.fontColorChanged) {
      m_canvas.setForeColor(s.settings.colors.text);
      s.fontColorChanged = false;
    }
    if (s.fontSizeChanged) {
      font.points = s.basePoints;
      s.fontSizeChanged = false;
    }
  } else if (upper == U"/A") {
    m_canvas.setForeColor(s.settings.colors.text);
    font.underline = false;
    s.linkActive = false;
  } else if (upper == U"BLOCKQUOTE") {
    if (s.display) s.indent = clampNesting(s.indent + 1);
  } else if (upper == U"/BLOCKQUOTE") {
    if (s.display) s.indent = clampNesting(s.indent - 1);
  } else if (upper == U"OL") {
    if (s.display) {
      s.indent = clampNesting(s.indent + 1);
      s.olLevel = clampNesting(s.olLevel + 1);
      if (s.olLevel >= 0) {
        s.olCounters.resize(static_cast<std::size_t>(s.olLevel) + 1, 0);
        s.olCounters[static_cast<std::size_t>(s.olLevel)] = 0;
      }
    }
  } else if (upper == U"UL") {
    if (s.display) {
      s.indent = clampNesting(s.indent + 1);
      s.ulDepth = clampNesting(s.ulDepth + 1);
    }
  } else {
    handled = false;
  }
  if (handled) m_canvas.setFont(font);
  return Step::Continue;
}

RenderPass::Step RenderPass::listTag(const Text& upper, bool& handled) {
  PassState& s = m_state;
  const bool show = s.display;
  handled = true;
  if (upper == U"/DT" || upper == U"/LI") return Step::Continue;
  if (upper == U"DL") {
    if (show) s.dlIndents.push_back(s.indent);
    return Step::Continue;
  }
  if (upper == U"LI") {
    if (!show) return Step::Continue;
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
  if (upper == U"DT") {
    if (show) {
      if (!s.dlIndents.empty()) s.indent = s.dlIndents.back();
      lineBreakToken();
    }
  } else if (upper == U"DD") {
    if (show) {
      s.indent = clampNesting((s.dlIndents.empty() ? s.indent : s.dlIndents.back()) + 1);
      lineBreakToken();
    }
  } else if (upper == U"/DD") {
    if (show) s.indent = s.dlIndents.empty() ? clampNesting(s.indent - 1) : s.dlIndents.back();
  } else if (upper == U"CENTER") {
    s.setAlignment(kAlignCenter);
    if (show) s.token = U" ";
  } else if (upper == U"/CENTER") {
    s.setAlignment(kAlignLeft);
  } else if (upper == U"/TABLE") {
    m_canvas.setForeColor(s.tableSavedColor);
  } else if (upper == U"/TR" || upper == U"BR") {
    if (show) {
      lineBreakToken();
      s.plain += "\r\n";
    }
  } else if (upper == U"STRIKE" || upper == U"S" || upper == U"/STRIKE" || upper == U"/S") {
    FontSpec font = m_canvas.font();
    font.strikethrough = upper.front() != U'/';
    m_canvas.setFont(font);
  } else if (upper == U"HR") {
    if (show) m_layout.horizontalRule();
  } else if (upper == U"P") {
    if (show) lineBreakToken();
  } else if (upper == U"/P") {
    s.setAlignment(kAlignLeft);
    if (show) lineBreakToken();
  } else {
    handled = false;
  }
  return Step::Continue;
}

RenderPass::Step RenderPass::anchorTag(const Text& body, const Text& upper, std::size_t tagStart) {
  PassState& s = m_state;
  const TextView rest = trimSpaces(TextView(upper).substr(2));
  if (wildMatch(rest, U"NAME=*")) {
    const std::string name = toUtf8(cleanAttributeValue(body, 1));
    const std::string& topic = s.settings.topicName;
    if (!topic.empty() && topic == name && !s.display) {
      s.display = true;
      // A token still pending from the hidden part before the topic belongs to the
      // previous topic; it must not open this one.
      s.token.clear();
    }
    if (!name.empty() && m_anchors.indexOf(name) < 0)
      m_anchors.add(static_cast<std::int32_t>(std::min<std::size_t>(tagStart + 1, INT32_MAX)), name);
  } else if (wildMatch(rest, U"HREF=*")) {
    m_canvas.setForeColor(s.settings.colors.link);
    FontSpec font = m_canvas.font();
    font.underline = true;
    m_canvas.setFont(font);
    s.linkActive = true;
    m_layout.beginLink(toUtf8(cleanAttributeValue(body, 1)));
  }
  return Step::Continue;
}

void RenderPass::imageTag(const Text& body, const Text& upper) {
  PassState& s = m_state;
  if (!wildMatch(trimSpaces(TextView(upper).substr(4)), U"SRC=*")) return;
  const Text name = cleanAttributeValue(body, 1);
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
}

RenderPass::Step RenderPass::commentTag(const Text& upper) {
  if (!m_state.settings.enableDispEnd || !m_state.display) return Step::Continue;
  const TextView text = trimSpaces(TextView(upper).substr(std::min<std::size_t>(3, upper.size())));
  if (text.substr(0, kEndOfTopic.size()) != kEndOfTopic) return Step::Continue;
  m_pos = m_source.size();
  return Step::End;
}

}  // namespace quorvane::help
