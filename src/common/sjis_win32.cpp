// The codec on Windows: the system's own code page 932 tables. Conversions that would
// substitute (best fit, the default character "?") are refused and reported instead.
#include "common/sjis.h"

#include <windows.h>

#include "common/utf8.h"
#include "common/wide_text.h"

namespace quorvane::sjis {

namespace {

constexpr UINT kCodePage = 932;

// Bytes that are no character in code page 932 although Windows maps them to U+0080
// and to private-use characters; other converters reject them, and so do we, so that
// a file reads the same on every platform.
bool isStrayByte(unsigned char b) { return b == 0x80 || b == 0xA0 || b >= 0xFD; }

// Converts a whole text; nullopt when any byte sequence is invalid.
std::optional<std::string> decodeStrict(std::string_view cp932) {
  if (cp932.empty()) return std::string();
  for (std::size_t i = 0; i < cp932.size(); ++i) {
    const auto b = static_cast<unsigned char>(cp932[i]);
    if (IsDBCSLeadByteEx(kCodePage, b)) {
      ++i;  // the trail byte is checked by the conversion
    } else if (isStrayByte(b)) {
      return std::nullopt;
    }
  }
  const int inLength = static_cast<int>(cp932.size());
  const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, cp932.data(), inLength, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, cp932.data(), inLength, wide.data(), n) != n)
    return std::nullopt;
  return wideText::toUtf8(wide);
}

std::optional<std::string> encodeStrict(std::string_view utf8text) {
  if (utf8text.empty()) return std::string();
  const auto wide = wideText::fromUtf8(utf8text);
  if (!wide) return std::nullopt;
  const int inLength = static_cast<int>(wide->size());
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide->data(), inLength, nullptr, 0,
                                    nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  if (WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide->data(), inLength, out.data(), n, nullptr,
                          &usedDefault) != n ||
      usedDefault)
    return std::nullopt;
  // A character written as another one's bytes would read back differently.
  if (decodeStrict(out) != utf8text) return std::nullopt;
  return out;
}

}  // namespace

EncodeResult encode(std::string_view utf8text) {
  EncodeResult result;
  if (auto whole = encodeStrict(utf8text)) {
    result.bytes = std::move(whole);
    return result;
  }
  // Character by character, to say where the first one that cannot be held is.
  for (std::size_t pos = 0; pos < utf8text.size();) {
    const std::size_t start = pos;
    utf8::next(utf8text, pos);
    if (!encodeStrict(utf8text.substr(start, pos - start))) {
      result.failedAt = start;
      return result;
    }
  }
  return result;
}

std::optional<std::string> decode(std::string_view cp932) { return decodeStrict(cp932); }

std::string decodeLenient(std::string_view cp932) {
  if (auto whole = decodeStrict(cp932)) return *whole;
  std::string out;
  for (std::size_t i = 0; i < cp932.size();) {
    const auto b = static_cast<unsigned char>(cp932[i]);
    const std::size_t length = (IsDBCSLeadByteEx(kCodePage, b) && i + 1 < cp932.size()) ? 2 : 1;
    if (auto one = decodeStrict(cp932.substr(i, length))) {
      out += *one;
      i += length;
    } else {
      utf8::append(out, 0xFFFD);
      ++i;  // only the bad byte is lost; a valid byte after it starts afresh
    }
  }
  return out;
}

}  // namespace quorvane::sjis
