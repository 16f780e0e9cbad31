#include "help/help_layout.h"

#include <algorithm>
#include <cmath>

#include "common/utf8.h"
#include "help/html_attributes.h"
#include "help/line_breaking.h"

namespace quorvane::help {

namespace {
constexpr std::string_view kLineSample = "Ay";
constexpr std::string_view kBulletFill = "・";
constexpr std::string_view kNumberFill = "99.";
constexpr Twips kMaxTwips = 1 << 30;

Twips clampTwips(long long v) {
  return static_cast<Twips>(std::clamp<long long>(v, -kMaxTwips, kMaxTwips));
}

int toPixels(long long twips, int perPixel) {
  return static_cast<int>(std::llround(static_cast<double>(twips) / std::max(1, perPixel)));
}
}  // namespace

HelpLayout::HelpLayout(PassState& state, HelpSurface& canvas, HelpSurface& work,
                       std::vector<LinkRegion>& links)
    : m_state(state), m_canvas(canvas), m_work(work), m_links(links) {}

void HelpLayout::startPass() {
  const RenderSettings& s = m_state.settings;
  setCanvasBackground(s.colors.background);
  m_canvas.setForeColor(s.colors.text);
  FontSpec font = m_canvas.font();
  font.points = HtmlFontPoints(s.baseSizeIndex, false) * s.displayScale;
  m_canvas.setFont(font);
  m_state.basePoints = static_cast<std::int32_t>(std::lround(font.points));
  m_state.tableSavedColor = s.colors.text;
}

void HelpLayout::setCanvasBackground(Color color) {
  // A new background colour repaints the whole canvas, as on the platform the help format
  // was made for; the drawing position is kept.
  if (color == m_canvas.backColor()) return;
  const Twips x = m_canvas.currentX(), y = m_canvas.currentY();
  m_canvas.setBackColor(color);
  m_canvas.cls();
  m_canvas.setCurrentX(x);
  m_canvas.setCurrentY(y);
}

void HelpLayout::growBy(Twips amount) {
  m_canvas.setHeight(clampTwips(static_cast<long long>(m_canvas.scaleHeight()) + amount));
}

void HelpLayout::growIfNeeded(long long bottom, Twips amount) {
  if (bottom >= m_canvas.scaleHeight()) growBy(amount);
  ensureRoom(bottom);
}

void HelpLayout::ensureRoom(long long bottom) {
  // Steps that move down without growing (rules, images, the final line ends) can leave
  // the drawing position below the canvas; growing by one token would then still leave
  // the next text outside the canvas, where it would be lost.
  if (bottom > m_canvas.scaleHeight()) m_canvas.setHeight(clampTwips(bottom));
}

void HelpLayout::drawToken(TextView token) {
  const std::string utf8 = toUtf8(token);
  const Twips height = m_canvas.textHeight(utf8);
  growIfNeeded(static_cast<long long>(m_canvas.currentY()) + height, height);
  if (m_state.alignment != kAlignLeft) {
    composeAligned(token);
  } else {
    if (m_state.alignedPending) copyAligned();
    if (m_state.linkActive && !m_links.empty()) m_links.back().Text = utf8;
    drawLeft(token);
    m_state.alignedPending = false;
  }
  m_state.plain += utf8;
}

void HelpLayout::flushRun() {
  if (m_run.empty()) return;
  m_canvas.print(m_run);
  // Characters are placed by their own widths, so the run ends where they say.
  m_canvas.setCurrentX(clampTwips(m_runEndX));
  m_run.clear();
}

void HelpLayout::drawLeft(TextView token) {
  const bool inLink = m_state.linkActive && !m_links.empty();
  const Twips tokenHeight = m_canvas.textHeight(toUtf8(token));
  const long long limit = static_cast<long long>(m_canvas.scaleWidth()) - kRightMargin;
  m_runEndX = m_canvas.currentX();
  // Another step (an aligned line, a rule, an image) may have started this line.
  if (m_canvas.currentY() != m_lineY) markLineStart();
  std::size_t i = 0;
  while (i < token.size()) {
    if (token[i] == U'\r' && i + 1 < token.size() && token[i + 1] == U'\n') {
      flushRun();
      i += 2;
      growBy(m_canvas.textHeight(kLineSample));
      m_canvas.lineEnd();
      m_canvas.setCurrentX(clampTwips(static_cast<long long>(kIndentStep) * m_state.indent));
      listFill(false);
      ensureRoom(static_cast<long long>(m_canvas.currentY()) + m_canvas.textHeight(kLineSample));
      m_runEndX = m_canvas.currentX();
      markLineStart();
      while (i < token.size() && token[i] == U' ') ++i;
      continue;
    }
    // A piece that must stay whole goes to the next line when it does not fit. A piece
    // that opens this token with a character no line may start with (the closing bracket
    // after a bold word) stays and uses the right margin instead, since what it belongs
    // to is already drawn.
    const std::size_t end = lineBreaking::unitEnd(token, i);
    const long long width = piecesWidth(token.substr(i, end - i));
    const bool hangs = i == 0 && lineBreaking::mayNotStartLine(token[0]) &&
                       m_runEndX + width < m_canvas.scaleWidth();
    if (!hangs && m_runEndX > m_lineStartX && m_runEndX + width >= limit) {
      flushRun();
      wrapLine(inLink, inLink ? m_canvas.textHeight(toUtf8(token.substr(i, 1))) : tokenHeight);
      m_runEndX = m_canvas.currentX();
    }
    for (; i < end; ++i) placeCharacter(token[i], hangs ? m_canvas.scaleWidth() : limit, inLink, tokenHeight);
  }
  flushRun();
}

// Places one character; only a piece wider than the whole line is broken here.
void HelpLayout::placeCharacter(char32_t c, long long limit, bool inLink, Twips tokenHeight) {
  std::string ch;
  utf8::append(ch, c);
  const Twips width = m_canvas.textWidth(ch);
  if (m_runEndX + width >= limit && m_runEndX > m_lineStartX) {
    flushRun();
    wrapLine(inLink, inLink ? m_canvas.textHeight(ch) : tokenHeight);
    m_runEndX = m_canvas.currentX();
  }
  m_run += ch;
  m_runEndX += width;
  if (inLink) {
    m_links.back().X2 = clampTwips(m_runEndX);
    m_links.back().Y2 = clampTwips(static_cast<long long>(m_canvas.currentY()) + m_canvas.textHeight(ch));
  }
}

long long HelpLayout::piecesWidth(TextView piece) {
  long long width = 0;
  std::string ch;
  for (char32_t c : piece) {
    ch.clear();
    utf8::append(ch, c);
    width += m_canvas.textWidth(ch);
  }
  return width;
}

void HelpLayout::markLineStart() {
  m_lineStartX = m_canvas.currentX();
  m_lineY = m_canvas.currentY();
}

void HelpLayout::wrapLine(bool insideLink, Twips growth) {
  if (insideLink) m_links.back().X2 = m_canvas.currentX();
  growBy(growth);
  m_canvas.lineEnd();
  m_canvas.setCurrentX(clampTwips(static_cast<long long>(kIndentStep) * m_state.indent));
  listFill(insideLink);
  markLineStart();
  ensureRoom(static_cast<long long>(m_canvas.currentY()) + growth);
  if (insideLink) {
    m_links.back().Y2 = m_canvas.currentY();
    LinkRegion next;
    next.Target = m_links.back().Target;
    next.Text = m_links.back().Text;
    next.X1 = 0;
    next.Y1 = m_canvas.currentY();
    m_links.push_back(std::move(next));
  }
}

void HelpLayout::listFill(bool insideLink) {
  const Color restore = insideLink ? m_state.settings.colors.link : m_canvas.foreColor();
  if (m_state.ulDepth >= 0) {
    if (m_state.bulletPending)
      m_state.bulletPending = false;
    else
      printFill(kBulletFill, m_state.ulDepth + 1, restore);
  }
  if (m_state.olLevel >= 0) {
    if (m_state.numberPending)
      m_state.numberPending = false;
    else
      printFill(kNumberFill, m_state.olLevel + 1, restore);
  }
}

void HelpLayout::printFill(std::string_view text, std::int32_t count, Color restore) {
  // The fill is invisible (background colour); only the copies that can reach the
  // visible width are drawn, the position still advances by all of them.
  const Twips width = std::max<Twips>(1, m_canvas.textWidth(text));
  const long long startX = m_canvas.currentX();
  const long long room = std::max<long long>(0, m_canvas.scaleWidth() - startX);
  const long long drawn = std::min<long long>(count, room / width + 1);
  std::string fill;
  for (long long k = 0; k < drawn; ++k) fill += text;
  m_canvas.setForeColor(m_state.settings.colors.background);
  m_canvas.print(fill);
  m_canvas.setCurrentX(clampTwips(startX + static_cast<long long>(count) * width));
  m_canvas.setForeColor(restore);
}

void HelpLayout::composeAligned(TextView token) {
  if (!m_state.alignedPending) {
    m_work.setBackColor(m_canvas.backColor());
    m_work.cls();
    m_work.clearPicture();
    m_state.alignedPending = true;
  }
  m_work.setFont(m_canvas.font());
  m_work.setForeColor(m_canvas.foreColor());
  const Twips line = m_work.textHeight(kLineSample);
  if (static_cast<long long>(m_work.currentY()) + line >= m_work.scaleHeight())
    m_work.setHeight(clampTwips(static_cast<long long>(m_work.scaleHeight()) + line));
  m_work.print(toUtf8(token));
  m_state.alignedWith = m_state.alignment;
}

void HelpLayout::copyAligned() {
  m_state.alignedPending = false;
  // The line keeps the alignment it was composed with, even when the alignment changed
  // twice before the next left-aligned text (a closing CENTER followed by a closing P).
  const int alignment = m_state.alignedWith;
  if (alignment == kAlignLeft) return;
  const long long lineWidth = m_work.currentX();
  long long offset = alignment == kAlignCenter
                         ? (m_canvas.scaleWidth() - kRightMargin - lineWidth) / 2
                         : m_canvas.scaleWidth() - lineWidth - kRightMargin;
  if (offset < 1) offset = 0;
  const Twips line = m_canvas.textHeight(kLineSample);
  growBy(line);
  ensureRoom(static_cast<long long>(m_canvas.currentY()) + line);
  const int x = toPixels(offset, m_canvas.twipsPerPixelX());
  const int y = m_canvas.currentY() / std::max(1, m_canvas.twipsPerPixelY()) + 1;
  m_canvas.stretchFrom(m_work, x, y, m_work.pixelWidth(), m_work.pixelHeight(), 0, 0,
                       m_work.pixelWidth(), m_work.pixelHeight());
  m_canvas.lineEnd();
}

void HelpLayout::horizontalRule() {
  if (m_canvas.currentY() == 0) m_canvas.lineEnd();
  if (m_canvas.currentX() > 0) m_canvas.lineEnd();
  ensureRoom(static_cast<long long>(m_canvas.currentY()) + m_canvas.twipsPerPixelY());
  m_canvas.drawLine(0, m_canvas.currentY(), m_canvas.scaleWidth(), m_canvas.currentY(),
                    m_canvas.foreColor());
}

void HelpLayout::drawImage() {
  m_state.imagePending = false;
  const RenderSettings& s = m_state.settings;
  std::string path = s.helpFolder;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  path += m_state.imageName;
  const int tppX = std::max(1, m_canvas.twipsPerPixelX());
  const int tppY = std::max(1, m_canvas.twipsPerPixelY());
  const long long w = m_state.imageWidth, h = m_state.imageHeight;
  const long long y = m_canvas.currentY();
  if (!m_work.loadPicture(path)) {
    if (w < 1 || h < 1) return;
    growIfNeeded(y + h * tppY, clampTwips(h * tppY));
    const Twips x0 = m_canvas.currentX(), y0 = m_canvas.currentY();
    const Twips x1 = clampTwips(x0 + w * tppX), y1 = clampTwips(y0 + h * tppY);
    m_canvas.drawBox(x0, y0, x1 - x0, y1 - y0, 0x000000);
    m_canvas.drawLine(x0, y0, x1, y1, 0x000000);
    m_canvas.drawLine(x0, y1, x1, y0, 0x000000);
    return;
  }
  const int srcW = m_work.pixelWidth(), srcH = m_work.pixelHeight();
  const int dstX = m_canvas.currentX() / tppX;
  const int dstY = m_canvas.currentY() / tppY + 1;
  if (w >= 1 && h >= 1) {
    growIfNeeded(y + h * tppY, clampTwips(h * tppY));
    m_canvas.stretchFrom(m_work, dstX, dstY, static_cast<int>(w), static_cast<int>(h), 0, 0, srcW, srcH);
  } else {
    const Twips workHeight = m_work.scaleHeight();
    growIfNeeded(y + workHeight, workHeight);
    m_canvas.stretchFrom(m_work, dstX, dstY, srcW, srcH, 0, 0, srcW, srcH);
  }
  m_canvas.lineEnd();
  m_work.clearPicture();
  m_work.setWidth(m_canvas.scaleWidth());
}

void HelpLayout::finishPass() {
  // An aligned line still waiting for left-aligned text would otherwise be lost.
  if (m_state.alignedPending) copyAligned();
  m_canvas.lineEnd();
  m_canvas.lineEnd();
  m_canvas.setHeight(m_canvas.currentY());
}

void HelpLayout::beginLink(const std::string& target) {
  LinkRegion region;
  region.X1 = m_canvas.currentX();
  region.Y1 = m_canvas.currentY();
  region.Target = target;
  m_links.push_back(std::move(region));
}

void HelpLayout::moveDown(Twips by) {
  m_canvas.setCurrentY(clampTwips(static_cast<long long>(m_canvas.currentY()) + by));
}

}  // namespace quorvane::help
