#include "common/basDirUtil.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "common/ascii_case.h"
#include "common/sjis.h"
#include "common/utf8.h"

namespace quorvane::basDirUtil {

namespace fs = std::filesystem;

namespace {

bool endsWithSeparator(std::string_view s) { return !s.empty() && s.back() == kSeparator; }

// Drive letters only exist on Windows; elsewhere ":" is an ordinary file-name character.
bool isNameBoundary(char c) { return c == kSeparator || (platform::kDriveLetters && c == ':'); }

std::string_view trimmedView(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

// One pass over views of the text: a kind text of thousands of patterns is split in time
// proportional to its length.
std::optional<std::vector<std::string>> SplitWords(std::string_view text, int mode, std::string_view sep) {
  std::string_view separator = " ";
  if (mode != 1) {
    if (utf8::length(sep) != 1) return std::nullopt;
    separator = sep;
  }
  const bool trim = mode != 2;
  std::string_view rest = trim ? trimmedView(text) : text;
  std::vector<std::string> words;
  if (rest.empty()) return words;
  for (;;) {
    const auto p = rest.find(separator);
    if (p == std::string_view::npos) {
      words.emplace_back(rest);
      break;
    }
    const std::string_view word = rest.substr(0, p);
    words.emplace_back(trim ? trimmedView(word) : word);
    rest.remove_prefix(p + separator.size());
    if (trim) rest = trimmedView(rest);
  }
  return words;
}

namespace {

// Matches one bracket list starting after "[" at pattern[pi]; sets pi past the "]".
// Returns nullopt when the list is not closed (the "[" is then an ordinary character).
std::optional<bool> matchList(const std::vector<char32_t>& pattern, std::size_t& pi, char32_t c) {
  std::size_t i = pi;
  bool negate = false;
  if (i < pattern.size() && pattern[i] == U'!') negate = true, ++i;
  bool found = false;
  bool closed = false;
  for (; i < pattern.size(); ++i) {
    if (pattern[i] == U']') {
      closed = true;
      break;
    }
    if (i + 2 < pattern.size() && pattern[i + 1] == U'-' && pattern[i + 2] != U']') {
      if (pattern[i] <= c && c <= pattern[i + 2]) found = true;
      i += 2;
    } else if (pattern[i] == c) {
      found = true;
    }
  }
  if (!closed) return std::nullopt;
  pi = i + 1;
  return found != negate;
}

bool likeFrom(const std::vector<char32_t>& t, std::size_t ti, const std::vector<char32_t>& p,
              std::size_t pi) {
  // Iterative with one back-tracking point for the last "*", which keeps it linear-ish.
  std::size_t starP = std::string::npos, starT = 0;
  while (ti < t.size()) {
    bool step = false;
    if (pi < p.size()) {
      const char32_t pc = p[pi];
      if (pc == U'*') {
        starP = ++pi;
        starT = ti;
        continue;
      }
      if (pc == U'?') {
        step = true, ++pi;
      } else if (pc == U'#') {
        if (t[ti] >= U'0' && t[ti] <= U'9') step = true, ++pi;
      } else if (pc == U'[') {
        std::size_t after = pi + 1;
        auto m = matchList(p, after, t[ti]);
        if (!m) {
          if (t[ti] == U'[') step = true, ++pi;
        } else if (*m) {
          step = true, pi = after;
        }
      } else if (pc == t[ti]) {
        step = true, ++pi;
      }
    }
    if (step) {
      ++ti;
    } else if (starP != std::string::npos) {
      pi = starP;
      ti = ++starT;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == U'*') ++pi;
  return pi == p.size();
}

}  // namespace

std::string AddOrRemoveSlash(std::string_view path, int mode) {
  if (path.empty()) return {};
  std::string out(path);
  if (mode == 0) {
    if (endsWithSeparator(out)) out.pop_back();
  } else if (mode == 1) {
    if (!endsWithSeparator(out)) out += kSeparator;
  }
  return out;
}

std::string FileNamePart(std::string_view path) {
  std::size_t cut = std::string_view::npos;
  if (utf8::length(path) > 100) {
    for (std::size_t i = path.size(); i-- > 0;)
      if (isNameBoundary(path[i])) {
        cut = i;
        break;
      }
  } else {
    cut = path.rfind(kSeparator);
  }
  if (cut == std::string_view::npos) return std::string(path);
  return std::string(path.substr(cut + 1));
}

std::string ExtensionPart(std::string_view name) {
  const std::string file = FileNamePart(name);
  const auto dot = file.rfind('.');
  if (dot == std::string::npos) return file;
  return file.substr(dot + 1);
}

std::string BaseNamePart(std::string_view path) {
  const std::string file = FileNamePart(path);
  const auto dot = file.rfind('.');
  if (dot == std::string::npos) return file;
  return file.substr(0, dot);
}

std::string EnsureDotForMatch(std::string_view name) {
  std::string out(name);
  if (out.find('.') == std::string::npos) out += '.';
  return out;
}

std::string ConvertSingleByteCase(std::string_view text, int mode) {
  if (mode == 1) return asciiUpper(text);
  if (mode == 2) return asciiLower(text);
  return std::string(text);
}

bool IsSingleByteText(std::string_view text) { return sjis::isSingleByteText(text); }

bool IsSameFileName(std::string_view a, std::string_view b) {
  if (a == b) return true;
  // Only ASCII letters have case here, and double-byte characters must be identical,
  // so position-by-position comparison after lower-casing single-byte letters amounts
  // to comparing the lower-cased texts.
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  return true;
}

std::string TrimAtNul(std::string_view text) {
  const auto nul = text.find('\0');
  return std::string(nul == std::string_view::npos ? text : text.substr(0, nul));
}

std::string GetParentFolder(std::string_view path, int levels) {
  if (path.empty() || levels < 0) return {};
  std::string text(path);
  int cuts = levels + 1;
  if (endsWithSeparator(text)) {
    if (levels == 0) return text;
    text.pop_back();
    --cuts;  // the trailing separator counts as one level
  }
  for (; cuts > 0; --cuts) {
    if (!text.empty() && text.back() == ':') return {};
    const auto p = text.rfind(kSeparator);
    if (p == std::string::npos) return {};
    text.erase(p);
  }
  return text + kSeparator;
}

bool PathExists(std::string_view path, bool folder) {
  if (path.empty()) return true;
  std::error_code ec;
  std::string p = AddOrRemoveSlash(path, 0);
  if (p.empty()) p = std::string(1, kSeparator);  // the root itself
  const auto status = fs::status(fs::u8path(p), ec);
  if (ec || !fs::exists(status)) return false;
  return folder ? fs::is_directory(status) : !fs::is_directory(status);
}

bool MakeFolderPath(std::string_view path) {
  if (path.empty()) return false;
  std::error_code ec;
  const fs::path target = fs::u8path(AddOrRemoveSlash(path, 0).empty() ? std::string(1, kSeparator)
                                                                       : AddOrRemoveSlash(path, 0));
  if (fs::is_directory(target, ec)) return true;
  fs::create_directories(target, ec);
  return fs::is_directory(target, ec);
}

std::string AbsolutePath(std::string_view path) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(fs::u8path(path), ec);
  if (ec || path.empty()) return std::string(path);
  const auto text = absolute.lexically_normal().u8string();
  return std::string(text.begin(), text.end());
}

std::string SlashToBackslash(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

int WordCount(std::string_view text, int mode, std::string_view sep) {
  const auto words = SplitWords(text, mode, sep);
  return words ? static_cast<int>(words->size()) : -1;
}

std::string GetWord(std::string_view text, int n, int mode, std::string_view sep) {
  const auto words = SplitWords(text, mode, sep);
  if (!words || n < 1 || static_cast<std::size_t>(n) > words->size()) return {};
  return (*words)[static_cast<std::size_t>(n) - 1];
}

bool LikeMatch(std::string_view text, std::string_view pattern) {
  return likeFrom(utf8::toCodePoints(text), 0, utf8::toCodePoints(pattern), 0);
}

}  // namespace quorvane::basDirUtil
