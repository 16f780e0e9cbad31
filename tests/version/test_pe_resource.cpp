#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "support/byte_writers.h"
#include "support/pe_image_builder.h"
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
constexpr auto put16 = testsupport::putLe16;
constexpr auto put32 = testsupport::putLe32;

LocateResult locate(const std::vector<std::uint8_t>& bytes) {
  MemoryByteSource source(Bytes(bytes.data(), bytes.size()));
  std::vector<std::uint8_t> scratch;
  return locateVersionResource(source, scratch);
}

VersionFault readBlock(const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>& block) {
  MemoryByteSource source(Bytes(bytes.data(), bytes.size()));
  std::vector<std::uint8_t> scratch;
  return readVersionBlock(source, scratch, block);
}

std::string fileVersionOf(const std::vector<std::uint8_t>& image) {
  std::vector<std::uint8_t> block;
  if (!readBlock(image, block).ok()) return "<no block>";
  std::string out;
  if (!VersionBlock(block).queryString("\\StringFileInfo\\040904B0\\FileVersion", out)) return "<missing>";
  return out;
}

class LocatorFormats : public ::testing::TestWithParam<ImageFormat> {};

TEST_P(LocatorFormats, FindsTheVersionBlockWhereTheBuilderPutIt) {
  const auto plan = testsupport::simpleVersionInfo({1, 2, 3, 4}, "1.2.3.4");
  const BuiltImage img = buildImage(GetParam(), plan);
  const LocateResult r = locate(img.bytes);
  ASSERT_TRUE(r.ok()) << describeFault(r.fault);
  EXPECT_EQ(r.resource.offset, img.at.versionBlock);
  const ImageKind expected = GetParam() == ImageFormat::Pe32 ? ImageKind::Pe32
                             : GetParam() == ImageFormat::Pe32Plus ? ImageKind::Pe32Plus : ImageKind::Ne;
  EXPECT_EQ(r.resource.kind, expected);
  EXPECT_EQ(fileVersionOf(img.bytes), "1.2.3.4");
}

TEST_P(LocatorFormats, WithoutVersionResource) {
  const BuiltImage img = buildImage(GetParam(), std::vector<std::uint8_t>{});
  EXPECT_EQ(locate(img.bytes).fault.error, VersionError::NoVersionResource);
  ImageOptions bare;
  bare.extraResources = false;
  const BuiltImage none = buildImage(GetParam(), std::vector<std::uint8_t>{}, bare);
  const VersionError e = locate(none.bytes).fault.error;
  EXPECT_TRUE(e == VersionError::NoVersionResource || e == VersionError::NoResources) << static_cast<int>(e);
}

