#include "common/terminal.h"

#include "common/platform.h"
#include "common/sjis.h"

namespace quorvane::terminal {

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
}  // namespace

bool isTerminal(Stream stream) { return platform::isTerminal(stream == Stream::Output ? 1 : 2); }

// UTF-8 on every platform: on Windows the console streams take UTF-8 and show it as the
// characters it is (platform::prepareCommandLine), whatever the console's code page.
std::string fileTextForTerminal(std::string_view fileBytes) {
  if (fileBytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) return std::string(fileBytes.substr(kUtf8Bom.size()));
  return sjis::decodeLenient(fileBytes);
}

}  // namespace quorvane::terminal
