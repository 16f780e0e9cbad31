// Feeds arbitrary bytes to the SZDD decoder: it must never crash, read outside its input
// or produce more than the header's length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "extraction/szdd.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  // A small limit keeps the fuzzer fast; the limit logic is the same for any value.
  constexpr std::uint64_t kLimit = 1 << 20;
  const szdd::DecodeResult r = szdd::decode(Bytes(data, size), kLimit);
  if (r.ok() && r.data.size() != r.header.length) std::abort();
  if (!r.ok() && !r.data.empty()) std::abort();
  return 0;
}
