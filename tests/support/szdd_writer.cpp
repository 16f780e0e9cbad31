#include "support/szdd_writer.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quorvane::testsupport {

namespace {

constexpr std::size_t kWindow = 4096;
constexpr std::size_t kMask = kWindow - 1;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 18;

struct Match {
  std::size_t from = 0;
  std::size_t length = 0;
};

// The compressor keeps the same window as the decoder, so a reference may start anywhere
// in it, including blanks never written and bytes the reference itself is writing.
class Encoder {
 public:
  Encoder() { m_window.fill(' '); }

  Match longest(const std::vector<std::uint8_t>& data, std::size_t at) const {
    Match best;
    const std::size_t limit = std::min(kMaxMatch, data.size() - at);
    if (limit < kMinMatch) return best;
    for (std::size_t from = 0; from < kWindow; ++from) {
      std::size_t n = 0;
      while (n < limit && byteAt((from + n) & kMask, data, at, n) == data[at + n]) ++n;
      if (n > best.length) best = {from, n};
      if (n == limit) break;
    }
    return best;
  }

  void put(std::uint8_t b) {
    m_window[m_pos] = b;
    m_pos = (m_pos + 1) & kMask;
  }

 private:
  // The window byte at `index` after `written` bytes of the current reference were copied.
  std::uint8_t byteAt(std::size_t index, const std::vector<std::uint8_t>& data, std::size_t at,
                      std::size_t written) const {
    const std::size_t ahead = (index - m_pos) & kMask;
    return ahead < written ? data[at + ahead] : m_window[index];
  }

  std::array<std::uint8_t, kWindow> m_window{};
  std::size_t m_pos = kWindow - 16;
};

void appendHeader(std::vector<std::uint8_t>& out, char missingChar, std::size_t length) {
  for (int b : {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33}) out.push_back(static_cast<std::uint8_t>(b));  // "SZDD" and magic
  out.push_back('A');
  out.push_back(static_cast<std::uint8_t>(missingChar));
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> compressSzdd(const std::vector<std::uint8_t>& data, SzddStyle style,
                                       char missingChar) {
  std::vector<std::uint8_t> out;
  appendHeader(out, missingChar, data.size());
  Encoder encoder;
  std::size_t at = 0;
  while (at < data.size()) {
    const std::size_t controlAt = out.size();
    out.push_back(0);
    for (int bit = 0; bit < 8 && at < data.size(); ++bit) {
      const Match m = style == SzddStyle::Greedy ? encoder.longest(data, at) : Match{};
      if (m.length >= kMinMatch) {
        out.push_back(static_cast<std::uint8_t>(m.from & 0xFF));
        out.push_back(static_cast<std::uint8_t>(((m.from >> 4) & 0xF0) | (m.length - kMinMatch)));
        for (std::size_t k = 0; k < m.length; ++k) encoder.put(data[at + k]);
        at += m.length;
      } else {
        out[controlAt] = static_cast<std::uint8_t>(out[controlAt] | (1u << bit));
        out.push_back(data[at]);
        encoder.put(data[at]);
        ++at;
      }
    }
  }
  return out;
}

std::vector<std::uint8_t> compressSzdd(const std::string& data, SzddStyle style, char missingChar) {
  return compressSzdd(std::vector<std::uint8_t>(data.begin(), data.end()), style, missingChar);
}

}  // namespace quorvane::testsupport
