// The codec on systems with iconv (glibc): code page 932 is iconv's "CP932".
#include "common/sjis.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "common/utf8.h"

namespace quorvane::sjis {

namespace {

// One conversion descriptor per call keeps the codec free of shared state.
class Converter {
 public:
  Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
    if (m_cd == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  ~Converter() { iconv_close(m_cd); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  enum class Stop { Done, Invalid };

  // Converts as much as it can; `consumed` tells how many input bytes were used.
  Stop run(std::string_view in, std::string& out, std::size_t& consumed) {
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char buffer[4096];
    Stop stop = Stop::Done;
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t rc = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (rc == static_cast<std::size_t>(-1)) {
        if (errno == E2BIG) continue;
        stop = Stop::Invalid;  // EILSEQ or EINVAL (truncated sequence at the end)
        break;
      }
    }
    consumed = in.size() - inLeft;
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    return stop;
  }

 private:
  iconv_t m_cd;
};

}  // namespace

EncodeResult encode(std::string_view utf8text) {
  EncodeResult result;
  std::string out;
  out.reserve(utf8text.size());
  std::size_t consumed = 0;
  Converter toCp932("CP932", "UTF-8");
  if (toCp932.run(utf8text, out, consumed) != Converter::Stop::Done) {
    result.failedAt = consumed;
    return result;
  }
  // iconv maps a few characters one way only (U+00A5 to 0x5C, U+203E to 0x7E, ...).
  // Such a character would come back as another one, so it counts as unrepresentable.
  auto back = decode(out);
  if (!back || *back != utf8text) {
    std::size_t pos = 0;
    while (pos < utf8text.size()) {
      const std::size_t start = pos;
      utf8::next(utf8text, pos);
      const std::string_view one = utf8text.substr(start, pos - start);
      std::string bytes;
      std::size_t used = 0;
      Converter single("CP932", "UTF-8");
      if (single.run(one, bytes, used) != Converter::Stop::Done || decode(bytes) != std::string(one)) {
        result.failedAt = start;
        return result;
      }
    }
    result.failedAt = 0;
    return result;
  }
  result.bytes = std::move(out);
  return result;
}

std::optional<std::string> decode(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  std::size_t consumed = 0;
  Converter toUtf8("UTF-8", "CP932");
  if (toUtf8.run(cp932, out, consumed) != Converter::Stop::Done) return std::nullopt;
  return out;
}

std::string decodeLenient(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  Converter toUtf8("UTF-8", "CP932");
  while (!cp932.empty()) {
    std::size_t consumed = 0;
    if (toUtf8.run(cp932, out, consumed) == Converter::Stop::Done) break;
    utf8::append(out, 0xFFFD);
    cp932.remove_prefix(consumed + 1);
  }
  return out;
}

}  // namespace quorvane::sjis
