// The comparison over two fuzzed records. The input is split at the first "\0\0\0"
// (or in the middle) into the first and the second record; both ignore options are
// taken from the last byte. Checks the sums every completed comparison must satisfy.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "compare/compare_engine.h"

namespace {
void check(const quorvane::CompareRun& run) {
  if (!run.ok() || run.Result.ViewMode) return;
  using quorvane::CompareCategory;
  const auto& r = run.Result;
  const std::size_t first = r.FirstRecord.size();
  // Deleted, unchanged and updated first-record entries divide the record exactly.
  std::vector<int> seen(first, 0);
  for (auto i : r.Deleted) seen.at(static_cast<std::size_t>(i)) += 1;
  for (auto i : r.Unchanged) seen.at(static_cast<std::size_t>(i)) += 1;
  std::vector<bool> updated(first, false);
  for (const auto& u : r.Updated) updated.at(static_cast<std::size_t>(u.FirstIndex)) = true;
  for (std::size_t i = 0; i < first; ++i)
    if (seen[i] + (updated[i] ? 1 : 0) != 1) std::abort();
  if (r.count(CompareCategory::Added) + r.count(CompareCategory::Updated) >
      static_cast<std::size_t>(r.SecondCount))
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  std::size_t cut = all.find(std::string_view("\0\0\0", 3));
  std::size_t skip = 3;
  if (cut == std::string_view::npos) cut = size / 2, skip = 0;
  const std::string_view first = all.substr(0, cut);
  const std::string_view second = all.substr(cut + skip);
  quorvane::CompareOptions options;
  options.IgnoreFileDate = size > 0 && (data[size - 1] & 1);
  options.IgnoreStringVersion = size > 0 && (data[size - 1] & 2);
  quorvane::TextLineReader a(first), b(second);
  check(quorvane::CompareRecordLines(a, &b, options));
  quorvane::TextLineReader view(first);
  check(quorvane::CompareRecordLines(view, nullptr, options));
  return 0;
}
