// Windows' own version and LZ functions as a second, independent reading: for every file
// of a corpus, our reader and the system's must give the same values, and our expansion
// and the system's the same bytes. Under Wine the system side is Wine's implementation.
#include <gtest/gtest.h>

#include <windows.h>
#include <lzexpand.h>
#include <winver.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "common/wide_text.h"
#include "extraction/basDecompress.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "version/clsFileVersion.h"
#include "windows/support_sample_corpus.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

constexpr std::array<const char*, 9> kFixedKeys = {"041103A4", "04111252", "041104E4", "08090000", "08091252",
                                                   "080904E4", "04090000", "04091252", "040904E4"};
constexpr std::array<const char*, 10> kStringNames = {"FileVersion",    "Comments",        "CompanyName",
                                                      "FileDescription", "InternalName",   "LegalCopyright",
                                                      "LegalTrademarks", "OriginalFilename", "ProductName",
                                                      "ProductVersion"};

std::wstring wide(const std::string& s) { return wideText::fromUtf8(s).value_or(L""); }

// What the system's version functions say about one file, looked up by the same rules
// as ours: the first translation's key, then the nine fixed candidates.
struct SystemReading {
  bool available = false;
  VS_FIXEDFILEINFO fixed{};
  std::string key;
  std::array<std::string, 10> strings;
};

