#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <tuple>

#include "support/byte_writers.h"
#include "support/pe_image_builder.h"
#include "version/byte_source.h"
#include "version/pe_resource.h"
#include "version/string_tables.h"
#include "version/version_block.h"
#include "version/version_limits.h"
#include "version/version_reader.h"

namespace quorvane {
namespace {

using testsupport::BlockFormat;
using testsupport::buildImage;
using testsupport::BuiltImage;
using testsupport::buildVersionBlock;
using testsupport::ImageFormat;
using testsupport::ImageOptions;
using testsupport::putLe16;
using testsupport::putLe32;
using testsupport::simpleVersionInfo;
using testsupport::VersionInfoPlan;
using Image = std::vector<std::uint8_t>;

std::string query(const std::vector<std::uint8_t>& bytes, std::string_view path) {
  std::string out = "untouched";
  return VersionBlock(bytes).queryString(path, out) ? out : "<missing>";
}

class VersionBlockBothLayouts : public ::testing::TestWithParam<BlockFormat> {};

TEST_P(VersionBlockBothLayouts, LayoutFixedInfoAndTranslation) {
  VersionInfoPlan plan = simpleVersionInfo({4, 71, 1712, 5}, "4.71.1712.5");
  plan.fixed.productVersion = {5, 0, 0, 1};
  plan.fixed.fileTime = 0x01BD0D6A12345678ull;
  plan.translations = {{0x0411, 0x03A4}, {0x0409, 0x04B0}};
  const auto bytes = buildVersionBlock(plan, GetParam());
  const VersionBlock block(bytes);
  EXPECT_TRUE(block.valid());
  EXPECT_EQ(block.layout(), GetParam() == BlockFormat::Wide ? BlockLayout::Wide : BlockLayout::Narrow);
  const auto fixed = block.fixedFileInfo();
  ASSERT_TRUE(fixed);
  EXPECT_EQ(std::tuple(fixed->signature, fixed->fileVersionMS, fixed->fileVersionLS, fixed->productVersionMS,
                       fixed->productVersionLS, fixed->dateMS, fixed->dateLS),
            std::tuple(0xFEEF04BDu, 0x00040047u, 0x06B00005u, 0x00050000u, 0x00000001u, 0x01BD0D6Au, 0x12345678u));
  const auto t = block.firstTranslation();
  ASSERT_TRUE(t);
  EXPECT_EQ(std::pair(t->language, t->codePage), std::pair(std::uint16_t{0x0411}, std::uint16_t{0x03A4}));
  EXPECT_EQ(block.firstStringTableKey().value_or(""), "040904B0");
  ASSERT_TRUE(block.find("\\"));
  EXPECT_EQ(block.find("\\")->start, 0u);
  EXPECT_TRUE(block.find("\\\\StringFileInfo\\\\040904B0\\"));
  EXPECT_TRUE(block.find("\\varfileinfo\\TRANSLATION"));
  EXPECT_FALSE(block.find("\\StringFileInfo\\040904B0\\FileVersion\\x"));
  EXPECT_FALSE(block.find("\\StringFileInfo\\040904B0\\FileVersion\\a\\b\\c\\d\\e\\f"));
}

// One change to the simple plan (FileVersion "1.0" in table 040904B0), one query.
TEST_P(VersionBlockBothLayouts, StringQueries) {
  const std::string fv = "\\StringFileInfo\\040904B0\\FileVersion";
  struct Case {
    const char* what;
    std::function<void(VersionInfoPlan&)> change;
    std::string path;
    const char* expected;
  } const cases[] = {
      {"plain", [](auto&) {}, fv, "1.0"},
      {"another value", [](auto&) {}, "\\StringFileInfo\\040904B0\\CompanyName", "Quorvane Test Corporation"},
      {"absent value", [](auto&) {}, "\\StringFileInfo\\040904B0\\Comments", "<missing>"},
      {"absent table", [](auto&) {}, "\\StringFileInfo\\040904E4\\FileVersion", "<missing>"},
      {"keys without case", [](auto& p) { p.tables[0].key = "040904b0"; }, "\\stringfileinfo\\040904B0\\FILEVERSION", "1.0"},
      {"lengths in bytes", [](auto& p) {
         p.stringLengthUnit = testsupport::LengthUnit::Bytes;
         p.tables[0].values.push_back({"Comments", "日本語のコメント"}); },
       "\\StringFileInfo\\040904B0\\Comments", "日本語のコメント"},
      {"trailing NULs cut", [](auto& p) { p.extraNuls = 3; }, fv, "1.0"},
      {"empty value", [](auto& p) { p.tables[0].values.push_back({"Comments", ""}); },
       "\\StringFileInfo\\040904B0\\Comments", ""},
      {"VarFileInfo first", [](auto& p) { p.varFileInfoFirst = true; }, fv, "1.0"},
      {"Japanese value name", [](auto& p) { p.tables.push_back({"041103A4", {{"特別な名前", "第２版"}}}); },
       "\\StringFileInfo\\041103A4\\特別な名前", "第２版"},
      {"no fixed info, no translation", [](auto& p) { p.hasFixedInfo = p.hasTranslationTable = false; }, fv, "1.0"},
  };
  for (const Case& c : cases) {
    VersionInfoPlan plan = simpleVersionInfo({1, 0, 0, 0}, "1.0");
    c.change(plan);
    EXPECT_EQ(query(buildVersionBlock(plan, GetParam()), c.path), c.expected) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, VersionBlockBothLayouts, ::testing::Values(BlockFormat::Wide, BlockFormat::Narrow),
                         [](const auto& info) { return info.param == BlockFormat::Wide ? "Wide" : "Narrow"; });

// A hand-made node of the 32-bit layout: wLength, wValueLength, wType, key, padding.
std::vector<std::uint8_t> wideNode(std::uint16_t length, std::uint16_t valueLength, std::uint16_t type,
                                   const std::u16string& key) {
  std::vector<std::uint8_t> b;
  for (std::uint32_t v : {std::uint32_t{length}, std::uint32_t{valueLength}, std::uint32_t{type}})
    testsupport::appendLe16(b, v);
  for (char16_t c : key + u'\0') testsupport::appendLe16(b, c);
  while (b.size() % 4) b.push_back(0);
  return b;
}

// Appends `child` and sets the wLength of `parent` to its new size.
void adopt(std::vector<std::uint8_t>& parent, const std::vector<std::uint8_t>& child) {
  parent.insert(parent.end(), child.begin(), child.end());
  putLe16(parent, 0, static_cast<std::uint32_t>(parent.size()));
}

TEST(VersionBlockHostile, MalformedBlocksAreInvalidOrEndEarly) {
  for (std::size_t n = 0; n < 8; ++n) {
    const std::vector<std::uint8_t> zeros(n, 0);
    const VersionBlock tiny(zeros);
    EXPECT_FALSE(tiny.valid() || tiny.find("\\") || tiny.fixedFileInfo()) << n;
  }
  EXPECT_FALSE(VersionBlock(std::vector<std::uint8_t>{9, 0, 0, 0, 0, 0, 'V', 0, 'S'}, BlockLayout::Wide).valid());
  EXPECT_FALSE(VersionBlock(std::vector<std::uint8_t>{7, 0, 0, 0, 'V', 'S', '_'}, BlockLayout::Narrow).valid());

  auto shortFixed = wideNode(0, 52, 0, u"VS_VERSION_INFO");  // wValueLength 52, 40 bytes there
  adopt(shortFixed, std::vector<std::uint8_t>(40, 0));
  EXPECT_FALSE(VersionBlock(shortFixed).fixedFileInfo());

  auto root = wideNode(0, 0, 0, u"VS_VERSION_INFO");
  adopt(root, wideNode(0, 0, 1, u"StringFileInfo"));  // wLength 0 ends the list of children
  auto after = wideNode(0, 0, 1, u"VarFileInfo");
  putLe16(after, 0, static_cast<std::uint32_t>(after.size()));
  adopt(root, after);
  const VersionBlock block(root);
  ASSERT_TRUE(block.valid());
  EXPECT_FALSE(block.find("\\StringFileInfo"));
  EXPECT_FALSE(block.find("\\VarFileInfo"));
}

TEST(VersionBlockHostile, ChildIsBoundedByItsParent) {
  // A value that claims far more than its table holds, followed (outside the table) by
  // text that must not be read as part of it.
  auto value = wideNode(0xFFFF, 0x7FFF, 1, u"FileVersion");
  for (char16_t c : std::u16string(u"1.0")) testsupport::appendLe16(value, c);
  auto table = wideNode(0, 0, 1, u"040904B0");
  adopt(table, value);
  auto info = wideNode(0, 0, 1, u"StringFileInfo");
  adopt(info, table);
  auto root = wideNode(0, 0, 0, u"VS_VERSION_INFO");
  adopt(root, info);
  for (char16_t c : std::u16string(u"XYZ")) testsupport::appendLe16(root, c);
  putLe16(root, 0, static_cast<std::uint32_t>(root.size()));
  EXPECT_EQ(query(root, "\\StringFileInfo\\040904B0\\FileVersion"), "1.0");
}

TEST(VersionBlockHostile, EveryTruncationOfARealBlockIsSafe) {
  for (BlockFormat format : {BlockFormat::Wide, BlockFormat::Narrow}) {
    VersionInfoPlan plan = simpleVersionInfo({1, 2, 3, 4}, "1.2.3.4");
    plan.tables[0].values.push_back({"Comments", "コメント"});
    const auto full = buildVersionBlock(plan, format);
    for (std::size_t n = 0; n <= full.size(); ++n) {
      const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
      const VersionBlock block(cut, VersionBlock::detectLayout(full));
      std::string out;
      const bool found = block.queryString("\\StringFileInfo\\040904B0\\Comments", out);
      EXPECT_TRUE(n < full.size() || (found && out == "コメント"));
      EXPECT_TRUE(!found || out.size() <= std::string("コメント").size()) << n;
      block.fixedFileInfo();
      block.firstTranslation();
    }
  }
}

// Every table and every value, in block order, whatever the translation table says.
TEST(StringTables, ListsEveryTableWithItsLanguageAndAllValues) {
  for (const BlockFormat format : {BlockFormat::Wide, BlockFormat::Narrow}) {
    auto plan = simpleVersionInfo({1, 0, 0, 0}, "1.0");
    plan.translations = {{0x0411, 0x04B0}};  // names a table the file does not have
    plan.tables = {{"040904B0", {{"FileVersion", "1.0"}, {"PrivateBuild", "nightly"}}},
                   {"041104b0", {{"CompanyName", "株式会社クオーヴェイン"}}},
                   {"neutral", {}}};
    const auto block = buildVersionBlock(plan, format);
    const auto tables = readStringTables(Bytes(block.data(), block.size()));
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(std::tuple(tables[0].Key, tables[0].LanguageName, tables[0].CodePage), std::tuple("040904B0", "英語 (米国)", 0x04B0));
    ASSERT_EQ(tables[0].Values.size(), 2u);
    EXPECT_EQ(std::tuple(tables[0].Values[1].Name, tables[0].Values[1].Text), std::tuple("PrivateBuild", "nightly"));
    EXPECT_EQ(tables[1].LanguageName, "日本語");  // lower-case hexadecimal digits read too
    EXPECT_EQ(tables[1].Values.at(0).Text, "株式会社クオーヴェイン");
    EXPECT_FALSE(tables[2].KeyIsHex);
    EXPECT_EQ(tables[2].LanguageName, "");
    EXPECT_TRUE(tables[2].Values.empty());
  }
  EXPECT_TRUE(readStringTables({}).empty());
}

LocateResult locate(const Image& bytes) {
  MemoryByteSource source(Bytes(bytes.data(), bytes.size()));
  std::vector<std::uint8_t> scratch;
  return locateVersionResource(source, scratch);
}

VersionFault readBlock(const Image& bytes, std::vector<std::uint8_t>& block) {
  MemoryByteSource source(Bytes(bytes.data(), bytes.size()));
  std::vector<std::uint8_t> scratch;
  return readVersionBlock(source, scratch, block);
}

std::string fileVersionOf(const Image& image) {
  std::vector<std::uint8_t> block;
  return readBlock(image, block).ok() ? query(block, "\\StringFileInfo\\040904B0\\FileVersion") : "<no block>";
}

BuiltImage simpleImage(ImageFormat format, const ImageOptions& options = {}) {
  return buildImage(format, simpleVersionInfo({1, 0, 0, 0}, "1.0"), options);
}

class LocatorFormats : public ::testing::TestWithParam<ImageFormat> {};

// Every truncation before the end of the block's fixed part fails; every byte of the
// headers and tables set to 0x00, 0xFF and 0x80 in turn either still gives a block inside
// the file or an error, never a read outside.
TEST_P(LocatorFormats, EveryTruncationAndEveryCorruptHeaderByteFailsCleanly) {
  const BuiltImage img = simpleImage(GetParam());
  for (std::size_t n = 0; n < img.at.versionBlock + 64; ++n) {
    std::vector<std::uint8_t> block;
    EXPECT_FALSE(readBlock(Image(img.bytes.begin(), img.bytes.begin() + static_cast<std::ptrdiff_t>(n)), block).ok()) << n;
    EXPECT_TRUE(block.empty());
  }
  for (std::size_t at = 0; at < img.at.versionBlock; ++at) {
    for (std::uint8_t value : {0x00, 0xFF, 0x80}) {
      Image bytes = img.bytes;
      bytes[at] = value;
      const LocateResult r = locate(bytes);
      if (!r.ok()) continue;
      EXPECT_LE(r.resource.offset + r.resource.size, bytes.size());
      EXPECT_LE(r.resource.size, versionLimits::kMaxVersionBlockBytes);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, LocatorFormats, ::testing::Values(ImageFormat::Pe32, ImageFormat::Pe32Plus, ImageFormat::Ne),
                         [](const auto& info) { return (std::array{"Pe32", "Pe32Plus", "Ne"})[info.index]; });

// Unusual but sound images: the block is still found and read.
TEST(Locator, UnusualImagesStillGiveTheBlock) {
  ImageOptions misaligned, german;
  misaligned.misalignBlock = true;  // 2 bytes off the 4-byte grid: alignment counts from the block
  german.language = 0x0407;         // any language of the version resource is taken
  struct Case {
    const char* what;
    BuiltImage img;
    std::function<void(BuiltImage&)> change;
    bool cutToTheLimit = false;
  } cases[] = {
      {"misaligned block", simpleImage(ImageFormat::Pe32, misaligned), [](auto&) {}},
      {"other language", simpleImage(ImageFormat::Pe32Plus, german), [](auto&) {}},
      {"data in .text, not .rsrc", simpleImage(ImageFormat::Pe32), [](BuiltImage& i) {
         const auto block = buildVersionBlock(simpleVersionInfo({1, 0, 0, 0}, "1.0"), BlockFormat::Wide);
         std::copy(block.begin(), block.end(), i.bytes.begin() + 0x400);  // .text: RVA 0x1000 at 0x400
         std::fill_n(i.bytes.begin() + static_cast<std::ptrdiff_t>(i.at.versionBlock), block.size(), 0);
         putLe32(i.bytes, i.at.versionDataEntry, 0x1000);
       }},
      {"100 KiB claimed and present: cut to the limit", simpleImage(ImageFormat::Pe32), [](BuiltImage& i) {
         i.bytes.resize(i.at.versionBlock + 100 * 1024, 0);
         putLe32(i.bytes, i.at.sectionTable + 40 + 16, static_cast<std::uint32_t>(i.bytes.size() - 0x600));
         putLe32(i.bytes, i.at.versionDataEntry + 4, 100 * 1024);
       }, true},
      {"NE resource table without end: read to the end of the file", simpleImage(ImageFormat::Ne),
       [](BuiltImage& i) { putLe16(i.bytes, i.at.newHeader + 0x26, 0x10); }},
  };
  for (Case& c : cases) {
    c.change(c.img);
    const LocateResult r = locate(c.img.bytes);
    ASSERT_TRUE(r.ok()) << c.what << ": " << describeFault(r.fault);
    EXPECT_TRUE(!c.cutToTheLimit || r.resource.size == versionLimits::kMaxVersionBlockBytes) << c.what;
    EXPECT_EQ(fileVersionOf(c.img.bytes), "1.0") << c.what;
  }
}

// One field at a time set to a lie; each gives its own clean failure and no block.
TEST(Locator, LyingFieldsFailWithTheirError) {
  const BuiltImage pe = simpleImage(ImageFormat::Pe32), ne = simpleImage(ImageFormat::Ne);
  const std::size_t opt = pe.at.optionalHeader, sec = pe.at.sectionTable + 40, entry = pe.at.versionDataEntry;
  const std::size_t info = ne.at.versionNameInfo, neHeader = ne.at.newHeader;
  struct Case {
    const char* what;
    const BuiltImage& base;
    std::function<void(Image&)> corrupt;
    VersionError expected;
  } const cases[] = {
      {"empty file", pe, [](Image& b) { b.clear(); }, VersionError::NotAnImage},
      {"63 bytes", pe, [](Image& b) { b.assign(63, 'M'); }, VersionError::NotAnImage},
      {"text", pe, [](Image& b) { b.assign(4096, 'a'); }, VersionError::NotAnImage},
      {"an LE image", pe, [&](Image& b) { b[pe.at.newHeader] = 'L'; }, VersionError::UnknownImage},
      {"new header far away", pe, [](Image& b) { putLe32(b, 0x3C, 0x7FFFFFF0); }, VersionError::BadHeader},
      {"optional header magic", pe, [&](Image& b) { putLe16(b, opt, 0x107); }, VersionError::BadHeader},
      {"too few data directories", pe, [&](Image& b) { putLe32(b, opt + 92, 2); }, VersionError::NoResources},
      {"no resource directory", pe, [&](Image& b) { putLe32(b, opt + 96 + 16, 0); }, VersionError::NoResources},
      {"resource RVA in no section", pe, [&](Image& b) { putLe32(b, opt + 96 + 16, 0x90000); }, VersionError::BadResourceTable},
      {"section count huge", pe, [&](Image& b) { putLe16(b, pe.at.newHeader + 6, 0xFFFF); }, VersionError::BadSectionTable},
      {"raw data past the file", pe, [&](Image& b) { putLe32(b, sec + 20, 0x7FFFFF00); }, VersionError::BadResourceTable},
      {"directory entry count huge", pe, [&](Image& b) { putLe16(b, pe.at.resourceSection + 14, 0xFFFF); }, VersionError::BadResourceTable},
      {"version data size 0", pe, [&](Image& b) { putLe32(b, entry + 4, 0); }, VersionError::BadVersionResource},
      {"version data size huge", pe, [&](Image& b) { putLe32(b, entry + 4, 0xFFFFFFF0); }, VersionError::BadVersionResource},
      {"version data RVA nowhere", pe, [&](Image& b) { putLe32(b, entry, 0xFFFFFFF0); }, VersionError::BadVersionResource},
      {"version block wLength 0", pe, [&](Image& b) { putLe16(b, pe.at.versionBlock, 0); }, VersionError::BadVersionBlock},
      {"NE: no resource table", ne, [&](Image& b) { putLe16(b, neHeader + 0x24, 0); }, VersionError::NoResources},
      {"NE: table past the file", ne, [&](Image& b) { putLe16(b, neHeader + 0x24, 0xFFF0), putLe16(b, neHeader + 0x26, 0xFFFF); }, VersionError::BadResourceTable},
      {"NE: alignment shift huge", ne, [&](Image& b) { putLe16(b, ne.at.resourceTable, 200); }, VersionError::BadResourceTable},
      {"NE: resource count huge", ne, [&](Image& b) { putLe16(b, info - 6, 0xFFFF); }, VersionError::BadResourceTable},
      {"NE: version offset past the file", ne, [&](Image& b) { putLe16(b, info, 0xFFFF); }, VersionError::BadVersionResource},
      {"NE: version length 0", ne, [&](Image& b) { putLe16(b, info + 2, 0); }, VersionError::BadVersionResource},
      {"NE: version length past the file", ne, [&](Image& b) { putLe16(b, info + 2, 0xFFFF); }, VersionError::BadVersionResource},
  };
  for (const Case& c : cases) {
    Image bytes = c.base.bytes;
    c.corrupt(bytes);
    std::vector<std::uint8_t> block;
    const VersionFault f = readBlock(bytes, block);
    EXPECT_EQ(f.error, c.expected) << c.what << ": " << describeFault(f);
    EXPECT_TRUE(block.empty()) << c.what;
  }
}

// Counts the reads that reach the source underneath the cache.
class CountingSource final : public ByteSource {
 public:
  explicit CountingSource(Bytes data) : m_memory(data) {}
  std::uint64_t size() const override { return m_memory.size(); }
  bool readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out) override {
    ++reads;
    return m_memory.readAt(offset, length, out);
  }
  int reads = 0;

 private:
  MemoryByteSource m_memory;
};

std::vector<std::uint8_t> pattern(std::size_t n) {
  std::vector<std::uint8_t> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));
  return v;
}

TEST(PageCachedSource, GivesTheSameBytesAsTheSourceForEveryRange) {
  const auto data = pattern(3 * 4096 + 100);
  CountingSource inner(data);
  PageCachedSource cached(inner);
  std::vector<std::uint8_t> got;
  const std::uint64_t size = data.size();
  for (std::uint64_t off : std::initializer_list<std::uint64_t>{0, 1, 4095, 4096, 8190, 8191, 12288, size - 1, size, size + 1, ~0ull}) {
    for (std::size_t len : std::initializer_list<std::size_t>{0, 1, 2, 64, 4096, 8192, 9000, 70000, ~std::size_t{0}}) {
      const bool inside = off <= size && len <= size - off;
      ASSERT_EQ(cached.readAt(off, len, got), inside) << off << "+" << len;
      if (inside) {
        ASSERT_EQ(got.size(), len);
        EXPECT_TRUE(std::equal(got.begin(), got.end(), data.begin() + static_cast<std::ptrdiff_t>(off))) << off << "+" << len;
      }
    }
  }
}

}  // namespace
}  // namespace quorvane
