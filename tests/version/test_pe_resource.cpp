#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

#include "support/byte_writers.h"
#include "support/pe_image_builder.h"
#include "version/byte_source.h"
#include "version/pe_resource.h"
#include "version/version_block.h"
#include "version/version_limits.h"
#include "version/version_reader.h"

namespace quorvane {
namespace {

using testsupport::buildImage;
using testsupport::BuiltImage;
using testsupport::ImageFormat;
using testsupport::ImageOptions;
using testsupport::putLe16;
using testsupport::putLe32;
using Image = std::vector<std::uint8_t>;

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
  std::string out = "<missing>";
  if (!readBlock(image, block).ok()) return "<no block>";
  VersionBlock(block).queryString("\\StringFileInfo\\040904B0\\FileVersion", out);
  return out;
}

BuiltImage simpleImage(ImageFormat format, const ImageOptions& options = {}) {
  return buildImage(format, testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0"), options);
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
         const auto block = testsupport::buildVersionBlock(testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0"),
                                                           testsupport::BlockFormat::Wide);
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
