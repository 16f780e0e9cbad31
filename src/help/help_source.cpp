#include "help/help_source.h"

#include "common/file_reader.h"
#include "common/sjis.h"

namespace quorvane::help {

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

void appendLine(Text& out, TextView line) {
  out += trimSpaces(line);
  out += U' ';
}
}  // namespace

Text buildHelpSource(std::string_view fileBytes) {
  // Splitting after decoding is safe: neither CR nor LF occurs inside a double-byte
  // character of code page 932.
  const Text decoded = fileBytes.substr(0, kUtf8Bom.size()) == kUtf8Bom
                           ? toText(fileBytes.substr(kUtf8Bom.size()))
                           : toText(sjis::decodeLenient(fileBytes));
  Text out;
  out.reserve(decoded.size() + decoded.size() / 16);
  std::size_t lineStart = 0;
  std::size_t i = 0;
  while (i < decoded.size()) {
    const char32_t c = decoded[i];
    if (c != U'\r' && c != U'\n') {
      ++i;
      continue;
    }
    appendLine(out, TextView(decoded).substr(lineStart, i - lineStart));
    i += (c == U'\r' && i + 1 < decoded.size() && decoded[i + 1] == U'\n') ? 2 : 1;
    lineStart = i;
  }
  // The text after the last line end is a line of its own unless it is empty.
  if (lineStart < decoded.size()) appendLine(out, TextView(decoded).substr(lineStart));
  return out;
}

HelpSourceResult loadHelpSource(const std::string& path) {
  HelpSourceResult result;
  const auto bytes = readWholeFile(path, kMaxHelpFileBytes, &result.error);
  if (bytes) result.text = buildHelpSource(*bytes);
  return result;
}

}  // namespace quorvane::help
