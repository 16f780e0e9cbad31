#include "help/render_pass.h"

#include <algorithm>
#include <cmath>

#include "help/html_attributes.h"

namespace quorvane::help {

namespace {

// Finds "<BODY" without regard to case.
std::size_t findBody(TextView source) {
  constexpr TextView kBody = U"<BODY";
  for (std::size_t i = source.find(U'<'); i != TextView::npos; i = source.find(U'<', i + 1)) {
    if (source.size() - i < kBody.size()) return TextView::npos;
    if (upperAscii(source.substr(i, kBody.size())) == kBody) return i;
  }
  return TextView::npos;
}

}  // namespace

RenderPass::RenderPass(TextView source, RenderSettings& settings, AnchorTable& anchors,
                       std::vector<LinkRegion>& links, HelpSurface& canvas, HelpSurface& work)
    : m_source(source), m_state(settings), m_anchors(anchors), m_links(links), m_canvas(canvas),
      m_layout(m_state, canvas, work, links), m_nextLt(source, U'<'), m_nextAmp(source, U'&'),
      m_nextGt(source, U'>'), m_nextSemicolon(source, U';') {}

RenderResult RenderPass::run() {
  m_layout.startPass();
  const std::size_t body = findBody(m_source);
  if (body == TextView::npos) {
    fail(RenderFailure::NoBody);
    return m_result;
  }
  const std::string& topic = m_state.settings.topicName;
  m_state.display = topic.empty();
  m_pos = body;
  if (!topic.empty()) {
    // Start one anchor early, so the walk passes over the anchor before the topic.
    const std::int32_t row = m_anchors.indexOf(topic);
    if (row >= 1) m_pos = static_cast<std::size_t>(std::max(1, m_anchors.at(row - 1).Position) - 1);
  }
  while (m_pos < m_source.size()) {
    const Step s = step();
    if (s == Step::Fail) return m_result;
    drawStage();
    if (s == Step::End) break;
  }
  m_layout.finishPass();
  m_result.ok = true;
  m_result.plainText = std::move(m_state.plain);
  return m_result;
}

RenderPass::Step RenderPass::fail(RenderFailure failure) {
  m_result.ok = false;
  m_result.failure = failure;
  const std::size_t at = failure == RenderFailure::NoBody ? 0 : m_tagStart;
  m_result.failurePosition = static_cast<std::int32_t>(std::min<std::size_t>(at + 1, INT32_MAX));
  return Step::Fail;
}

RenderPass::Step RenderPass::step() {
  const char32_t c = m_source[m_pos];
  if (c == U'<') return tag();
  if (c == U'&') {
    entity();
  } else if (c == U'\r' || c == U'\n') {
    ++m_pos;
    m_state.token.clear();
  } else {
    textRun();
  }
  return Step::Continue;
}

void RenderPass::textRun() {
  const std::size_t lt = m_nextLt.find(m_pos);
  if (lt == TextView::npos) {
    // Without any tag left the rest is handed over one character at a time.
    m_state.token.assign(1, m_source[m_pos]);
    ++m_pos;
    return;
  }
  const std::size_t end = std::min(lt, m_nextAmp.find(m_pos));
  m_state.token = Text(trimSpaces(m_source.substr(m_pos, end - m_pos)));
  m_pos = end;
}

void RenderPass::entity() {
  const std::size_t semi = m_nextSemicolon.find(m_pos + 1);
  if (semi == TextView::npos) {
    ++m_pos;
    return;
  }
  const TextView name = m_source.substr(m_pos + 1, semi - m_pos - 1);
  if (name == U"gt") m_state.token = U">";
  else if (name == U"lt") m_state.token = U"<";
  else if (name == U"amp") m_state.token = U"&";
  else if (name == U"quot") m_state.token = U"\"";
  else if (name == U"nbsp") m_state.token = U" ";
  else m_state.token = Text(name);
  m_pos = semi + 1;
}

RenderPass::Step RenderPass::tag() {
  const std::size_t tagStart = m_pos;
  m_tagStart = tagStart;
  const std::size_t gt = m_nextGt.find(m_pos + 1);
  if (gt == TextView::npos) return fail(RenderFailure::UnclosedTag);
  const Text body(m_source.substr(tagStart + 1, gt - tagStart - 1));
  const Text upper = upperAscii(body);
  m_pos = gt + 1;
  return dispatch(body, upper, tagStart);
}

void RenderPass::drawStage() {
  if (m_state.imagePending) m_layout.drawImage();
  if (m_state.display && !m_state.token.empty()) {
    m_layout.drawToken(m_state.token);
    m_state.token.clear();
  }
}

void RenderPass::lineBreakToken() { m_state.token = U"\r\n"; }

void RenderPass::setFontPoints(double points) {
  FontSpec font = m_canvas.font();
  font.points = points;
  m_canvas.setFont(font);
}

RenderResult RenderPage(TextView source, RenderSettings& settings, AnchorTable& anchors,
                        std::vector<LinkRegion>& links, HelpSurface& canvas, HelpSurface& work) {
  RenderPass pass(source, settings, anchors, links, canvas, work);
  return pass.run();
}

const char* describe(RenderFailure failure) {
  switch (failure) {
    case RenderFailure::None: return "no failure";
    case RenderFailure::NoBody: return "the text has no <BODY";
    case RenderFailure::UnclosedTag: return "a \"<\" has no \">\" after it";
    case RenderFailure::EmptyAttribute: return "an attribute has an empty value";
    case RenderFailure::NotAColor: return "a colour value is not a colour";
    case RenderFailure::BadFontSize: return "a FONT size index is outside 1..7";
    case RenderFailure::BaseFontWithoutSize: return "a BASEFONT tag has no SIZE";
  }
  return "unknown failure";
}

}  // namespace quorvane::help
