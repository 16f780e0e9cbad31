#include "dialogs/file_text_encoding.h"

#include <algorithm>

#include "common/sjis.h"
#include "common/utf8.h"

namespace quorvane {

namespace {
// Most names and versions are plain ASCII, which both encodings store unchanged; the
// converter is only needed for the rest.
bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}
}  // namespace

bool fitsShiftJis(std::string_view utf8) {
  return isAscii(utf8) || sjis::encode(utf8).ok();
}

std::optional<std::string> encodeText(std::string_view utf8, FileTextEncoding encoding) {
  if (isAscii(utf8)) return std::string(utf8);
  if (encoding == FileTextEncoding::Utf8WithBom) {
    if (!utf8::isValid(utf8)) return std::nullopt;
    return std::string(utf8);
  }
  auto encoded = sjis::encode(utf8);
  if (!encoded.ok()) return std::nullopt;
  return std::move(*encoded.bytes);
}

bool appendEncoded(std::string& out, std::string_view utf8, FileTextEncoding encoding) {
  if (isAscii(utf8)) {
    out += utf8;
    return true;
  }
  auto bytes = encodeText(utf8, encoding);
  if (!bytes) return false;
  out += *bytes;
  return true;
}

std::optional<std::string> decodeText(std::string_view bytes, FileTextEncoding encoding) {
  if (isAscii(bytes)) return std::string(bytes);
  if (encoding == FileTextEncoding::Utf8WithBom) {
    if (!utf8::isValid(bytes)) return std::nullopt;
    return std::string(bytes);
  }
  return sjis::decode(bytes);
}

}  // namespace quorvane
