#include "compare/update_class.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "compare/compare_engine.h"

namespace quorvane {

namespace {

constexpr std::array<const char*, kUpdateClassCount> kNames = {"up", "down", "same-version", "string-only",
                                                               "unordered"};
constexpr std::array<const char*, kUpdateClassCount> kLabels = {
    "バージョンアップ", "バージョンダウン", "同一バージョン (サイズ・日付が相違)",
    "ストリング情報ファイルバージョンのみ相違", "バージョン相違 (順序不明)"};

// Digits as a number; false for no digits or more than fit comfortably.
bool parseDigits(std::string_view text, std::uint64_t& value) {
  if (text.empty() || text.size() > 18) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return true;
}

// "a.b.c.d" as the fixed part stores it: four parts from -32768 to 65535, a negative one
// standing for the part plus 65536.
std::optional<std::array<std::uint64_t, 4>> parseFixed(std::string_view text) {
  std::array<std::uint64_t, 4> parts{};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::size_t dot = i < 3 ? text.find('.') : text.size();
    if (dot == std::string_view::npos) return std::nullopt;
    std::string_view part = text.substr(0, dot);
    const bool negative = !part.empty() && part.front() == '-';
    if (negative) part.remove_prefix(1);
    std::uint64_t value = 0;
    if (!parseDigits(part, value)) return std::nullopt;
    if (negative ? value == 0 || value > 32768 : value > 65535) return std::nullopt;
    parts[i] = negative ? 65536 - value : value;
    text.remove_prefix(dot == text.size() ? dot : dot + 1);
  }
  return parts;
}

// Numbers separated by dots at the start of the text, then the end or a blank and any
// note ("2.0 (beta)"). Nothing when the text is not of that form.
std::optional<std::vector<std::uint64_t>> parseDotted(std::string_view text) {
  std::vector<std::uint64_t> parts;
  const std::size_t blank = text.find(' ');
  std::string_view numbers = text.substr(0, blank);
  for (;;) {
    const std::size_t dot = numbers.find('.');
    std::uint64_t value = 0;
    if (!parseDigits(numbers.substr(0, dot), value)) return std::nullopt;
    parts.push_back(value);
    if (dot == std::string_view::npos) return parts;
    numbers.remove_prefix(dot + 1);
  }
}

template <typename Parts>
VersionOrder orderParts(const Parts& second, const Parts& first) {
  const std::size_t n = std::max(second.size(), first.size());
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint64_t a = i < second.size() ? second[i] : 0;
    const std::uint64_t b = i < first.size() ? first[i] : 0;
    if (a != b) return a > b ? VersionOrder::Higher : VersionOrder::Lower;
  }
  return VersionOrder::Equal;
}

}  // namespace

VersionOrder compareVersions(const FileVersionEntry& second, const FileVersionEntry& first) {
  const auto fixedSecond = parseFixed(second.FixedVersion);
  const auto fixedFirst = parseFixed(first.FixedVersion);
  if (fixedSecond && fixedFirst) return orderParts(*fixedSecond, *fixedFirst);
  if (second.StringVersion == first.StringVersion) {
    // Two empty texts tell nothing when only one side has a fixed version: its version
    // information appeared or vanished.
    const bool oneFixed = fixedSecond.has_value() != fixedFirst.has_value();
    return second.StringVersion.empty() && oneFixed ? VersionOrder::Unordered : VersionOrder::Equal;
  }
  const auto dottedSecond = parseDotted(second.StringVersion);
  const auto dottedFirst = parseDotted(first.StringVersion);
  if (dottedSecond && dottedFirst) return orderParts(*dottedSecond, *dottedFirst);
  return VersionOrder::Unordered;
}

UpdateClass ClassifyUpdate(const FileVersionEntry& second, const FileVersionEntry& first, bool ignoreFileDate) {
  switch (compareVersions(second, first)) {
    case VersionOrder::Higher: return UpdateClass::VersionUp;
    case VersionOrder::Lower: return UpdateClass::VersionDown;
    case VersionOrder::Unordered: return UpdateClass::Unordered;
    case VersionOrder::Equal: break;
  }
  // Equal versions: either the file changed under the same version, or the pair was found
  // updated only for a version text written differently (the string version, as a rule).
  return IsEntryChanged(second, first, ignoreFileDate) ? UpdateClass::SameVersion : UpdateClass::StringOnly;
}

const char* updateClassName(UpdateClass c) { return kNames[static_cast<std::size_t>(c)]; }

std::optional<UpdateClass> updateClassFromName(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i)
    if (name == kNames[i]) return static_cast<UpdateClass>(i);
  return std::nullopt;
}

const char* updateClassLabel(UpdateClass c) { return kLabels[static_cast<std::size_t>(c)]; }

std::string updateClassSummary(const std::array<std::size_t, kUpdateClassCount>& counts) {
  std::string text;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    if (counts[i] == 0) continue;
    if (!text.empty()) text += ", ";
    text += kLabels[i];
    text += ' ';
    text += std::to_string(counts[i]);
  }
  return text;
}

}  // namespace quorvane
