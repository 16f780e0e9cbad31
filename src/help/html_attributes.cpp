#include "help/html_attributes.h"

#include <array>

namespace quorvane::help {

namespace {

struct NamedColor {
  std::u32string_view name;
  std::uint8_t r, g, b;
};

// The help format's own table; note that it differs from later HTML in a few rows
// (green, gray, purple, orange), and help files written for it rely on these values.
constexpr std::array<NamedColor, 18> kNamedColors{{
    {U"aqua", 0, 255, 255},    {U"black", 0, 0, 0},       {U"blue", 0, 0, 255},
    {U"fuchsia", 255, 0, 255}, {U"gray", 192, 192, 192},  {U"green", 0, 255, 0},
    {U"lime", 0, 255, 0},      {U"maroon", 128, 0, 0},    {U"navy", 0, 0, 128},
    {U"olive", 128, 128, 0},   {U"purple", 255, 0, 255},  {U"red", 255, 0, 0},
    {U"silver", 192, 192, 192}, {U"teal", 0, 128, 128},   {U"white", 255, 255, 255},
    {U"yellow", 255, 255, 0},  {U"pink", 255, 192, 203},  {U"orange", 255, 85, 0},
}};

std::int32_t platformColor(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return static_cast<std::int32_t>(r | (g << 8) | (b << 16));
}

int hexDigit(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a' + 10);
  if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A' + 10);
  return -1;
}

}  // namespace

std::int32_t ColorFromHtml(TextView text) {
  Text lower(text);
  for (char32_t& c : lower)
    if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
  for (const NamedColor& named : kNamedColors)
    if (lower == named.name) return platformColor(named.r, named.g, named.b);

  TextView hex = lower;
  if (!hex.empty() && hex.front() == U'#') hex.remove_prefix(1);
  // A 32-bit number holds at most eight digits; anything longer is not a colour.
  if (hex.empty() || hex.size() > 8) return -1;
  std::uint32_t value = 0;
  for (char32_t c : hex) {
    const int d = hexDigit(c);
    if (d < 0) return -1;
    value = (value << 4) | static_cast<std::uint32_t>(d);
  }
  return platformColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

std::int32_t ColorFromHtml(std::string_view text) { return ColorFromHtml(toText(text)); }

std::int32_t HtmlFontPoints(std::int32_t index, bool heading) {
  static constexpr std::array<std::int32_t, 7> kFont{8, 10, 12, 14, 18, 24, 32};
  static constexpr std::array<std::int32_t, 7> kHeading{20, 15, 12, 10, 8, 7, 0};
  if (index < 1 || index > 7) return 0;
  return heading ? kHeading[static_cast<std::size_t>(index - 1)]
                 : kFont[static_cast<std::size_t>(index - 1)];
}

Text AttributeValue(TextView text, std::int32_t start) {
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
  if (from >= text.size()) return {};
  const std::size_t eq = text.find(U'=', from);
  if (eq == TextView::npos) return {};
  const std::size_t space = text.find(U' ', eq + 1);
  const std::size_t end = space == TextView::npos ? text.size() : space + 1;
  return Text(text.substr(eq + 1, end - eq - 1));
}

std::string AttributeValue(std::string_view text, std::int32_t start) {
  return toUtf8(AttributeValue(toText(text), start));
}

Text StripQuotes(TextView text) {
  if (!text.empty() && text.front() == U'"') text.remove_prefix(1);
  if (!text.empty() && text.back() == U'"') text.remove_suffix(1);
  return Text(text);
}

std::string StripQuotes(std::string_view text) { return toUtf8(StripQuotes(toText(text))); }

Text cleanAttributeValue(TextView text, std::int32_t start) {
  return StripQuotes(trimSpaces(AttributeValue(text, start)));
}

}  // namespace quorvane::help
