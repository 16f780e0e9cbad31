#include "compare/record_format.h"

#include <algorithm>
#include <charconv>

#include "common/utf8.h"

namespace quorvane::recordFormat {

namespace {

constexpr char kTab = '\t';

std::string_view trimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// The text from `pos` to the next TAB, and `pos` moved past that TAB.
std::optional<std::string_view> takeUntilTab(std::string_view line, std::size_t& pos) {
  const std::size_t tab = line.find(kTab, pos);
  if (tab == std::string_view::npos) return std::nullopt;
  const std::string_view field = line.substr(pos, tab - pos);
  pos = tab + 1;
  return field;
}

// Date and time after the last column separator: the date runs to the first space,
// the time is everything after it, TABs included.
RowSplit splitDateTime(std::string_view line, std::size_t pos, FileVersionEntry& entry) {
  const std::size_t space = line.find(' ', pos);
  if (space == std::string_view::npos) return RowSplit::MissingSpace;
  entry.Date = fixed8(line.substr(pos, space - pos));
  entry.Time = fixed8(line.substr(space + 1));
  return RowSplit::Ok;
}

RowSplit splitSizeAndRest(std::string_view line, std::size_t pos, FileVersionEntry& entry) {
  const auto sizeText = takeUntilTab(line, pos);
  if (!sizeText) return RowSplit::MissingTab;
  const auto size = parseSize(*sizeText);
  if (!size) return RowSplit::BadSize;
  entry.Size = *size;
  return splitDateTime(line, pos, entry);
}

}  // namespace

int CheckComment(std::string_view line) {
  if (trimSpaces(line).empty()) return kIgnoreLine;
  if (line.find(kTab) != std::string_view::npos) return kDataRow;
  return line.substr(0, 2) == ";#" ? kColumnHeader : kIgnoreLine;
}

RecordLayout CheckColumnHeader(std::string_view line) {
  if (line == kFiveColumnHeader) return RecordLayout::FiveColumn;
  if (line == kFourColumnHeader) return RecordLayout::FourColumn;
  return RecordLayout::Unrecognised;
}

const char* rowSplitText(RowSplit reason) {
  switch (reason) {
    case RowSplit::Ok: return "";
    case RowSplit::MissingTab: return "列の区切り (TAB) が足りません";
    case RowSplit::BadSize: return "サイズの列が10進数ではありません";
    case RowSplit::MissingSpace: return "日付と時刻の間に空白がありません";
    case RowSplit::BadText: return "ファイルの文字コードとして正しくない文字があります";
  }
  return "";
}

RowSplit ParseRecordLine(std::string_view line, RecordLayout layout, FileVersionEntry& entry) {
  std::size_t pos = 0;
  const auto name = takeUntilTab(line, pos);
  if (!name) return RowSplit::MissingTab;
  entry.FullPath = std::string(*name);
  entry.NamePos = 1;
  const auto second = takeUntilTab(line, pos);
  if (!second) return RowSplit::MissingTab;
  if (layout != RecordLayout::FiveColumn) {
    // The older layout has one version column, the string version.
    entry.StringVersion = std::string(*second);
    return splitSizeAndRest(line, pos, entry);
  }
  entry.FixedVersion = std::string(*second);
  const auto third = takeUntilTab(line, pos);
  if (!third) return RowSplit::MissingTab;
  entry.StringVersion = std::string(*third);
  return splitSizeAndRest(line, pos, entry);
}

std::optional<std::int64_t> parseSize(std::string_view text) {
  text = trimSpaces(text);
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::string fixed8(std::string_view text) {
  // The usual case: exactly eight ASCII characters.
  if (text.size() == 8 && std::all_of(text.begin(), text.end(),
                                      [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(text);
  const std::size_t cut = utf8::byteOffset(text, 8);
  std::string out(text.substr(0, cut));
  const std::size_t length = utf8::length(out);
  if (length < 8) out.append(8 - length, ' ');
  return out;
}

}  // namespace quorvane::recordFormat
