#include "windows/support_sample_corpus.h"

#include <filesystem>

#include "support/files.h"
#include "support/pe_image_builder.h"
#include "support/szdd_writer.h"

namespace quorvane::testsupport {

namespace {

struct Sample {
  const char* name;
  ImageFormat format;
  VersionInfoPlan plan;
  ImageOptions options{};
};

VersionInfoPlan japanese() {
  auto plan = simpleVersionInfo({4, 71, 1712, 5}, "4, 71, 1712, 5");
  plan.fixed.productVersion = {4, 71, 0, 0};
  plan.fixed.fileTime = 125'911'584'000'000'000ull;  // 2000-01-01 00:00:00 UTC
  plan.translations = {{0x0411, 0x03A4}};
  plan.tables = {{"041103A4",
                  {{"FileVersion", "4, 71, 1712, 5"},
                   {"CompanyName", "株式会社クオーヴェイン"},
                   {"FileDescription", "バージョン情報 ①㈱"},
                   {"Comments", "一行目\r\n二行目"},
                   {"InternalName", "japanese"},
                   {"LegalCopyright", "Copyright (C) 2000"},
                   {"OriginalFilename", "JAPANESE.DLL"},
                   {"ProductName", "ｸｵｰｳﾞｪｲﾝ"},
                   {"ProductVersion", "4.71"}}}};
  return plan;
}

// The file's own key has no FileVersion; the fixed candidate 040904E4 has.
VersionInfoPlan fallbackKey() {
  auto plan = simpleVersionInfo({2, 0, 0, 1}, "2.0 (beta)");
  plan.translations = {{0x0407, 0x04B0}, {0x0409, 0x04E4}};
  plan.tables = {{"040704B0", {{"CompanyName", "Firma"}}},
                 {"040904E4", {{"FileVersion", "2.0 (beta)"}, {"CompanyName", "Company"}}}};
  return plan;
}

// A table only under a key none of the fixed candidates names.
VersionInfoPlan ownKeyOnly() {
  auto plan = simpleVersionInfo({5, 1, 2600, 0}, "5.1.2600.0 (xpclient.010817-1148)");
  plan.translations = {{0x040C, 0x04B0}};
  plan.tables = {{"040C04B0", {{"FileVersion", "5.1.2600.0 (xpclient.010817-1148)"}, {"ProductName", "Système"}}}};
  return plan;
}

// No translation table: only the string table's own key tells where the strings are.
VersionInfoPlan withoutTranslation() {
  auto plan = simpleVersionInfo({7, 0, 0, 0}, "7.0");
  plan.hasTranslationTable = false;
  plan.tables = {{"041204B0", {{"FileVersion", "7.0"}, {"ProductName", "Korean"}}}};
  return plan;
}

}  // namespace

std::vector<SampleFile> writeSampleCorpus(const std::string& folder) {
  auto english16 = simpleVersionInfo({3, 10, 0, 103}, "3.10");
  english16.translations = {{0x0409, 0x04E4}};
  english16.tables[0].key = "040904E4";
  // Version resources in the files' own languages rather than US English, one of them
  // 2 bytes off the 4-byte grid in the file.
  ImageOptions german, frenchMisaligned;
  german.language = 0x0407;
  frenchMisaligned.language = 0x040C;
  frenchMisaligned.misalignBlock = true;
  const std::vector<Sample> samples = {
      {"JAPANESE.DLL", ImageFormat::Pe32, japanese()},
      {"japanese64.dll", ImageFormat::Pe32Plus, japanese()},
      {"ENGLISH.EXE", ImageFormat::Pe32, simpleVersionInfo({1, 2, 3, 4}, "1.2.3.4")},
      {"FALLBACK.OCX", ImageFormat::Pe32, fallbackKey(), german},
      {"OWNKEY.DLL", ImageFormat::Pe32Plus, ownKeyOnly(), frenchMisaligned},
      {"OLD16.DLL", ImageFormat::Ne, english16},
      {"JAPAN16.DRV", ImageFormat::Ne, japanese()},
      {"NOTRANS.DLL", ImageFormat::Ne, withoutTranslation()},
  };
  std::vector<SampleFile> written;
  const auto at = [&folder](const std::string& name) { return std::filesystem::u8path(folder + "/" + name); };
  for (const Sample& s : samples) {
    writeFile(at(s.name), buildImage(s.format, s.plan, s.options).bytes);
    written.push_back({s.name, false});
  }
  // No version resource at all, and plain bytes.
  writeFile(at("NOVER.DLL"), buildImage(ImageFormat::Pe32, std::vector<std::uint8_t>{}).bytes);
  writeFile(at("readme.txt"), std::vector<std::uint8_t>(300, 'r'));
  written.push_back({"NOVER.DLL", false});
  written.push_back({"readme.txt", false});
  // Compressed copies, as on setup media, one of each style the writer knows.
  const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> packed = {
      {"JAPANESE.DL_", compressSzdd(buildImage(ImageFormat::Pe32, japanese()).bytes, SzddStyle::Greedy)},
      {"ENGLISH.EX_", compressSzdd(buildImage(ImageFormat::Pe32, simpleVersionInfo({1, 2, 3, 4}, "1.2.3.4")).bytes,
                                   SzddStyle::LiteralsOnly, 'E')},
      {"PLAIN.TL_", std::vector<std::uint8_t>(100, 't')},  // not compressed at all
  };
  for (const auto& [name, bytes] : packed) {
    writeFile(at(name), bytes);
    written.push_back({name, true});
  }
  return written;
}

}  // namespace quorvane::testsupport
