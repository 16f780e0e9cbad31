#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::report {

// Appends `text` as a JSON string literal, quotes included. Control characters, the
// quote, the backslash, DEL and the line and paragraph separators are escaped. Bytes that
// are not well-formed UTF-8 become the escape \ufffd, so the output is always valid
// UTF-8; the result is false when that happened.
bool appendJsonString(std::string& out, std::string_view text);

// Builds one JSON document, two spaces of indentation per level. The caller pairs every
// begin with its end and gives a key before each value inside an object.
class JsonWriter {
 public:
  void beginObject() { open('{'); }
  void endObject() { close('}'); }
  void beginArray() { open('['); }
  void endArray() { close(']'); }
  void key(std::string_view name);

  void value(std::string_view text);
  void value(const char* text) { value(std::string_view(text)); }
  void value(std::int64_t number);
  void value(bool flag);
  void null();

  template <typename T>
  void field(std::string_view name, const T& v) {
    key(name);
    value(v);
  }

  // Texts so far that held bytes which are not UTF-8.
  std::size_t replacedTexts() const { return m_replaced; }
  // The document, ending with a line feed.
  std::string finish();

 private:
  void beforeValue();
  void open(char bracket);
  void close(char bracket);
  void newLine(std::size_t depth);

  std::string m_out;
  std::vector<std::size_t> m_counts;  // values written at each open level
  bool m_afterKey = false;
  std::size_t m_replaced = 0;
};

}  // namespace quorvane::report
