#include <gtest/gtest.h>

#include <string>

#include "common/sjis.h"
#include "common/terminal.h"
#include "common/utf8.h"

namespace quorvane {
namespace {

using sjis::decode;
using sjis::decodeLenient;
using sjis::encode;

constexpr std::size_t kOk = ~std::size_t{0};

// Each text encoded: its bytes, or the offset of the first character that cannot be.
TEST(Sjis, EncodeWritesTheBytesOrWhereItFails) {
  struct Case {
    const char* utf8;
    std::string cp932;
    std::size_t failedAt = kOk;
  } const cases[] = {
      {"ABC 123", "ABC 123"}, {"", ""}, {"日本", "\x93\xFA\x96\x7B"}, {"ｱ", "\xB1"},
      {"ソ表", "\x83\x5C\x95\x5C"},  // second bytes that look like "\" survive
      // Vendor characters; the full-width tilde and minus as Windows writes them.
      {"①", "\x87\x40"}, {"㈱", "\x87\x8A"}, {"㍾", "\x87\x8D"},
      {"～", "\x81\x60"}, {"－", "\x81\x7C"}, {"ⅰ", "\xFA\x40"}, {"髙", "\xFB\xFC"},
      {"ab\xF0\x9F\x98\x80z", "", 2}, {"日本語é", "", 9}, {"한", "", 0}, {"ok\xFF", "", 2},  // emoji, é, hangul, not UTF-8
      // One-way mappings would be read back as another character: unrepresentable.
      {"\xC2\xA5", "", 0}, {"x\xC2\xA5y", "", 1}, {"ab\xE2\x80\xBE", "", 2},
  };
  for (const Case& c : cases) {
    const sjis::EncodeResult r = encode(c.utf8);
    EXPECT_EQ(r.ok() ? *r.bytes : "", c.cp932) << c.utf8;
    EXPECT_EQ(r.ok() ? kOk : r.failedAt, c.failedAt) << c.utf8;
  }
}

TEST(Sjis, DecodeStrictAndLenient) {
  const std::string text = "Quorvane ファイルバージョン比較ツール ①㈱～ ｶﾅ \\ ~";
  EXPECT_EQ(decode(*encode(text).bytes), text);
  EXPECT_EQ(decode("\xEE\xEF"), "ⅰ");  // the NEC-selected copy of 0xFA40
  EXPECT_EQ(decode("\x5C\x7E"), "\\~");
  EXPECT_EQ(decode(""), "");
  struct Case {
    std::string cp932;
    const char* lenient;
  } const bad[] = {
      {"\x41\x81", "A\xEF\xBF\xBD"},        // lead byte at the end
      {"\x81\x20", "\xEF\xBF\xBD "},        // bad second byte
      {"\x41\xFF\x42", "A\xEF\xBF\xBD" "B"},  // never a character
      {"\x93\xFA\x81", "日\xEF\xBF\xBD"},
      {"\xFF\xFF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const Case& c : bad) {
    EXPECT_FALSE(decode(c.cp932).has_value()) << c.lenient;
    EXPECT_EQ(decodeLenient(c.cp932), c.lenient);
  }
  EXPECT_EQ(decodeLenient("plain"), "plain");
}

TEST(Utf8, MalformedSequencesAdvanceOneByte) {
  for (const std::string bad : {"\x80", "\xC3", "\xE6\x97", "\xC0\xAF" /* overlong "/" */,
                                "\xED\xA0\x80" /* surrogate */, "\xF4\x90\x80\x80" /* above U+10FFFF */, "\xFF", "\xC3("}) {
    std::size_t pos = 0;
    EXPECT_EQ(utf8::next(bad, pos), 0xFFFDu);
    EXPECT_EQ(pos, 1u);
    EXPECT_FALSE(utf8::isValid(bad));
  }
  EXPECT_TRUE(utf8::isValid(""));
  EXPECT_TRUE(utf8::isValid("日本 \xEF\xBF\xBD"));  // a real replacement character
}

// What a terminal on this system shows for the bytes of a record or result file.
TEST(Terminal, FileBytesBecomeTheTerminalsText) {
  struct Row {
    std::string_view file;
    std::string_view shown;
  };
  const Row rows[] = {
      {"; \x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\r\n", "; バージョン\r\n"},  // Shift_JIS
      {"\xEF\xBB\xBF\xE2\x91\xA0.dll\r\n", "\xE2\x91\xA0.dll\r\n"},               // UTF-8 with its mark
      {"abc\tC:\\x\r\n", "abc\tC:\\x\r\n"},                                        // ASCII as it is
      {"\x83", "\xEF\xBF\xBD"},  // a cut double-byte character is shown, not dropped silently
      {"", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(terminal::fileTextForTerminal(r.file), r.shown) << r.file;
}

}  // namespace
}  // namespace quorvane
