#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_reader.h"
#include "dialogs/file_text_encoding.h"

namespace quorvane {

// Splits the bytes of a text file into lines. A line ends at CR LF, at a lone CR or at a
// lone LF; the last line needs no ending. A UTF-8 byte-order mark at the very start is
// taken off and marks the file as UTF-8; otherwise the file is Shift_JIS.
// Reads either a buffer held by the caller or an open file in blocks, so a large file
// never has to be in memory at once.
class TextLineReader {
 public:
  enum class Status { Line, End, TooLong, ReadFailed };

  // No line may be longer than this; a longer one is an error rather than an allocation
  // as large as the file.
  static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

  explicit TextLineReader(std::string_view bytes);
  explicit TextLineReader(FileReader& file);

  // The next line without its ending; the view stays valid until the next call.
  Status next(std::string_view& line);

  FileTextEncoding encoding() const { return m_encoding; }
  // 1-based number of the line last returned.
  std::int64_t lineNumber() const { return m_lineNumber; }

 private:
  bool fill();
  void takeBom();

  std::string_view m_view;     // the unread bytes
  std::string m_storage;       // the block buffer when reading a file
  std::vector<std::uint8_t> m_block;
  FileReader* m_file = nullptr;
  std::uint64_t m_fileOffset = 0;
  bool m_atStart = true;
  bool m_failed = false;
  FileTextEncoding m_encoding = FileTextEncoding::ShiftJis;
  std::int64_t m_lineNumber = 0;
};

}  // namespace quorvane
