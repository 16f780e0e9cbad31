#include <gtest/gtest.h>

#include "common/terminal.h"

using quorvane::terminal::fileTextForTerminal;

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
  for (const Row& r : rows) EXPECT_EQ(fileTextForTerminal(r.file), r.shown) << r.file;
}
