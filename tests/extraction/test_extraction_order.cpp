#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "extraction/extraction_order.h"
#include "extraction/support_run_folder.h"

namespace quorvane {
namespace {

using testsupport::namesInOrder;

// A result whose entries are the given file names in this listing order, in folder "/d/".
ExtractionResult resultOf(const std::vector<std::string>& names) {
  ExtractionResult r;
  for (const std::string& n : names) {
    FileVersionEntry e;
    e.FullPath = "/d/" + n;
    e.NamePos = 4;
    r.Entries.push_back(e);
  }
  r.LastIndex = static_cast<std::int32_t>(names.size()) - 1;
  return r;
}

std::vector<std::string> ordered(const std::vector<std::string>& names, bool strict) {
  ExtractionResult r = resultOf(names);
  UpadateList(r, strict);
  return namesInOrder(r);
}

const std::vector<std::string> kMixed = {
    "b.dll", "B.DLL", "a.dll", "A.DLL", "_x.dll", "Z.dll", "z.DLL", "10.dll", "9.dll", "日本語.dll",
    "ａ.dll", "Ａ.dll", "ｶﾅ.dll", "café.dll", "😀.dll", "b.dll", "", "あ.dll", "漢.dll", "Ｂ.dll"};

// In both orders every index comes exactly once, and the order depends on the names
// alone: not on the listing order, nor on the locale.
TEST(ExtractionOrder, EveryIndexOnceWhateverTheListingOrderOrLocale) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  for (const bool strict : {false, true}) {
    ExtractionResult r = resultOf(kMixed);
    UpadateList(r, strict);
    std::vector<std::int32_t> sorted = r.Order, expected(kMixed.size());
    std::sort(sorted.begin(), sorted.end());
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(r.DisplayNames.size(), kMixed.size());
    const std::vector<std::string> reference = namesInOrder(r);
    std::vector<std::string> shuffled = kMixed;
    std::mt19937 gen(12345);
    for (int round = 0; round < 20; ++round) {
      std::shuffle(shuffled.begin(), shuffled.end(), gen);
      EXPECT_EQ(ordered(shuffled, strict), reference);
    }
    if (std::setlocale(LC_ALL, "C.UTF-8") || std::setlocale(LC_ALL, "en_US.UTF-8")) {
      EXPECT_EQ(ordered(kMixed, strict), reference);
    }
    std::setlocale(LC_ALL, saved.c_str());
  }
}

// The comparison page lists its names with nameListOrder: on names that a locale collator
// and code points put differently it must give the extraction page's order exactly.
TEST(ExtractionOrder, BothPagesListTrickyNamesInTheSameOrder) {
  std::vector<std::string> names = kMixed;
  for (const char* n : {"msvcp_win.dll", "msvcp110.dll", "MSVCP_WIN.DLL", "a-b.dll", "a b.dll", "ab.dll", "a.b.dll"})
    names.push_back(n);
  ExtractionResult r = resultOf(names);
  UpadateList(r, false);
  const std::vector<std::size_t> listed = nameListOrder(names);
  EXPECT_EQ(std::vector<std::size_t>(r.Order.begin(), r.Order.end()), listed);
  EXPECT_EQ(nameListOrder({"msvcp_win.dll", "MSVCP_WIN.DLL", "msvcp110.dll"}), (std::vector<std::size_t>{2, 1, 0}));
  // A malformed name still goes by code points, its bad byte as U+FFFD (after あ), not by
  // its bytes (0x80 before 0xE3).
  EXPECT_EQ(nameListOrder({"\x80.dll", "あ.dll", "b.dll"}), (std::vector<std::size_t>{2, 1, 0}));
}

// Single-byte letters compare without case in both orders; the same letters in different
// case fall back to the exact names, upper case first. The normal order compares code
// points of the display names, where full-width capitals keep their case (Ｂ U+FF22 before
// ａ U+FF41). The strict order lowers every letter (Greek and Cyrillic too) and compares
// code page 932 bytes (ａ 82 81, あ 82 A0, 漢 8A BF, ｱ B1); names that code page cannot hold
// come last.
TEST(ExtractionOrder, Orders) {
  using Names = std::vector<std::string>;
  const struct {
    Names names;
    bool strict;
    Names expected;
  } cases[] = {
      {{"c.DLL", "B.dll", "a.OCX"}, false, {"a.OCX", "B.dll", "c.DLL"}},
      {{"c.DLL", "B.dll", "a.OCX"}, true, {"a.OCX", "B.dll", "c.DLL"}},
      {{"kernel32.dll", "KERNEL32.DLL"}, false, {"KERNEL32.DLL", "kernel32.dll"}},
      {{"ｃ.dll", "ａ.dll", "Ｂ.dll"}, false, {"Ｂ.dll", "ａ.dll", "ｃ.dll"}},
      {{"ｱ.dll", "漢.dll", "Ａ.dll", "あ.dll"}, false, {"あ.dll", "漢.dll", "Ａ.dll", "ｱ.dll"}},
      {{"ｃ.dll", "ａ.dll", "Ｂ.dll"}, true, {"ａ.dll", "Ｂ.dll", "ｃ.dll"}},
      {{"ｱ.dll", "漢.dll", "Ａ.dll", "あ.dll"}, true, {"Ａ.dll", "あ.dll", "漢.dll", "ｱ.dll"}},
      {{"β.dll", "Α.dll", "б.dll", "А.dll"}, true, {"Α.dll", "β.dll", "А.dll", "б.dll"}},
      {{"café.dll", "zz.dll", "😀.dll", "漢.dll"}, true, {"zz.dll", "漢.dll", "café.dll", "😀.dll"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ordered(c.names, c.strict), c.expected) << c.names[0] << " strict " << c.strict;
}

}  // namespace
}  // namespace quorvane
