#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/byte_reader.h"

// Text of version blocks: UTF-16LE in the 32-bit layout, code page 932 in the 16-bit one.
// Both decoders stop at the first NUL, so a value comes out whole and without the NULs
// that some tools leave behind it.
namespace quorvane::versionText {

// Appends UTF-16LE text (up to the first NUL unit) as UTF-8. An odd last byte is ignored;
// a lone surrogate becomes U+FFFD.
void appendUtf16(Bytes units, std::string& out);

// Appends code page 932 text (up to the first NUL byte) as UTF-8; invalid bytes become
// U+FFFD. Plain ASCII, the common case, needs no converter.
void appendCp932(Bytes bytes, std::string& out);

// A 16-bit value as 4 upper-case hexadecimal digits.
void appendHex4(std::uint16_t value, std::string& out);

// The first four characters of a key as a 16-bit number, when they are hexadecimal digits.
bool parseHex4(std::string_view text, std::uint16_t& value);

}  // namespace quorvane::versionText
