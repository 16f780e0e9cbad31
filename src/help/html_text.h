#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Text helpers for the help parser. The parser works on code points so that its
// 1-based positions count characters, as the help format's rules do.
namespace quorvane::help {

using Text = std::u32string;
using TextView = std::u32string_view;

Text toText(std::string_view utf8);
std::string toUtf8(TextView text);

// Upper case of ASCII letters only; every other character is kept.
Text upperAscii(TextView text);

// Removes leading and trailing space characters (U+0020 only, not tabs).
TextView trimSpaces(TextView text);

// Pattern match where "*" is any run of characters and "#" one ASCII digit;
// every other pattern character must match exactly.
bool wildMatch(TextView text, TextView pattern);

// Numbers in attributes: an empty or non-numeric text is 0; otherwise the number
// rounded half to even and kept inside the 32-bit range.
std::int32_t numberValue(TextView text);

// Finds one character from a position that never moves backwards, remembering the last
// answer so that a walk over the whole text searches each stretch only once.
class NextFinder {
 public:
  NextFinder(TextView text, char32_t ch) : m_text(text), m_ch(ch) {}
  // Index of the first occurrence at or after `from`, or npos.
  std::size_t find(std::size_t from);

 private:
  TextView m_text;
  char32_t m_ch;
  std::size_t m_searchedFrom = TextView::npos;
  std::size_t m_found = TextView::npos;
};

}  // namespace quorvane::help
