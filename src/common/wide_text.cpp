#include "common/wide_text.h"

#include <windows.h>

#include <limits>

namespace quorvane::wideText {

std::optional<std::wstring> fromUtf8(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  if (utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
  const int inLength = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, wide.data(), n) != n)
    return std::nullopt;
  return wide;
}

std::optional<std::wstring> systemPath(std::string_view utf8) {
  auto path = fromUtf8(utf8);
  if (!path || path->size() < MAX_PATH || path->starts_with(L"\\\\?\\")) return path;
  // The prefix turns off the system's own clean-up of the name ("/", ".", ".."), so the
  // full path is made first.
  const DWORD size = GetFullPathNameW(path->c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD n = GetFullPathNameW(path->c_str(), size, full.data(), nullptr);
  if (n == 0 || n >= size) return path;
  full.resize(n);
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

std::string toUtf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int inLength = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

}  // namespace quorvane::wideText
