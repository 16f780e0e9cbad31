#include "help/html_text.h"

#include <cmath>
#include <limits>

#include "common/utf8.h"

namespace quorvane::help {

Text toText(std::string_view utf8) {
  Text out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) out.push_back(utf8::next(utf8, pos));
  return out;
}

std::string toUtf8(TextView text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) utf8::append(out, c);
  return out;
}

Text upperAscii(TextView text) {
  Text out(text);
  for (char32_t& c : out)
    if (c >= U'a' && c <= U'z') c = c - U'a' + U'A';
  return out;
}

TextView trimSpaces(TextView text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && text[b] == U' ') ++b;
  while (e > b && text[e - 1] == U' ') --e;
  return text.substr(b, e - b);
}

namespace {
bool charMatches(char32_t c, char32_t p) {
  if (p == U'#') return c >= U'0' && c <= U'9';
  return c == p;
}
}  // namespace

bool wildMatch(TextView text, TextView pattern) {
  // Iterative matcher with one backtrack point: linear for the patterns the tag table
  // uses (one "*"), and never worse than quadratic for any pattern.
  std::size_t t = 0, p = 0;
  std::size_t starP = TextView::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == U'*') {
      starP = p++;
      starT = t;
    } else if (p < pattern.size() && charMatches(text[t], pattern[p])) {
      ++t, ++p;
    } else if (starP != TextView::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

std::int32_t numberValue(TextView raw) {
  TextView text = trimSpaces(raw);
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == U'+' || text[i] == U'-')) negative = text[i++] == U'-';
  double value = 0;
  std::size_t digits = 0;
  while (i < text.size() && text[i] >= U'0' && text[i] <= U'9') {
    if (value < 1e12) value = value * 10 + static_cast<double>(text[i] - U'0');
    ++i, ++digits;
  }
  if (i < text.size() && text[i] == U'.') {
    ++i;
    double scale = 0.1;
    while (i < text.size() && text[i] >= U'0' && text[i] <= U'9') {
      value += scale * static_cast<double>(text[i] - U'0');
      scale /= 10;
      ++i, ++digits;
    }
  }
  if (digits == 0 || i != text.size()) return 0;
  if (negative) value = -value;
  value = std::nearbyint(value);  // the default rounding mode rounds half to even
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  if (value < lo) return std::numeric_limits<std::int32_t>::min();
  if (value > hi) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

std::size_t NextFinder::find(std::size_t from) {
  if (m_searchedFrom != TextView::npos && m_searchedFrom <= from &&
      (m_found == TextView::npos || m_found >= from))
    return m_found;
  m_searchedFrom = from;
  m_found = from < m_text.size() ? m_text.find(m_ch, from) : TextView::npos;
  return m_found;
}

}  // namespace quorvane::help
