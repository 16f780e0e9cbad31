#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "help/html_text.h"

// Attribute values, colours and font sizes of the help format.
namespace quorvane::help {

// A colour name of the help format's table, or hexadecimal RRGGBB with or without "#",
// as a platform colour value (red in the lowest byte); -1 when the text is not a colour.
std::int32_t ColorFromHtml(std::string_view text);
std::int32_t ColorFromHtml(TextView text);

// Point size of a font size index 1..7 (heading sizes when `heading`); 0 outside the table.
std::int32_t HtmlFontPoints(std::int32_t index, bool heading);

// The value of the first attribute at or after the 1-based character position `start`:
// from after the first "=" up to and including the next space (or the end). Empty when
// there is no "=". Callers trim it; a quoted value with a space in it is cut at the space.
std::string AttributeValue(std::string_view text, std::int32_t start);
Text AttributeValue(TextView text, std::int32_t start);

// Removes one leading and then one trailing double-quote character.
std::string StripQuotes(std::string_view text);
Text StripQuotes(TextView text);

// The value as the tag rules use it: AttributeValue, trimmed, quotes removed.
Text cleanAttributeValue(TextView text, std::int32_t start);

}  // namespace quorvane::help
