#include "version/version_text.h"

#include "common/sjis.h"
#include "common/utf8.h"

namespace quorvane::versionText {

void appendUtf16(Bytes units, std::string& out) {
  const std::size_t count = units.size() / 2;
  auto unitAt = [&](std::size_t i) -> char32_t {
    return static_cast<char32_t>(units[2 * i] | (units[2 * i + 1] << 8));
  };
  for (std::size_t i = 0; i < count; ++i) {
    const char32_t u = unitAt(i);
    if (u == 0) return;
    if (u < 0x80) {
      out.push_back(static_cast<char>(u));
    } else if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && unitAt(i + 1) >= 0xDC00 &&
               unitAt(i + 1) <= 0xDFFF) {
      utf8::append(out, 0x10000 + ((u - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      utf8::append(out, 0xFFFD);
    } else {
      utf8::append(out, u);
    }
  }
}

void appendCp932(Bytes bytes, std::string& out) {
  std::size_t length = 0;
  bool ascii = true;
  for (; length < bytes.size() && bytes[length] != 0; ++length)
    if (bytes[length] >= 0x80) ascii = false;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), length);
  if (ascii) out.append(text);
  else out += sjis::decodeLenient(text);
}

void appendHex4(std::uint16_t value, std::string& out) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kDigits[(value >> shift) & 0xF]);
}

bool parseHex4(std::string_view text, std::uint16_t& value) {
  if (text.size() < 4) return false;
  std::uint16_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    const char c = text[i];
    int digit = 0;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else return false;
    v = static_cast<std::uint16_t>((v << 4) | digit);
  }
  value = v;
  return true;
}

}  // namespace quorvane::versionText
