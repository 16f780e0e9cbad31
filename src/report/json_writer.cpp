#include "report/json_writer.h"

#include <cstdio>

#include "common/utf8.h"

namespace quorvane::report {

namespace {

void appendEscape(std::string& out, char32_t cp) {
  char text[8];
  std::snprintf(text, sizeof text, "\\u%04x", static_cast<unsigned>(cp));
  out += text;
}

}  // namespace

bool appendJsonString(std::string& out, std::string_view text) {
  bool valid = true;
  out += '"';
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    const char32_t cp = utf8::next(text, pos);
    switch (cp) {
      case '"': out += "\\\""; continue;
      case '\\': out += "\\\\"; continue;
      case '\b': out += "\\b"; continue;
      case '\f': out += "\\f"; continue;
      case '\n': out += "\\n"; continue;
      case '\r': out += "\\r"; continue;
      case '\t': out += "\\t"; continue;
      default: break;
    }
    // The decoder gives U+FFFD for a malformed sequence; a real U+FFFD spans three bytes.
    const bool malformed = cp == 0xFFFD && pos - start != 3;
    valid = valid && !malformed;
    // U+2028 and U+2029 are escaped because JavaScript once read them as line ends.
    if (cp < 0x20 || cp == 0x7F || cp == 0x2028 || cp == 0x2029 || malformed) appendEscape(out, cp);
    else out.append(text.substr(start, pos - start));
  }
  out += '"';
  return valid;
}

void JsonWriter::newLine(std::size_t depth) {
  m_out += '\n';
  m_out.append(2 * depth, ' ');
}

void JsonWriter::beforeValue() {
  if (m_afterKey) {
    m_afterKey = false;
    return;
  }
  if (m_counts.empty()) return;
  if (m_counts.back()++ > 0) m_out += ',';
  newLine(m_counts.size());
}

void JsonWriter::key(std::string_view name) {
  beforeValue();
  if (!appendJsonString(m_out, name)) ++m_replaced;
  m_out += ": ";
  m_afterKey = true;
}

void JsonWriter::open(char bracket) {
  beforeValue();
  m_out += bracket;
  m_counts.push_back(0);
}

void JsonWriter::close(char bracket) {
  const std::size_t count = m_counts.back();
  m_counts.pop_back();
  if (count > 0) newLine(m_counts.size());
  m_out += bracket;
}

void JsonWriter::value(std::string_view text) {
  beforeValue();
  if (!appendJsonString(m_out, text)) ++m_replaced;
}

void JsonWriter::value(std::int64_t number) {
  beforeValue();
  m_out += std::to_string(number);
}

void JsonWriter::value(bool flag) {
  beforeValue();
  m_out += flag ? "true" : "false";
}

void JsonWriter::null() {
  beforeValue();
  m_out += "null";
}

std::string JsonWriter::finish() {
  m_out += '\n';
  return std::move(m_out);
}

}  // namespace quorvane::report
