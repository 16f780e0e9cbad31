#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 (the program's text) to UTF-16 (what the Windows system calls take) and back.
// Windows builds only.
namespace quorvane::wideText {

// Malformed UTF-8 gives nullopt; a path or text is never passed on half-converted.
std::optional<std::wstring> fromUtf8(std::string_view utf8);

// A UTF-8 path as the system calls take it: a path of MAX_PATH characters or more is
// made absolute and given the "\\?\" prefix (or "\\?\UNC\" for a network path), under
// which the system takes paths of up to 32,767 characters. Malformed UTF-8 gives nullopt.
std::optional<std::wstring> systemPath(std::string_view utf8);

// Unpaired surrogates (possible in Windows file names) become U+FFFD.
std::string toUtf8(std::wstring_view wide);

}  // namespace quorvane::wideText
