#include "common/terminal.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "common/sjis.h"

namespace quorvane::terminal {

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string fileTextAsUtf8(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) return std::string(bytes.substr(kUtf8Bom.size()));
  return sjis::decodeLenient(bytes);
}

#if defined(_WIN32)
std::string utf8ToCodePage(const std::string& utf8, UINT codePage) {
  if (utf8.empty() || codePage == CP_UTF8) return utf8;
  const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (wide <= 0) return utf8;
  std::wstring w(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), wide);
  const int narrow = WideCharToMultiByte(codePage, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  if (narrow <= 0) return utf8;
  std::string out(static_cast<std::size_t>(narrow), '\0');
  WideCharToMultiByte(codePage, 0, w.data(), wide, out.data(), narrow, nullptr, nullptr);
  return out;
}
#endif
}  // namespace

bool isTerminal(Stream stream) {
#if defined(_WIN32)
  return _isatty(stream == Stream::Output ? 1 : 2) != 0;
#else
  return isatty(stream == Stream::Output ? STDOUT_FILENO : STDERR_FILENO) != 0;
#endif
}

std::string fileTextForTerminal(std::string_view fileBytes) {
#if defined(_WIN32)
  return utf8ToCodePage(fileTextAsUtf8(fileBytes), GetConsoleOutputCP());
#else
  return fileTextAsUtf8(fileBytes);
#endif
}

}  // namespace quorvane::terminal
