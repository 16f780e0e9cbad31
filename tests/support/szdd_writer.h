#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A small SZDD compressor for tests: it writes what the compress tool of setup media
// writes, so the tests can make their own compressed files.
namespace quorvane::testsupport {

enum class SzddStyle {
  Greedy,        // longest back-reference at every step (also into the initial blanks)
  LiteralsOnly,  // no back-references at all
};

std::vector<std::uint8_t> compressSzdd(const std::vector<std::uint8_t>& data,
                                       SzddStyle style = SzddStyle::Greedy, char missingChar = 0);

std::vector<std::uint8_t> compressSzdd(const std::string& data, SzddStyle style = SzddStyle::Greedy,
                                       char missingChar = 0);

}  // namespace quorvane::testsupport
