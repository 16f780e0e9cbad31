#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Small routines over UTF-8 text. The system counts text in characters (1-based
// positions); inside the program a character is one Unicode code point.
namespace quorvane::utf8 {

// Decodes the character starting at byte `pos`; returns its code point and advances `pos`.
// A malformed sequence yields U+FFFD and advances by one byte.
char32_t next(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of a code point (invalid code points become U+FFFD).
void append(std::string& out, char32_t cp);

std::vector<char32_t> toCodePoints(std::string_view text);
std::string fromCodePoints(const std::vector<char32_t>& cps);

// Number of characters.
std::size_t length(std::string_view text);

// Byte offset of the character with 0-based index `charIndex` (text.size() when past the end).
std::size_t byteOffset(std::string_view text, std::size_t charIndex);

// Characters from 1-based position `start`, at most `count` of them (all when npos).
std::string mid(std::string_view text, std::size_t start, std::size_t count = std::string_view::npos);

// True when the text is well-formed UTF-8.
bool isValid(std::string_view text);

}  // namespace quorvane::utf8
