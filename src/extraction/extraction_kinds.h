#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The file kinds offered in the kind box, in this order. Item 5 is item 4 plus "*.EXE";
// item 6 holds the compressed forms of setup media.
inline constexpr std::array<const char*, 7> kExtractionKinds = {
    "*.DLL",
    "*.OCX",
    "*.DLL *.OCX",
    "*.DLL *.OCX *.OLB *.TLB",
    "*.DLL *.OCX *.OLB *.TLB *.EXE",
    "*.DL_ *.OC_ *.OL_ *.TL_ *.EX_",
    "*.*",
};

// The kind selected when the extraction page is set up ("*.DLL *.OCX *.OLB *.TLB").
inline constexpr std::size_t kDefaultKindIndex = 3;

struct KindPatterns {
  std::vector<std::string> Patterns;  // the kind's words, in order
  bool ExpandCompressed = false;      // a word names compressed files (contains "_")
};

// Splits a kind text at blanks (runs of blanks count as one) into name patterns.
KindPatterns PatternsOfKind(std::string_view kindText);

}  // namespace quorvane
