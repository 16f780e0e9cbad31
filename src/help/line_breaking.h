#pragma once

#include <cstddef>

#include "help/html_text.h"

// Where a line of help text may break. Japanese text breaks between any two characters
// except where its line-breaking rules forbid it: no line starts with a closing bracket,
// a long-vowel mark, a full stop, a comma or a small kana, and no line ends with an
// opening bracket. Latin words and file patterns ("*.OLB") are kept whole; a space stays
// at the end of the line it follows.
namespace quorvane::help::lineBreaking {

bool mayNotStartLine(char32_t c);
bool mayNotEndLine(char32_t c);

// True when a line may break between `before` and `after`.
bool mayBreakBetween(char32_t before, char32_t after);

// The end (exclusive) of the piece that starts at `from` and must stay on one line. A
// carriage return ends a piece, so line breaks in the text are never inside one.
std::size_t unitEnd(TextView text, std::size_t from);

}  // namespace quorvane::help::lineBreaking
