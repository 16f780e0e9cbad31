#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/byte_reader.h"

// The SZDD format written by the compress tool of setup media (SETUP.EX_, COMMDLG.DL_):
// a 14-byte header and LZSS data over a 4096-byte window.
namespace quorvane::szdd {

inline constexpr std::size_t kHeaderSize = 14;
inline constexpr std::size_t kWindowSize = 4096;
// Largest expansion we agree to produce, whatever the header claims; program files on
// setup media are far smaller.
inline constexpr std::uint64_t kMaxExpandedSize = 512ull * 1024 * 1024;

enum class SzddError {
  None,
  NotSzdd,          // no SZDD signature: the bytes are not compressed
  TruncatedHeader,  // signature present but the header is cut short
  UnknownMode,      // compression mode other than 'A'
  TooLarge,         // the header's length exceeds the limit
  TruncatedData,    // the data ends before the header's length was produced
};

struct SzddHeader {
  char missingChar = 0;     // the last character of the original name, 0 when unknown
  std::uint32_t length = 0;  // the uncompressed length
};

struct DecodeResult {
  SzddError error = SzddError::None;
  std::size_t offset = 0;  // input offset where decoding stopped on an error
  SzddHeader header;
  std::vector<std::uint8_t> data;
  bool ok() const { return error == SzddError::None; }
};

// True when the bytes start with the SZDD signature.
bool hasSignature(Bytes input);

// Expands a whole SZDD file held in memory. `limit` bounds the output.
DecodeResult decode(Bytes input, std::uint64_t limit = kMaxExpandedSize);

}  // namespace quorvane::szdd
