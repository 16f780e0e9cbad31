#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvane::report {

// Builds a CSV text for spreadsheet programs: UTF-8 with a byte-order mark (without it
// they read Japanese text in the system's code page), rows ending with CR LF, fields
// separated by commas. A field holding a comma, a quote, a line end or a blank at either
// end is quoted, with quotes doubled. Bytes that are not UTF-8 become U+FFFD.
class CsvWriter {
 public:
  CsvWriter();

  void field(std::string_view text);
  void field(std::int64_t number) { field(std::string_view(std::to_string(number))); }
  void endRow();
  void row(std::initializer_list<std::string_view> fields);

  std::size_t replacedTexts() const { return m_replaced; }
  std::string finish() { return std::move(m_out); }

 private:
  std::string m_out;
  bool m_rowStarted = false;
  std::size_t m_replaced = 0;
};

}  // namespace quorvane::report
