#include "support_run_folder.h"

#include <gtest/gtest.h>

#include "common/utf8.h"
#include "extraction/extraction_kinds.h"
#include "support/pe_image_builder.h"

namespace quorvane::testsupport {

namespace {

std::string fileNameOf(const FileVersionEntry& e) {
  return utf8::mid(e.FullPath, static_cast<std::size_t>(e.NamePos));
}

}  // namespace

std::vector<std::uint8_t> dllImage(std::array<std::uint16_t, 4> parts, const std::string& text) {
  return buildImage(ImageFormat::Pe32, simpleVersionInfo(parts, text)).bytes;
}

void writeDll(const TempFolder& folder, const std::string& name, std::array<std::uint16_t, 4> parts,
              const std::string& text) {
  writeFile(folder.path() / std::filesystem::u8path(name), dllImage(parts, text));
}

const FileVersionEntry& entryNamed(const ExtractionResult& result, const std::string& name) {
  for (const FileVersionEntry& e : result.Entries)
    if (fileNameOf(e) == name) return e;
  ADD_FAILURE() << "no entry named " << name;
  static const FileVersionEntry blank;
  return blank;
}

std::vector<std::string> namesInOrder(const ExtractionResult& result) {
  std::vector<std::string> out;
  for (const std::int32_t i : result.Order) out.push_back(fileNameOf(result.Entries.at(static_cast<std::size_t>(i))));
  return out;
}

ExtractionRequest requestFor(const std::string& folder, const std::string& kind, const std::string& expansionFolder) {
  const KindPatterns k = PatternsOfKind(kind);
  ExtractionRequest r;
  r.Folder = folder;
  r.KindText = kind;
  r.Patterns = k.Patterns;
  r.ExpandCompressed = k.ExpandCompressed;
  r.ExpansionFolder = expansionFolder;
  return r;
}

void expectSameResult(const ExtractionResult& actual, const ExtractionResult& expected) {
  ASSERT_EQ(actual.Entries.size(), expected.Entries.size());
  for (std::size_t i = 0; i < actual.Entries.size(); ++i) {
    const FileVersionEntry& a = actual.Entries[i];
    const FileVersionEntry& e = expected.Entries[i];
    EXPECT_EQ(a.FullPath, e.FullPath) << i;
    EXPECT_EQ(a.NamePos, e.NamePos) << i;
    EXPECT_EQ(a.Ext, e.Ext) << i;
    EXPECT_EQ(a.Attributes, e.Attributes) << i;
    EXPECT_EQ(a.Date, e.Date) << i;
    EXPECT_EQ(a.Time, e.Time) << i;
    EXPECT_EQ(a.Size, e.Size) << i;
    EXPECT_EQ(a.FixedVersion, e.FixedVersion) << i;
    EXPECT_EQ(a.StringVersion, e.StringVersion) << i;
  }
  EXPECT_EQ(actual.LastIndex, expected.LastIndex);
  EXPECT_EQ(actual.DisplayNames, expected.DisplayNames);
  EXPECT_EQ(actual.Order, expected.Order);
  EXPECT_EQ(actual.RunDate, expected.RunDate);
  EXPECT_EQ(actual.RunTime, expected.RunTime);
  EXPECT_EQ(actual.RunFolder, expected.RunFolder);
  EXPECT_EQ(actual.RunKind, expected.RunKind);
  EXPECT_EQ(actual.ExtractionDone, expected.ExtractionDone);
  EXPECT_EQ(actual.HasDoubleByteNames, expected.HasDoubleByteNames);
}

}  // namespace quorvane::testsupport
