#include "report/csv_writer.h"

#include "common/utf8.h"

namespace quorvane::report {

namespace {

bool needsQuotes(std::string_view text) {
  if (text.empty()) return false;
  return text.find_first_of(",\"\r\n") != std::string_view::npos || text.front() == ' ' || text.back() == ' ';
}

}  // namespace

CsvWriter::CsvWriter() : m_out("\xEF\xBB\xBF") {}

void CsvWriter::field(std::string_view text) {
  if (m_rowStarted) m_out += ',';
  m_rowStarted = true;
  const bool quoted = needsQuotes(text);
  if (quoted) m_out += '"';
  bool valid = true;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    const char32_t cp = utf8::next(text, pos);
    if (cp == 0xFFFD && pos - start != 3) {
      valid = false;
      utf8::append(m_out, cp);
    } else if (cp == '"') {
      m_out += "\"\"";
    } else {
      m_out.append(text.substr(start, pos - start));
    }
  }
  if (quoted) m_out += '"';
  if (!valid) ++m_replaced;
}

void CsvWriter::endRow() {
  m_out += "\r\n";
  m_rowStarted = false;
}

void CsvWriter::row(std::initializer_list<std::string_view> fields) {
  for (std::string_view f : fields) field(f);
  endRow();
}

}  // namespace quorvane::report
