#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform_config.h"

// Path and text routines shared by the scan, the expansion, the records and the dialogs.
// Text is UTF-8; positions and lengths count characters. Where the routines speak of the
// folder separator they use the platform's one ("/" on POSIX, "\" on Windows).
namespace quorvane::basDirUtil {

inline constexpr char kSeparator = platform::kPathSeparator;

// Mode 0: without one trailing separator. Mode 1: with a trailing separator. Empty stays empty.
std::string AddOrRemoveSlash(std::string_view path, int mode);

// The text after the last separator (the whole text when there is none).
std::string FileNamePart(std::string_view path);

// The file-name part's text after its last "."; the whole file-name part without a ".".
std::string ExtensionPart(std::string_view name);

// The file-name part without its last "." and what follows.
std::string BaseNamePart(std::string_view path);

// Appends "." to a name without one, so that "*.*" also matches names without extension.
std::string EnsureDotForMatch(std::string_view name);

// Mode 1 upper case, mode 2 lower case; only single-byte letters change.
std::string ConvertSingleByteCase(std::string_view text, int mode);

// True when every character takes one byte in code page 932.
bool IsSingleByteText(std::string_view text);

// File-name equality: exact, or equal when single-byte letters are compared without case.
bool IsSameFileName(std::string_view a, std::string_view b);

std::string TrimAtNul(std::string_view text);

// The folder `levels` above the path's own folder, with a trailing separator; empty when
// there is no such folder.
std::string GetParentFolder(std::string_view path, int levels);

// True for an empty path; otherwise whether the path exists as a folder (folder = true)
// or as a file (folder = false).
bool PathExists(std::string_view path, bool folder);

// Creates every missing folder along the path. False when one cannot be created.
bool MakeFolderPath(std::string_view path);

// The path made absolute against the current folder, with "." and ".." parts resolved as
// text (links are not followed); the path itself when that fails.
std::string AbsolutePath(std::string_view path);

std::string SlashToBackslash(std::string_view text);

// Words of a text. Mode 1: blank-separated, runs of blanks count as one. Mode 2: split at
// `sep` without trimming. Other modes: split at `sep`, each word trimmed of blanks.
// WordCount gives -1 when `sep` is not one character (modes other than 1).
int WordCount(std::string_view text, int mode, std::string_view sep);
std::string GetWord(std::string_view text, int n, int mode, std::string_view sep);
// All words at once under the same rules (nothing when `sep` is not one character);
// callers that need every word use this rather than GetWord, which splits anew per call.
std::optional<std::vector<std::string>> SplitWords(std::string_view text, int mode, std::string_view sep);

// The pattern match of the scan: "*" any run, "?" any character, "#" a digit,
// "[list]" / "[!list]" one character in / not in the list (ranges "a-z" allowed).
// Characters compare exactly.
bool LikeMatch(std::string_view text, std::string_view pattern);

}  // namespace quorvane::basDirUtil
