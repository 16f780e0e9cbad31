// The version record reader over arbitrary bytes: every line kind, both layouts, both
// encodings. Whatever the bytes, reading ends with rows or a clean error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "compare/record_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  quorvane::TextLineReader lines(bytes);
  const auto read = quorvane::ReadRecord(lines);
  // A row needs at least one TAB byte, so there can never be more rows than bytes.
  if (read.Entries.size() > size) std::abort();
  for (const auto& e : read.Entries)
    if (e.Date.empty() || e.Time.empty()) std::abort();  // always 8-character fields
  // The streaming reader must agree with the whole-record reader.
  quorvane::TextLineReader again(bytes);
  quorvane::RecordRowReader rows(again);
  quorvane::FileVersionEntry entry;
  std::size_t count = 0;
  while (rows.next(entry) == quorvane::RecordRowReader::Status::Row) ++count;
  if (read.ok() && count != read.Entries.size()) std::abort();
  return 0;
}
