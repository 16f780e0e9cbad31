// Long paths reach the system calls with the prefix that lifts the MAX_PATH limit; short
// ones as they are. The folder listing gives the attributes the system keeps, also in a
// folder whose path is longer than the limit.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

#include "common/platform.h"
#include "common/wide_text.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

TEST(SystemPath, LongPathsGetThePrefixAfterCleanUp) {
  const std::string deep(MAX_PATH, 'x');  // one name as long as the whole limit
  struct Row {
    std::string path;
    std::wstring expected;
  } const rows[] = {
      {"C:/short/name.dll", L"C:/short/name.dll"},  // under the limit: untouched
      {"C:\\a\\" + deep, L"\\\\?\\C:\\a\\" + std::wstring(deep.begin(), deep.end())},
      {"C:/a/./b/../" + deep, L"\\\\?\\C:\\a\\" + std::wstring(deep.begin(), deep.end())},
      {"\\\\server\\share\\" + deep, L"\\\\?\\UNC\\server\\share\\" + std::wstring(deep.begin(), deep.end())},
      {"\\\\?\\C:\\" + deep, L"\\\\?\\C:\\" + std::wstring(deep.begin(), deep.end())},  // prefixed already
  };
  for (const Row& r : rows) EXPECT_EQ(wideText::systemPath(r.path).value_or(L"<none>"), r.expected) << r.path;
  EXPECT_FALSE(wideText::systemPath("C:\\\xFF" + deep).has_value());  // not UTF-8
}

TEST(FolderListing, RealAttributesBeyondTheLimit) {
  testsupport::TempFolder top{"listing"};
  std::string folder = top.str();
  const std::string step(60, 'd');
  while (folder.size() <= MAX_PATH) {
    folder += "\\" + step;
    ASSERT_TRUE(CreateDirectoryW(wideText::systemPath(folder)->c_str(), nullptr)) << folder;
  }
  constexpr DWORD kReadOnly = FILE_ATTRIBUTE_READONLY, kHidden = FILE_ATTRIBUTE_HIDDEN,
                  kSystem = FILE_ATTRIBUTE_SYSTEM, kArchive = FILE_ATTRIBUTE_ARCHIVE;
  const std::map<std::string, DWORD> asked = {{"PLAIN.DLL", FILE_ATTRIBUTE_NORMAL},
                                              {"RO.DLL", kReadOnly | kArchive},
                                              {"HIDDEN.DLL", kHidden},
                                              {"SYSTEM.DLL", kSystem | kHidden},
                                              {"ARCHIVE.DLL", kArchive},
                                              {"\xE6\x97\xA5\xE6\x9C\xAC.DLL", kArchive}};  // 日本: UTF-8 both ways
  std::map<std::string, std::uint8_t> kept;  // what the system reports, the oracle
  for (const auto& [name, attributes] : asked) {
    const std::wstring path = *wideText::systemPath(folder + "\\" + name);
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
    DWORD written = 0;
    WriteFile(h, "12345", 5, &written, nullptr);
    CloseHandle(h);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes)) << name;
    kept[name] = static_cast<std::uint8_t>(GetFileAttributesW(path.c_str()) & 0xFF);
  }
  ASSERT_TRUE(CreateDirectoryW(wideText::systemPath(folder + "\\SUB")->c_str(), nullptr));
  kept["SUB"] = static_cast<std::uint8_t>(GetFileAttributesW(wideText::systemPath(folder + "\\SUB")->c_str()));

  std::map<std::string, std::uint8_t> listed;
  std::map<std::string, std::uint64_t> sizes;
  const auto error = platform::listFolder(folder, [&](const platform::FolderEntry& e) {
    EXPECT_TRUE(e.facts.has_value()) << e.name;  // given by the listing itself
    EXPECT_EQ(e.kind, e.name == "SUB" ? platform::EntryKind::Folder : platform::EntryKind::File) << e.name;
    if (e.facts) listed[e.name] = e.facts->attributes, sizes[e.name] = e.facts->size;
    return true;
  });
  EXPECT_EQ(error, platform::ListError::None);
  EXPECT_EQ(listed, kept);  // under Wine too, which keeps hidden and system beside the file
  EXPECT_EQ(sizes.at("RO.DLL"), 5u);
  EXPECT_EQ(listed["RO.DLL"] & kReadOnly, kReadOnly);

  EXPECT_EQ(platform::listFolder(folder + "\\MISSING", [](const platform::FolderEntry&) { return true; }),
            platform::ListError::Missing);
  // Cleared and removed here: the kit's clean-up does not take paths beyond the limit.
  for (const auto& [name, attributes] : asked) {
    const std::wstring path = *wideText::systemPath(folder + "\\" + name);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
  }
  RemoveDirectoryW(wideText::systemPath(folder + "\\SUB")->c_str());
  while (folder.size() > top.str().size()) {
    RemoveDirectoryW(wideText::systemPath(folder)->c_str());
    folder.resize(folder.rfind('\\'));
  }
}

}  // namespace
}  // namespace quorvane
