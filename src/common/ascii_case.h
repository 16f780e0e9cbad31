#pragma once

#include <string>
#include <string_view>

// Case conversion of the program: ASCII letters only. Every other character either has no
// case in code page 932 (half-width katakana) or is a double-byte character whose case
// stays as written, and in UTF-8 no byte of such a character is an ASCII letter, so the
// routines may work byte by byte.
namespace quorvane {

constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char32_t asciiLower(char32_t c) { return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c; }

inline std::string asciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = asciiUpper(c);
  return out;
}

inline std::string asciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = asciiLower(c);
  return out;
}

}  // namespace quorvane