class SystemVersionInfo {
 public:
  explicit SystemVersionInfo(const std::string& path) {
    const std::wstring name = wide(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(name.c_str(), &ignored);
    if (size == 0) return;
    m_block.resize(size);
    if (!GetFileVersionInfoW(name.c_str(), 0, size, m_block.data())) m_block.clear();
  }

  SystemReading read() const {
    SystemReading r;
    void* value = nullptr;
    UINT length = 0;
    if (m_block.empty() || !VerQueryValueW(m_block.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
      return r;
    r.available = true;
    r.fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    if (VerQueryValueW(m_block.data(), L"\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
      const auto* t = static_cast<const WORD*>(value);
      char key[9];
      std::snprintf(key, sizeof key, "%04X%04X", t[0], t[1]);
      r.key = key;
    }
    std::vector<std::string> candidates{r.key};
    candidates.insert(candidates.end(), kFixedKeys.begin(), kFixedKeys.end());
    for (const std::string& k : candidates) {
      if (!k.empty() && string(k, "FileVersion")) {
        r.key = k;
        break;
      }
    }
    for (std::size_t i = 0; i < kStringNames.size() && !r.key.empty(); ++i)
      r.strings[i] = string(r.key, kStringNames[i]).value_or("");
    return r;
  }

 private:
  // A 16-bit (NE) block holds its texts as they are in the file, in code page 932; the
  // wide query would convert them with whatever code page the system has, so they are
  // taken as bytes and converted here.
  bool isSixteenBit() const { return m_block.size() > 5 && m_block[4] == 'V' && m_block[5] == 'S'; }

  // Deliberate difference: for a 16-bit block the system reports the length the file
  // states, which tools write in characters, so a double-byte value would come out cut
  // in the middle of a character. Ours takes the value whole, up to its NUL, and so does
  // this reading.
  std::string wholeNarrowValue(const void* value) const {
    const auto* at = static_cast<const std::uint8_t*>(value);
    const std::uint8_t* end = m_block.data() + m_block.size();
    if (at < m_block.data() || at >= end) return {};
    const std::uint8_t* nul = std::find(at, end, 0);
    return std::string(reinterpret_cast<const char*>(at), static_cast<std::size_t>(nul - at));
  }

  std::optional<std::string> string(const std::string& key, const char* name) const {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = "\\StringFileInfo\\" + key + "\\" + name;
    auto block = const_cast<std::uint8_t*>(m_block.data());
    if (isSixteenBit()) {
      if (!VerQueryValueA(block, path.c_str(), &value, &length)) return std::nullopt;
      return sjis::decodeLenient(wholeNarrowValue(value));
    }
    if (!VerQueryValueW(block, wide(path).c_str(), &value, &length)) return std::nullopt;
    const std::wstring text(static_cast<const wchar_t*>(value), length);
    return wideText::toUtf8(text.substr(0, text.find(L'\0')));
  }

  std::vector<std::uint8_t> m_block;
};

// Files with a translation table that names no string table, while a table exists under
// another key: the system's reading (translation first, then the nine fixed keys) finds
// no strings; ours takes the first string table's own key when there is no translation
// table, so such a file is still read.
bool readsWithoutTranslation(const std::string& name) { return name == "NOTRANS.DLL"; }

// Returns whether the system found version information, so callers can tell a file both
// sides read from one neither could.
bool expectSameReading(const std::string& path, const std::string& name) {
  SCOPED_TRACE(path);
  const SystemReading system = SystemVersionInfo(path).read();
  clsFileVersion ours;
  EXPECT_EQ(ours.GetFileVersion(path), system.available);
  if (!system.available) return false;
  const clsFixedFileInfo& f = ours.FixedFileInfo();
  EXPECT_EQ(f.Signature(), system.fixed.dwSignature);
  EXPECT_EQ(f.StructVersion(), system.fixed.dwStrucVersion);
  EXPECT_EQ(static_cast<std::uint16_t>(f.FileMajorVer()), HIWORD(system.fixed.dwFileVersionMS));
  EXPECT_EQ(static_cast<std::uint16_t>(f.FileMinorVer()), LOWORD(system.fixed.dwFileVersionMS));
  EXPECT_EQ(static_cast<std::uint16_t>(f.FileRevision()), HIWORD(system.fixed.dwFileVersionLS));
  EXPECT_EQ(static_cast<std::uint16_t>(f.FileBuildNo()), LOWORD(system.fixed.dwFileVersionLS));
  EXPECT_EQ(static_cast<std::uint16_t>(f.ProductMajorVer()), HIWORD(system.fixed.dwProductVersionMS));
  EXPECT_EQ(static_cast<std::uint16_t>(f.ProductMinorVer()), LOWORD(system.fixed.dwProductVersionMS));
  EXPECT_EQ(static_cast<std::uint16_t>(f.ProductRevision()), HIWORD(system.fixed.dwProductVersionLS));
  EXPECT_EQ(static_cast<std::uint16_t>(f.ProductBuildNo()), LOWORD(system.fixed.dwProductVersionLS));
  EXPECT_EQ(f.FileFlagsMask(), system.fixed.dwFileFlagsMask);
  EXPECT_EQ(f.FileFlags(), system.fixed.dwFileFlags);
  EXPECT_EQ(f.FileOS(), system.fixed.dwFileOS);
  EXPECT_EQ(f.FileType(), system.fixed.dwFileType);
  EXPECT_EQ(f.FileSubType(), system.fixed.dwFileSubtype);
  const clsStringFileInfo& s = ours.StringFileInfo();
  if (readsWithoutTranslation(name)) {
    EXPECT_TRUE(system.key.empty());
    EXPECT_EQ(ours.CurrentKey(), "041204B0");
    EXPECT_EQ(s.FileVersion(), "7.0");
    return true;
  }
  if (!system.key.empty()) {
    EXPECT_EQ(ours.CurrentKey(), system.key);
  }
  const std::array<std::string, 10> mine = {s.FileVersion(),    s.Comments(),         s.CompanyName(),
                                            s.FileDescription(), s.InternalName(),    s.LegalCopyright(),
                                            s.LegalTrademarks(), s.OriginalFilename(), s.ProductName(),
                                            s.ProductVersion()};
  for (std::size_t i = 0; i < mine.size(); ++i) EXPECT_EQ(mine[i], system.strings[i]) << kStringNames[i];
  return true;
}

std::string utf8(const fs::path& p) {
  const std::u8string text = p.u8string();
  return std::string(text.begin(), text.end());
}

// The system's expansion: LZOpenFile, LZCopy, as setup programs call them.
bool systemExpand(const std::string& source, const std::string& target) {
  OFSTRUCT from{}, to{};
  std::wstring src = wide(source), dst = wide(target);
  const INT in = LZOpenFileW(src.data(), &from, OF_READ | OF_SHARE_DENY_NONE);
  if (in < 0) return false;
  const INT out = LZOpenFileW(dst.data(), &to, OF_CREATE | OF_SHARE_DENY_NONE);
  if (out < 0) {
    LZClose(in);
    return false;
  }
  const LONG copied = LZCopy(in, out);
  LZClose(in);
  LZClose(out);
  return copied >= 0;
}

TEST(WindowsOracle, GeneratedImagesReadAsTheSystemReadsThem) {
  const testsupport::TempFolder folder("oracle");
  const std::string base = utf8(folder.path());
  const auto files = testsupport::writeSampleCorpus(base);
  ASSERT_FALSE(files.empty());
  int compared = 0, readBySystem = 0;
  for (const auto& file : files) {
    if (file.compressed) continue;
    readBySystem += expectSameReading(base + "\\" + file.name, file.name) ? 1 : 0;
    ++compared;
  }
  // Every image with a version resource, PE32, PE32+ and NE alike; not NOVER.DLL nor readme.txt.
  EXPECT_EQ(compared, 10);
  EXPECT_EQ(readBySystem, 8);
}

TEST(WindowsOracle, CompressedFilesExpandAsTheSystemExpandsThem) {
  const testsupport::TempFolder folder("oracle");
  const std::string base = utf8(folder.path());
  const auto files = testsupport::writeSampleCorpus(base);
  ASSERT_FALSE(files.empty());
  const std::string ours = base + "\\ours";
  const std::string system = base + "\\system";
  ASSERT_TRUE(fs::create_directory(fs::u8path(system)));
  int expanded = 0;
  for (const auto& file : files) {
    if (!file.compressed) continue;
    SCOPED_TRACE(file.name);
    const std::string source = base + "\\" + file.name;
    const std::string name = basDecompress::ExpandedFileName(file.name);
    ASSERT_EQ(basDecompress::ExpandFileChecked(source, ours, name), basDecompress::ExpandError::None);
    ASSERT_TRUE(systemExpand(source, system + "\\" + name));
    EXPECT_EQ(testsupport::readText(fs::u8path(ours + "\\" + name)),
              testsupport::readText(fs::u8path(system + "\\" + name)));
    ++expanded;
  }
  EXPECT_EQ(expanded, 3);
}

// Real DLLs: the Windows libraries of Wine as Debian ships them, when they are there.
TEST(WindowsOracle, RealLibrariesReadAsTheSystemReadsThem) {
  const std::string folder = QUORVANE_WINE_DLLS;
  std::error_code ec;
  if (!fs::is_directory(fs::u8path(folder), ec)) GTEST_SKIP() << "no folder of Windows libraries at " << folder;
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(fs::u8path(folder), ec)) {
    const std::u8string name = entry.path().filename().u8string();
    if (!entry.is_regular_file()) continue;
    const std::string n(name.begin(), name.end());
    expectSameReading(folder + "\\" + n, n);
    ++compared;
  }
  EXPECT_GT(compared, 0);
}

}  // namespace
}  // namespace quorvane