TEST_P(LocatorFormats, EveryTruncationFailsCleanly) {
  const BuiltImage img = buildImage(GetParam(), testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0"));
  const std::size_t blockEnd = img.at.versionBlock + 64;  // past the block's fixed part
  for (std::size_t n = 0; n < img.bytes.size(); ++n) {
    std::vector<std::uint8_t> cut(img.bytes.begin(), img.bytes.begin() + static_cast<std::ptrdiff_t>(n));
    std::vector<std::uint8_t> block;
    const VersionFault f = readBlock(cut, block);
    if (n < blockEnd) {
      EXPECT_FALSE(f.ok()) << "length " << n;
      EXPECT_TRUE(block.empty());
    }
  }
}

// Every byte of the headers and tables set to 0xFF in turn: the reader either still finds
// a block inside the file or reports an error, never reads outside.
TEST_P(LocatorFormats, CorruptingOneByteAtATime) {
  const BuiltImage img = buildImage(GetParam(), testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0"));
  for (std::size_t at = 0; at < img.at.versionBlock; ++at) {
    for (std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xFF}, std::uint8_t{0x80}}) {
      auto bytes = img.bytes;
      bytes[at] = value;
      const LocateResult r = locate(bytes);
      if (r.ok()) {
        EXPECT_LE(r.resource.offset + r.resource.size, bytes.size());
        EXPECT_LE(r.resource.size, versionLimits::kMaxVersionBlockBytes);
      } else {
        EXPECT_NE(r.fault.error, VersionError::None);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, LocatorFormats,
                         ::testing::Values(ImageFormat::Pe32, ImageFormat::Pe32Plus, ImageFormat::Ne),
                         [](const auto& info) {
                           return info.param == ImageFormat::Pe32 ? "Pe32"
                                  : info.param == ImageFormat::Pe32Plus ? "Pe32Plus" : "Ne";
                         });

TEST(PeLocator, BlockOffTheFourByteGridStillAlignsFromItsStart) {
  ImageOptions options;
  options.misalignBlock = true;
  const BuiltImage img = buildImage(ImageFormat::Pe32, testsupport::simpleVersionInfo({2, 0, 0, 0}, "2.0"), options);
  ASSERT_EQ(img.at.versionBlock % 4, 2u);
  EXPECT_EQ(fileVersionOf(img.bytes), "2.0");
}

TEST(PeLocator, AnyLanguageOfTheVersionResourceIsTaken) {
  ImageOptions options;
  options.language = 0x0407;
  const BuiltImage img = buildImage(ImageFormat::Pe32Plus, testsupport::simpleVersionInfo({3, 0, 0, 0}, "3.0"), options);
  EXPECT_EQ(fileVersionOf(img.bytes), "3.0");
}

TEST(PeLocator, VersionDataInAnotherSectionThanTheDirectory) {
  // Nothing forces the data of a resource into the resource section: move the block into
  // .text (RVA 0x1000 at file offset 0x400) and point the data entry there.
  const auto plan = testsupport::simpleVersionInfo({6, 1, 0, 0}, "6.1");
  BuiltImage img = buildImage(ImageFormat::Pe32, plan);
  const auto block = testsupport::buildVersionBlock(plan, testsupport::BlockFormat::Wide);
  ASSERT_LE(block.size(), 0x200u);
  std::copy(block.begin(), block.end(), img.bytes.begin() + 0x400);
  std::fill(img.bytes.begin() + static_cast<std::ptrdiff_t>(img.at.versionBlock),
            img.bytes.begin() + static_cast<std::ptrdiff_t>(img.at.versionBlock + block.size()), 0);
  put32(img.bytes, img.at.versionDataEntry, 0x1000);
  const LocateResult r = locate(img.bytes);
  ASSERT_TRUE(r.ok()) << describeFault(r.fault);
  EXPECT_EQ(r.resource.offset, 0x400u);
  EXPECT_EQ(fileVersionOf(img.bytes), "6.1");
}

TEST(PeLocator, NotImages) {
  EXPECT_EQ(locate({}).fault.error, VersionError::NotAnImage);
  EXPECT_EQ(locate(std::vector<std::uint8_t>(63, 'M')).fault.error, VersionError::NotAnImage);
  std::vector<std::uint8_t> text(4096, 'a');
  EXPECT_EQ(locate(text).fault.error, VersionError::NotAnImage);
  auto img = buildImage(ImageFormat::Pe32, testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0")).bytes;
  img[img[0x3C] + 0] = 'L';  // an "LE" image is not read
  img[img[0x3C] + 1] = 'E';
  EXPECT_EQ(locate(img).fault.error, VersionError::UnknownImage);
}

TEST(PeLocator, LyingHeaderFields) {
  const BuiltImage base = buildImage(ImageFormat::Pe32, testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0"));
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> corrupt;
    VersionError expected;
  };
  const std::size_t opt = base.at.optionalHeader, sec = base.at.sectionTable + 40;
  const std::size_t entry = base.at.versionDataEntry;
  const std::vector<Case> cases = {
      {"new header far away", [](auto& b) { put32(b, 0x3C, 0x7FFFFFF0); }, VersionError::BadHeader},
      {"optional header magic", [&](auto& b) { put16(b, opt, 0x107); }, VersionError::BadHeader},
      {"too few data directories", [&](auto& b) { put32(b, opt + 92, 2); }, VersionError::NoResources},
      {"no resource directory", [&](auto& b) { put32(b, opt + 96 + 16, 0); }, VersionError::NoResources},
      {"resource RVA in no section", [&](auto& b) { put32(b, opt + 96 + 16, 0x90000); }, VersionError::BadResourceTable},
      {"section count huge", [&](auto& b) { put16(b, base.at.newHeader + 6, 0xFFFF); }, VersionError::BadSectionTable},
      {"raw data past the file", [&](auto& b) { put32(b, sec + 20, 0x7FFFFF00); }, VersionError::BadResourceTable},
      {"directory entry count huge", [&](auto& b) { put16(b, base.at.resourceSection + 14, 0xFFFF); }, VersionError::BadResourceTable},
      {"version data size 0", [&](auto& b) { put32(b, entry + 4, 0); }, VersionError::BadVersionResource},
      {"version data size huge", [&](auto& b) { put32(b, entry + 4, 0xFFFFFFF0); }, VersionError::BadVersionResource},
      {"version data RVA nowhere", [&](auto& b) { put32(b, entry, 0xFFFFFFF0); }, VersionError::BadVersionResource},
      {"version block wLength 0", [&](auto& b) { put16(b, base.at.versionBlock, 0); }, VersionError::BadVersionBlock},
  };
  for (const Case& c : cases) {
    auto bytes = base.bytes;
    c.corrupt(bytes);
    std::vector<std::uint8_t> block;
    const VersionFault f = readBlock(bytes, block);
    EXPECT_EQ(f.error, c.expected) << c.what << ": " << describeFault(f);
    EXPECT_TRUE(block.empty()) << c.what;
  }
}

TEST(PeLocator, OversizedResourceInsideTheFileIsCutToTheBlockLimit) {
  // A data entry that claims 100 KiB which the file does hold: only 64 KiB are read.
  BuiltImage img = buildImage(ImageFormat::Pe32, testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0"));
  const std::size_t claimed = 100 * 1024;
  img.bytes.resize(img.at.versionBlock + claimed, 0);
  put32(img.bytes, img.at.sectionTable + 40 + 16, static_cast<std::uint32_t>(img.bytes.size() - 0x600));
  put32(img.bytes, img.at.versionDataEntry + 4, claimed);
  const LocateResult r = locate(img.bytes);
  ASSERT_TRUE(r.ok()) << describeFault(r.fault);
  EXPECT_EQ(r.resource.size, versionLimits::kMaxVersionBlockBytes);
  EXPECT_EQ(fileVersionOf(img.bytes), "1.0");
}

TEST(NeLocator, LyingTableFields) {
  const BuiltImage base = buildImage(ImageFormat::Ne, testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0"));
  const std::size_t ne = base.at.newHeader, info = base.at.versionNameInfo;
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> corrupt;
    VersionError expected;
  };
  const std::vector<Case> cases = {
      {"no resource table", [&](auto& b) { put16(b, ne + 0x24, 0); }, VersionError::NoResources},
      {"table past the file", [&](auto& b) { put16(b, ne + 0x24, 0xFFF0), put16(b, ne + 0x26, 0xFFFF); }, VersionError::BadResourceTable},
      {"alignment shift huge", [&](auto& b) { put16(b, base.at.resourceTable, 200); }, VersionError::BadResourceTable},
      {"resource count huge", [&](auto& b) { put16(b, info - 6, 0xFFFF); }, VersionError::BadResourceTable},
      {"version offset past the file", [&](auto& b) { put16(b, info, 0xFFFF); }, VersionError::BadVersionResource},
      {"version length 0", [&](auto& b) { put16(b, info + 2, 0); }, VersionError::BadVersionResource},
      {"version length past the file", [&](auto& b) { put16(b, info + 2, 0xFFFF); }, VersionError::BadVersionResource},
  };
  for (const Case& c : cases) {
    auto bytes = base.bytes;
    c.corrupt(bytes);
    std::vector<std::uint8_t> block;
    const VersionFault f = readBlock(bytes, block);
    EXPECT_EQ(f.error, c.expected) << c.what << ": " << describeFault(f);
  }
}

TEST(NeLocator, ResourceTableWithoutEndReadsOnlyTheFile) {
  // The resident-name offset before the resource table: the table is read up to the end of
  // the file at most, and the version type is still found.
  BuiltImage img = buildImage(ImageFormat::Ne, testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0"));
  put16(img.bytes, img.at.newHeader + 0x26, 0x10);
  EXPECT_EQ(fileVersionOf(img.bytes), "1.0");
}

}  // namespace
}  // namespace quorvane
