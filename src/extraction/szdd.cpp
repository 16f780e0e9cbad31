#include "extraction/szdd.h"

#include <algorithm>
#include <array>

namespace quorvane::szdd {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr std::uint8_t kModeA = 'A';
constexpr std::size_t kWindowMask = kWindowSize - 1;
// The compressor starts writing 16 bytes before the end of a window full of blanks, so
// early back-references may point at blanks that were never part of the file.
constexpr std::size_t kWindowStart = kWindowSize - 16;
constexpr std::size_t kMinMatch = 3;

DecodeResult failure(SzddError error, std::size_t offset) {
  DecodeResult r;
  r.error = error;
  r.offset = offset;
  return r;
}

// Expands the LZSS stream into `out` until `length` bytes are produced.
// Returns false when the input ends first.
bool expandStream(ByteReader& in, std::uint32_t length, std::vector<std::uint8_t>& out) {
  std::array<std::uint8_t, kWindowSize> window;
  window.fill(' ');
  std::size_t pos = kWindowStart;
  const auto put = [&](std::uint8_t b) {
    out.push_back(b);
    window[pos] = b;
    pos = (pos + 1) & kWindowMask;
  };
  while (out.size() < length) {
    const auto control = in.u8();
    if (!control) return false;
    for (int bit = 0; bit < 8 && out.size() < length; ++bit) {
      if (*control & (1u << bit)) {
        const auto literal = in.u8();
        if (!literal) return false;
        put(*literal);
        continue;
      }
      const auto lo = in.u8();
      const auto hi = in.u8();
      if (!lo || !hi) return false;
      std::size_t from = *lo | (static_cast<std::size_t>(*hi & 0xF0) << 4);
      const std::size_t count = (*hi & 0x0F) + kMinMatch;
      // Byte by byte, so that a reference overlapping the bytes it writes repeats them.
      for (std::size_t k = 0; k < count && out.size() < length; ++k) {
        put(window[from]);
        from = (from + 1) & kWindowMask;
      }
    }
  }
  return true;
}

}  // namespace

bool hasSignature(Bytes input) {
  return input.size() >= kSignature.size() &&
         std::equal(kSignature.begin(), kSignature.end(), input.begin());
}

DecodeResult decode(Bytes input, std::uint64_t limit) {
  if (!hasSignature(input)) return failure(SzddError::NotSzdd, 0);
  ByteReader in(input);
  in.skip(kSignature.size());
  const auto mode = in.u8();
  const auto missing = in.u8();
  const auto length = in.u32();
  if (!mode || !missing || !length) return failure(SzddError::TruncatedHeader, input.size());
  if (*mode != kModeA) return failure(SzddError::UnknownMode, kSignature.size());
  if (*length > limit) return failure(SzddError::TooLarge, kSignature.size() + 2);

  DecodeResult r;
  r.header.missingChar = static_cast<char>(*missing);
  r.header.length = *length;
  // One control byte and 16 bytes of references yield at most 8 * 18 bytes, so the
  // reservation never trusts the header beyond what the input could produce.
  const std::uint64_t possible = static_cast<std::uint64_t>(in.remaining()) * 9 + 16;
  r.data.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(*length, possible)));
  if (!expandStream(in, *length, r.data)) {
    auto f = failure(SzddError::TruncatedData, in.offset());
    f.header = r.header;
    return f;
  }
  return r;
}

}  // namespace quorvane::szdd
