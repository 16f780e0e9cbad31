#include "help/line_breaking.h"

namespace quorvane::help::lineBreaking {

namespace {

constexpr std::u32string_view kClosing =
    U")]}\u3001\u3002\uFF0C\uFF0E\u30FC\uFF70"  // ) ] } 、 。 ， ． ー ｰ
    U"\uFF09\uFF3D\uFF5D\u300D\u300F\u3011\u3015\u3009\u300B\u3017\u3019\u2019\u201D\uFF63\uFF61\uFF64"
    U"\u3041\u3043\u3045\u3047\u3049\u3063\u3083\u3085\u3087\u308E\u3095\u3096"  // small hiragana
    U"\u30A1\u30A3\u30A5\u30A7\u30A9\u30C3\u30E3\u30E5\u30E7\u30EE\u30F5\u30F6"  // small katakana
    U"\u31F0\u31F1\u31F2\u31F3\u31F4\u31F5\u31F6\u31F7\u31F8\u31F9\u31FA\u31FB\u31FC\u31FD\u31FE\u31FF"
    U"\uFF67\uFF68\uFF69\uFF6A\uFF6B\uFF6C\uFF6D\uFF6E\uFF6F"  // half-width small katakana
    U"\uFF01\uFF1F\uFF1A\uFF1B!?,.:;\u30FB\u3005\u309D\u309E\u30FD\u30FE";

constexpr std::u32string_view kOpening =
    U"([{\uFF08\uFF3B\uFF5B\u300C\u300E\u3010\u3014\u3008\u300A\u3016\u3018\u2018\u201C\uFF62";

// Letters, digits and the signs of names and patterns: a run of them is one word.
bool isWordCharacter(char32_t c) {
  return (c > U' ' && c < 0x7F) || (c >= 0xC0 && c <= 0x24F);
}

}  // namespace

bool mayNotStartLine(char32_t c) { return c == U' ' || kClosing.find(c) != std::u32string_view::npos; }

bool mayNotEndLine(char32_t c) { return kOpening.find(c) != std::u32string_view::npos; }

bool mayBreakBetween(char32_t before, char32_t after) {
  if (mayNotStartLine(after) || mayNotEndLine(before)) return false;
  return !(isWordCharacter(before) && isWordCharacter(after));
}

std::size_t unitEnd(TextView text, std::size_t from) {
  if (from >= text.size()) return text.size();
  std::size_t end = from + 1;
  while (end < text.size() && text[end] != U'\r' && text[end - 1] != U'\r' &&
         !mayBreakBetween(text[end - 1], text[end]))
    ++end;
  return end;
}

}  // namespace quorvane::help::lineBreaking
