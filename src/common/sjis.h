#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Conversion between the program's UTF-8 text and code page 932 (Shift_JIS with the
// vendor extensions), the encoding of every file the program reads and writes.
namespace quorvane::sjis {

// Result of encoding: the bytes, or the 0-based byte offset (in the UTF-8 input) of the
// first character that code page 932 cannot represent.
struct EncodeResult {
  std::optional<std::string> bytes;
  std::size_t failedAt = 0;
  bool ok() const { return bytes.has_value(); }
};

// UTF-8 to code page 932. Never substitutes: unrepresentable text is reported.
EncodeResult encode(std::string_view utf8);

// Code page 932 to UTF-8. Bytes that are not valid code page 932 are reported as nullopt.
std::optional<std::string> decode(std::string_view cp932);

// Like decode, but an invalid byte becomes U+FFFD and decoding goes on. For display of
// text from untrusted files where losing one character is better than losing all.
std::string decodeLenient(std::string_view cp932);

// True when the code point takes exactly one byte in code page 932
// (ASCII and the half-width katakana U+FF61..U+FF9F).
bool isSingleByteCodePoint(char32_t cp);

// True when `utf8` can be encoded and every character takes one byte.
bool isSingleByteText(std::string_view utf8);

}  // namespace quorvane::sjis
