#pragma once

#include <string>
#include <string_view>

// The console the command-line program writes to.
namespace quorvane::terminal {

enum class Stream { Output, Error };

// True when the stream is a terminal, not a file or a pipe.
bool isTerminal(Stream stream);

// The bytes of a file the program writes (Shift_JIS, or UTF-8 after a byte-order mark)
// as UTF-8 text for the terminal. Bytes the file's encoding does not allow are shown as
// U+FFFD; the file itself is never changed by this.
std::string fileTextForTerminal(std::string_view fileBytes);

}  // namespace quorvane::terminal
