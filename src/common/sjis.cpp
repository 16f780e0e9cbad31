// The parts of the codec that need no conversion tables: which characters take one byte.
#include "common/sjis.h"

#include "common/utf8.h"

namespace quorvane::sjis {

bool isSingleByteCodePoint(char32_t cp) { return cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F); }

bool isSingleByteText(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;  // the common case: plain ASCII
      continue;
    }
    if (!isSingleByteCodePoint(utf8::next(text, pos))) return false;
  }
  return true;
}

}  // namespace quorvane::sjis
