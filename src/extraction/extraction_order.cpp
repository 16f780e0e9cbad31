#include "extraction/extraction_order.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <tuple>

#include "common/ascii_case.h"
#include "common/basDirUtil.h"
#include "common/sjis.h"
#include "common/utf8.h"

namespace quorvane {

namespace {

// Lower case for the letters code page 932 holds: ASCII, full-width Latin, Greek, Cyrillic.
char32_t lowerLetter(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;                      // Ａ..Ｚ
  if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) return c + 0x20;        // Α..Ω
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;                       // А..Я
  if (c == 0x0401) return 0x0451;                                        // Ё
  return c;
}

struct StrictKey {
  bool encodable = false;
  std::string bytes;             // code page 932 bytes when encodable
  std::vector<char32_t> points;  // otherwise the code points
};

StrictKey strictKey(const std::string& name) {
  std::vector<char32_t> cps = utf8::toCodePoints(name);
  for (char32_t& c : cps) c = lowerLetter(c);
  StrictKey key;
  auto encoded = sjis::encode(utf8::fromCodePoints(cps));
  if (encoded.ok()) {
    key.encodable = true;
    key.bytes = std::move(*encoded.bytes);
  } else {
    key.points = std::move(cps);
  }
  return key;
}

bool strictLess(const StrictKey& a, const StrictKey& b) {
  if (a.encodable != b.encodable) return a.encodable;  // encodable names first
  // std::string compares its characters as unsigned char: plain byte order.
  return a.encodable ? a.bytes < b.bytes : a.points < b.points;
}

// The normal order of names given their single-byte-lower-cased forms; `nameOf(i)` gives
// name i as it is, asked only to break a tie. In well-formed UTF-8 the order of the bytes
// is the order of the code points, so the lower-cased texts serve as keys as they are: no
// copy of every name as code points (four bytes a character), and a plain compare. Only a
// list with a malformed name needs code points, where each bad byte counts as U+FFFD.
template <class NameOf>
std::vector<std::size_t> orderByLowered(const std::vector<std::string>& lowered, NameOf nameOf) {
  std::vector<std::size_t> order(lowered.size());
  const auto tie = [&](std::size_t a, std::size_t b) {
    const int c = std::string_view(nameOf(a)).compare(nameOf(b));
    return c != 0 ? c < 0 : a < b;
  };
  if (std::all_of(lowered.begin(), lowered.end(), [](const std::string& s) { return utf8::isValid(s); })) {
    // The texts sorted side by side with their indices: a compare reaches the bytes
    // without first going through the string objects.
    struct Keyed {
      std::string_view text;
      std::size_t index;
    };
    std::vector<Keyed> keyed(lowered.size());
    for (std::size_t i = 0; i < lowered.size(); ++i) keyed[i] = {lowered[i], i};
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
      const int c = a.text.compare(b.text);  // as unsigned bytes
      return c != 0 ? c < 0 : tie(a.index, b.index);
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) order[i] = keyed[i].index;
    return order;
  }
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::vector<std::vector<char32_t>> keys(lowered.size());
  for (std::size_t i = 0; i < lowered.size(); ++i) keys[i] = utf8::toCodePoints(lowered[i]);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (keys[a] != keys[b]) return keys[a] < keys[b];
    return tie(a, b);
  });
  return order;
}

}  // namespace

std::string EntryName(const FileVersionEntry& entry, bool lowerCased) {
  std::string name = utf8::mid(entry.FullPath, static_cast<std::size_t>(std::max<std::int32_t>(entry.NamePos, 1)));
  for (char& c : name) {
    if (c == basDirUtil::kSeparator) c = '\\';
    else if (lowerCased) c = asciiLower(c);
  }
  return name;
}

void UpadateList(ExtractionResult& result, bool strict) {
  const std::size_t count = static_cast<std::size_t>(std::max<std::int32_t>(result.LastIndex + 1, 0));
  const std::size_t n = std::min(count, result.Entries.size());
  result.DisplayNames.assign(n, {});
  for (std::size_t i = 0; i < n; ++i) result.DisplayNames[i] = EntryName(result.Entries[i], true);
  std::vector<std::int32_t> order(n);
  if (strict) {
    std::vector<std::string> names(n);
    for (std::size_t i = 0; i < n; ++i) names[i] = EntryName(result.Entries[i], false);
    const auto tie = [&](std::int32_t a, std::int32_t b) {
      return std::tie(names[static_cast<std::size_t>(a)], a) < std::tie(names[static_cast<std::size_t>(b)], b);
    };
    std::vector<StrictKey> keys(n);
    for (std::size_t i = 0; i < n; ++i) keys[i] = strictKey(names[i]);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
      const auto& ka = keys[static_cast<std::size_t>(a)];
      const auto& kb = keys[static_cast<std::size_t>(b)];
      if (strictLess(ka, kb)) return true;
      if (strictLess(kb, ka)) return false;
      return tie(a, b);
    });
  } else {
    // The names as they are only break ties, so they are made only then.
    const auto nameOf = [&](std::size_t i) { return EntryName(result.Entries[i], false); };
    const std::vector<std::size_t> normal = orderByLowered(result.DisplayNames, nameOf);
    order.assign(normal.begin(), normal.end());
  }
  result.Order = std::move(order);
}

std::vector<std::size_t> nameListOrder(const std::vector<std::string>& names) {
  std::vector<std::string> lowered(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) lowered[i] = basDirUtil::ConvertSingleByteCase(names[i], 2);
  return orderByLowered(lowered, [&](std::size_t i) -> const std::string& { return names[i]; });
}

}  // namespace quorvane
