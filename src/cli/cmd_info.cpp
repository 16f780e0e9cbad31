// quorvane-cli info FILE...: the version information of each file as "label : value"
// lines, the same values the extraction reads, for checking a file by hand.
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_report.h"
#include "cli/command.h"
#include "common/basDirUtil.h"
#include "version/clsFileVersion.h"
#include "version/string_tables.h"

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "使い方: quorvane-cli info [--all-languages] [--format text|json|csv] [--] ファイル...\n"
    "\n"
    "各ファイルのバージョン情報 (固定情報と文字列情報) を「項目名 : 値」の形で表示します。\n"
    "ファイルごとに空行で区切ります。バージョン情報のないファイルは\n"
    "「VerInfoAvailable : False」と表示します。\n"
    "\n"
    "オプション:\n"
    "  --all-languages     バージョン情報のすべての文字列テーブル (言語ごとの全項目) も表示します\n"
    "  --format 形式       text (既定), json (すべての文字列テーブルを含みます), csv (UTF-8)\n"
    "  --help              この説明を表示します\n"
    "  --                  以降の引数をすべてファイル名として扱います\n"
    "\n"
    "パイプやデバイスなど通常のファイルでないものは読まずに、すぐにエラーとします。\n"
    "\n"
    "終了コード: 0 すべてのファイルにバージョン情報があった, 1 ないファイルがあった,\n"
    "            2 引数の誤り, 3 開けない・読めないファイルがあった\n";

// A value is shown on one line: control characters (a line break inside a comment, say)
// are written as escapes instead of breaking the "label : value" layout.
std::string oneLine(const std::string& value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F) out.push_back(c);
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", u);
      out += escaped;
    }
  }
  return out;
}

std::string hex32(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(v));
  return text;
}

void line(std::ostream& out, const std::string& label, const std::string& value) {
  out << label << " : " << value << "\n";
}

void printInfo(clsFileVersion& reader, std::ostream& out) {
  const clsFixedFileInfo& f = reader.FixedFileInfo();
  line(out, "FixedVersion", f.FileVersion());
  line(out, "ProductVersion", f.ProductVersion());
  for (std::int16_t i : {0, 1, 10, 11, 12, 13, 14}) {
    line(out, clsFixedFileInfo::PropertyName(i), hex32(std::get<std::uint32_t>(f.Properties(i))));
  }
  line(out, "FileDate", formatFileDateTime(f.FileDate()));
  line(out, "LanguageName", reader.LanguageName());
  line(out, "Key", reader.CurrentKey());
  const clsStringFileInfo& s = reader.StringFileInfo();
  for (std::int32_t i = 1; i <= clsStringFileInfo::kCount; ++i)
    line(out, clsFileVersion::DescriptionString(i), oneLine(s.Item(i)));
}

// Every string table, not only the one the extraction reads: "StringTable : key language"
// and then each value under its own name, indented.
void printStringTables(const clsFileVersion& reader, std::ostream& out) {
  for (const VersionStringTable& table : readStringTables(reader.VersionBlockBytes())) {
    line(out, "StringTable", oneLine(table.Key) + (table.LanguageName.empty() ? "" : " " + table.LanguageName));
    for (const VersionStringTable::Value& v : table.Values) line(out, "  " + oneLine(v.Name), oneLine(v.Text));
  }
}

int runInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  bool optionsEnded = false;
  bool allLanguages = false;
  std::optional<report::Format> format;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!optionsEnded && a == "--help") {
      out << kUsage;
      return kExitOk;
    }
    if (!optionsEnded && a == "--all-languages") {
      allLanguages = true;
    } else if (!optionsEnded && (a == "--format" || a.rfind("--format=", 0) == 0)) {
      const bool separate = a == "--format";
      if ((separate && i + 1 >= args.size()) || !parseFormat(separate ? args[++i] : a.substr(9), format)) {
        err << "quorvane-cli info: " << kBadFormat << "\n" << kUsage;
        return kExitUsage;
      }
    } else if (!optionsEnded && a == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
      err << "quorvane-cli info: 不明なオプションです: " << a << "\n" << kUsage;
      return kExitUsage;
    } else {
      files.push_back(a);
    }
  }
  if (files.empty()) {
    err << "quorvane-cli info: ファイルが指定されていません\n" << kUsage;
    return kExitUsage;
  }

  clsFileVersion reader;
  int status = kExitOk;
  if (format) {
    report::InfoReport report(*format, allLanguages);
    for (const std::string& path : files) {
      if (!reader.GetFileVersion(path)) {
        err << "quorvane-cli info: " << path << ": " << describeFault(reader.LastFault()) << "\n";
        status = kExitFailure;
      }
      report.add(path, basDirUtil::AbsolutePath(path), reader, describeFault(reader.LastFault()));
    }
    const int written = emitReport(report.finish(), {}, out, err);
    return written != kExitOk ? written : status;
  }
  for (const std::string& path : files) {
    line(out, "File", path);
    if (reader.GetFileVersion(path)) {
      printInfo(reader, out);
      if (allLanguages) printStringTables(reader, out);
    } else {
      line(out, "VerInfoAvailable", "False");
      err << "quorvane-cli info: " << path << ": " << describeFault(reader.LastFault()) << "\n";
      const VersionError error = reader.LastFault().error;
      const bool unreadable = error == VersionError::CannotOpen || error == VersionError::ReadFailed;
      if (unreadable) status = kExitFileError;
      else if (status == kExitOk) status = kExitFailure;
    }
    out << "\n";
  }
  return status;
}

const CommandRegistrar kRegistrar({"info", "ファイルのバージョン情報を表示します", runInfo});

}  // namespace

}  // namespace quorvane::cli
