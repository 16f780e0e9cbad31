// Tags whose attributes change alignment, fonts and page colours.
#include <algorithm>

#include "help/html_attributes.h"
#include "help/render_pass.h"

namespace quorvane::help {

namespace {
std::int32_t instr(TextView text, TextView what, std::size_t from = 1) {
  if (from < 1) from = 1;
  if (from - 1 > text.size()) return 0;
  const std::size_t at = text.find(what, from - 1);
  return at == TextView::npos ? 0 : static_cast<std::int32_t>(at + 1);
}
}  // namespace

RenderPass::Step RenderPass::attribute(const Text& upper, TextView name, bool& present, Text& value) {
  const std::int32_t at = instr(upper, name);
  present = at > 0;
  if (!present) return Step::Continue;
  const Text full = AttributeValue(upper, at);
  const TextView raw = trimSpaces(full);
  if (raw.empty()) return fail(RenderFailure::EmptyAttribute);
  value = StripQuotes(raw);
  return Step::Continue;
}

RenderPass::Step RenderPass::readColor(const Text& upper, TextView name, bool& present, Color& color) {
  Text value;
  if (attribute(upper, name, present, value) == Step::Fail) return Step::Fail;
  if (!present) return Step::Continue;
  const std::int32_t c = ColorFromHtml(TextView(value));
  if (c < 0) return fail(RenderFailure::NotAColor);
  color = static_cast<Color>(c);
  return Step::Continue;
}

RenderPass::Step RenderPass::paragraphTag(const Tag& tag) {
  lineBreakToken();
  // Only a displayed paragraph takes room; hidden ones before the topic must not push
  // the topic down the page.
  if (m_state.display) m_layout.moveDown(m_canvas.textHeight("y") / 2);
  return alignAttribute(tag.upper, 1);
}

RenderPass::Step RenderPass::alignAttribute(const Text& upper, std::size_t from) {
  const std::int32_t at = instr(upper, U"ALIGN", from);
  if (at == 0) return Step::Continue;
  const Text full = AttributeValue(upper, at + 1);
  const TextView raw = trimSpaces(full);
  if (raw.empty()) return fail(RenderFailure::EmptyAttribute);
  const Text value = StripQuotes(raw);
  if (value == U"RIGHT") {
    m_state.setAlignment(kAlignRight);
    m_state.token = U" ";
  } else if (value == U"LEFT") {
    m_state.setAlignment(kAlignLeft);
  } else if (value == U"CENTER") {
    m_state.setAlignment(kAlignCenter);
    m_state.token = U" ";
  }
  return Step::Continue;
}

// <H1> to <H9>, with or without ALIGN.
RenderPass::Step RenderPass::headingTag(const Tag& tag) {
  const std::int32_t number = static_cast<std::int32_t>(tag.upper[1] - U'0');
  // A heading is never smaller than the body text around it (the table's small sizes
  // for H3 and below would make a heading read like a footnote).
  const std::int32_t body = HtmlFontPoints(m_state.settings.baseSizeIndex, false);
  setFontPoints(std::max(HtmlFontPoints(number, true), body) * m_state.settings.displayScale);
  if (number >= 1 && number <= 4) {
    FontSpec font = m_canvas.font();
    font.bold = true;
    m_canvas.setFont(font);
  }
  if (m_state.display) lineBreakToken();
  return alignAttribute(tag.upper, 4);
}

RenderPass::Step RenderPass::endHeadingTag(const Tag&) {
  FontSpec font = m_canvas.font();
  font.bold = false;
  font.points = HtmlFontPoints(m_state.settings.baseSizeIndex, false) * m_state.settings.displayScale;
  m_canvas.setFont(font);
  m_state.setAlignment(kAlignLeft);
  if (m_state.display) lineBreakToken();
  return Step::Continue;
}

RenderPass::Step RenderPass::baseFontTag(const Tag& tag) {
  const Text& upper = tag.upper;
  bool present = false;
  Text value;
  if (attribute(upper, U"SIZE", present, value) == Step::Fail) return Step::Fail;
  if (!present) return fail(RenderFailure::BaseFontWithoutSize);
  const std::int32_t index = clampNesting(numberValue(value));
  m_state.settings.baseSizeIndex = index;
  m_state.basePoints = HtmlFontPoints(index, false);
  return Step::Continue;
}

RenderPass::Step RenderPass::bodyTag(const Tag& tag) {
  const Text& upper = tag.upper;
  PageColors& colors = m_state.settings.colors;
  bool present = false;
  Color color = 0;
  if (readColor(upper, U"BGCOLOR", present, color) == Step::Fail) return Step::Fail;
  if (present) {
    colors.background = color;
    m_layout.setCanvasBackground(color);
  }
  if (readColor(upper, U"TEXT", present, color) == Step::Fail) return Step::Fail;
  if (present) {
    colors.text = color;
    m_canvas.setForeColor(color);
  }
  if (readColor(upper, U"LINK", present, color) == Step::Fail) return Step::Fail;
  if (present) colors.link = color;
  return Step::Continue;
}

RenderPass::Step RenderPass::fontTag(const Tag& tag) {
  const Text& upper = tag.upper;
  bool present = false;
  Color color = 0;
  if (readColor(upper, U"COLOR", present, color) == Step::Fail) return Step::Fail;
  if (present) {
    m_canvas.setForeColor(color);
    m_state.fontColorChanged = true;
  }
  Text value;
  if (attribute(upper, U"SIZE", present, value) == Step::Fail) return Step::Fail;
  if (!present) return Step::Continue;
  const std::int32_t number = numberValue(value);
  const bool relative = (!value.empty() && value.front() == U'+') || number < 0;
  const std::int64_t index = relative ? std::int64_t{m_state.settings.baseSizeIndex} + number : number;
  const std::int32_t points = HtmlFontPoints(clampNesting(index), false);
  if (points == 0) return fail(RenderFailure::BadFontSize);
  setFontPoints(points * m_state.settings.displayScale);
  m_state.fontSizeChanged = true;
  return Step::Continue;
}

}  // namespace quorvane::help
