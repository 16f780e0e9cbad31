#include <gtest/gtest.h>

#include "support/pe_image_builder.h"
#include "support/temp_folder.h"
#include "version/version_api.h"

namespace quorvane {
namespace {

using namespace versionApi;

TEST(VersionApi, SizeInfoAndQueriesOverAFile) {
  testsupport::TempFolder folder;
  auto plan = testsupport::simpleVersionInfo({1, 2, 3, 4}, "1.2.3.4");
  plan.tables[0].values.push_back({"Comments", "説明文"});
  const auto image = buildImage(testsupport::ImageFormat::Pe32, plan);
  const std::string path = folder.write("a.dll", image.bytes);

  const std::uint32_t size = GetFileVersionInfoSizeA(path);
  ASSERT_EQ(size, testsupport::buildVersionBlock(plan, testsupport::BlockFormat::Wide).size());
  std::vector<std::uint8_t> block;
  ASSERT_TRUE(GetFileVersionInfoA(path, size, block));
  ASSERT_EQ(block.size(), size);

  std::span<const std::uint8_t> value;
  ASSERT_TRUE(VerQueryValueA(block, "\\", value));
  EXPECT_EQ(value.size(), 52u);
  ASSERT_TRUE(VerQueryValueA(block, "\\VarFileInfo\\Translation", value));
  ASSERT_EQ(value.size(), 4u);
  EXPECT_EQ(value[0] | (value[1] << 8), 0x0409);
  ASSERT_TRUE(VerQueryValueA(block, "\\StringFileInfo\\040904B0\\FileVersion", value));
  EXPECT_EQ(value.size(), 14u);  // "1.2.3.4" in UTF-16, without the NUL
  EXPECT_FALSE(VerQueryValueA(block, "\\StringFileInfo\\040904B0\\Nothing", value));

  std::string text;
  ASSERT_TRUE(VerQueryStringA(block, "\\StringFileInfo\\040904B0\\Comments", text));
  EXPECT_EQ(text, "説明文");

  // A smaller buffer gets the start of the block only.
  ASSERT_TRUE(GetFileVersionInfoA(path, 10, block));
  EXPECT_EQ(block.size(), 10u);
}

TEST(VersionApi, FilesWithoutVersionInformation) {
  testsupport::TempFolder folder;
  EXPECT_EQ(GetFileVersionInfoSizeA(folder.at("missing.dll")), 0u);
  const std::string empty = folder.write("empty.dll", std::vector<std::uint8_t>{});
  EXPECT_EQ(GetFileVersionInfoSizeA(empty), 0u);
  std::vector<std::uint8_t> block{1, 2, 3};
  EXPECT_FALSE(GetFileVersionInfoA(empty, 100, block));
  EXPECT_TRUE(block.empty());
  const std::string noVersion = folder.write("nover.dll", buildImage(testsupport::ImageFormat::Ne, std::vector<std::uint8_t>{}).bytes);
  EXPECT_EQ(GetFileVersionInfoSizeA(noVersion), 0u);
}

}  // namespace
}  // namespace quorvane
