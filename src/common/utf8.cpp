#include "common/utf8.h"

namespace quorvane::utf8 {

namespace {
constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// File names, paths and versions are mostly ASCII: a byte below 0x80 is a character of its
// own, stepped over without a call to decode it.
bool isAscii(std::string_view text, std::size_t pos) { return static_cast<unsigned char>(text[pos]) < 0x80; }
}  // namespace

char32_t next(std::string_view text, std::size_t& pos) {
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byteAt(pos);
  std::size_t extra = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (extra > text.size() - pos - 1) {
    ++pos;
    return kReplacement;
  }
  for (std::size_t i = 1; i <= extra; ++i) {
    if (!isContinuation(byteAt(pos + i))) {
      ++pos;
      return kReplacement;
    }
    cp = (cp << 6) | (byteAt(pos + i) & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += extra + 1;
  return cp;
}

void append(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::vector<char32_t> toCodePoints(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) out.push_back(next(text, pos));
  return out;
}

std::string fromCodePoints(const std::vector<char32_t>& cps) {
  std::string out;
  out.reserve(cps.size());
  for (char32_t cp : cps) append(out, cp);
  return out;
}

std::size_t length(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) {
    if (isAscii(text, pos)) ++pos;
    else next(text, pos);
  }
  return count;
}

std::size_t byteOffset(std::string_view text, std::size_t charIndex) {
  std::size_t pos = 0;
  for (std::size_t i = 0; i < charIndex && pos < text.size(); ++i) {
    if (isAscii(text, pos)) ++pos;
    else next(text, pos);
  }
  return pos;
}

std::string mid(std::string_view text, std::size_t start, std::size_t count) {
  if (start < 1) start = 1;
  const std::size_t from = byteOffset(text, start - 1);
  if (count == std::string_view::npos) return std::string(text.substr(from));
  std::size_t to = from;
  for (std::size_t i = 0; i < count && to < text.size(); ++i) next(text, to);
  return std::string(text.substr(from, to - from));
}

bool isValid(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    if (isAscii(text, pos)) {
      ++pos;
      continue;
    }
    const std::size_t before = pos;
    const char32_t cp = next(text, pos);
    // A real U+FFFD is three bytes long; a one-byte step means the input was malformed.
    if (cp == kReplacement && pos - before == 1) return false;
  }
  return true;
}

}  // namespace quorvane::utf8
