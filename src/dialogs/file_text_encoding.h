#pragma once

#include <optional>
#include <string>
#include <string_view>

// The two encodings of the files the program writes. Shift_JIS is the format; a file
// whose text Shift_JIS cannot hold is written as UTF-8 with a byte-order mark instead of
// replacing characters, and every reader accepts both.
namespace quorvane {

enum class FileTextEncoding { ShiftJis, Utf8WithBom };

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// True when every character of the UTF-8 text has a code page 932 form that reads back
// as the same character.
bool fitsShiftJis(std::string_view utf8);

// The bytes of a UTF-8 text in the encoding; nothing when it cannot be represented.
std::optional<std::string> encodeText(std::string_view utf8, FileTextEncoding encoding);

// Appends the bytes of a UTF-8 text in the encoding to `out`; false, with `out` as it
// was, when the text cannot be represented. For writers that build a file in one buffer.
bool appendEncoded(std::string& out, std::string_view utf8, FileTextEncoding encoding);

// The UTF-8 text of bytes in the encoding; nothing when they are not valid in it.
std::optional<std::string> decodeText(std::string_view bytes, FileTextEncoding encoding);

}  // namespace quorvane
