#include "support_run_folder.h"

#include <gtest/gtest.h>

#include <tuple>

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
  const auto fields = [](const ExtractionResult& r) {
    std::vector<std::tuple<std::string, std::int32_t, std::string, int, std::string, std::string, std::int64_t,
                           std::string, std::string>>
        out;
    for (const FileVersionEntry& e : r.Entries)
      out.emplace_back(e.FullPath, e.NamePos, e.Ext, e.Attributes, e.Date, e.Time, e.Size, e.FixedVersion,
                       e.StringVersion);
    return std::tuple(out, r.LastIndex, r.DisplayNames, r.Order, r.RunDate, r.RunTime, r.RunFolder, r.RunKind,
                      r.ExtractionDone, r.HasDoubleByteNames);
  };
  EXPECT_EQ(fields(actual), fields(expected));
}

}  // namespace quorvane::testsupport
