// Arbitrary bytes as a text for the JSON and CSV writers: whatever comes in, what goes
// out is valid UTF-8, and a JSON string holds no raw control character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/utf8.h"
#include "report/csv_writer.h"
#include "report/json_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string json;
  const bool valid = report::appendJsonString(json, text);
  if (!utf8::isValid(json) || valid != utf8::isValid(text)) std::abort();
  for (char c : json)
    if (static_cast<unsigned char>(c) < 0x20) std::abort();
  report::CsvWriter csv;
  csv.field(text);
  csv.endRow();
  if ((csv.replacedTexts() == 0) != valid || !utf8::isValid(csv.finish())) std::abort();
  return 0;
}
