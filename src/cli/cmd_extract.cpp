// quorvane-cli extract: lists a folder's program files with their version information
// and writes the version record file.
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_report.h"
#include "cli/command.h"
#include "cli/record_cli.h"
#include "compare/computer_name.h"
#include "compare/record_writer.h"
#include "extraction/extraction_texts.h"

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "使い方: quorvane-cli extract フォルダー [--kind \"種別\"] [--expand-to フォルダー] [--strict-sort]\n"
    "                               [--recurse] [--format text|json|csv] [-o ファイル]\n"
    "\n"
    "フォルダーのファイルのバージョン情報を抽出し、バージョン記録ファイルの形式で出力します。\n"
    "\n"
    "オプション:\n"
    "  --kind \"種別\"          ファイルの種別 (既定: \"*.DLL *.OCX *.OLB *.TLB\")。例: \"*.DLL\", \"*.*\",\n"
    "                          圧縮ファイル \"*.DL_ *.OC_ *.OL_ *.TL_ *.EX_\"\n"
    "  --expand-to フォルダー  圧縮ファイルの展開先 (既定: 一時フォルダー内にこの実行専用の\n"
    "                          フォルダーを作り、終了時に削除します)\n"
    "  --strict-sort           ファイル名を厳密にソートします\n"
    "  --recurse               サブフォルダーのファイルも抽出します。ファイル名はフォルダーからの\n"
    "                          相対パス (区切りは \\、例: sub\\a.dll) になり、圧縮ファイルは\n"
    "                          展開先の同じ相対フォルダーに展開します\n"
    "  --format 形式           text (既定: バージョン記録ファイル), json, csv (UTF-8)\n"
    "  -o ファイル             バージョン記録ファイルに保存します (既定: 標準出力)\n"
    "  --help, -h              この説明を表示します\n"
    "\n"
    "読み込めないファイル、パイプやデバイス、記録に書けない名前や日付のファイルは\n"
    "記録に含めず、標準エラーに名前と理由を表示します。\n"
    "\n";

struct Options {
  ExtractOptions extraction;
  std::vector<std::string> folders;
  std::string output;
  bool help = false;
  std::string formatName = "text";
  std::optional<report::Format> format;
};

std::string parse(const std::vector<std::string>& args, Options& opt) {
  const std::string problem = parseSharedArguments(args, opt.extraction, opt.output, opt.help, opt.folders,
                                                   [&opt](ArgCursor& c) { return c.takeValue("--format", opt.formatName); });
  if (!problem.empty()) return problem;
  if (opt.help) return {};
  if (!parseFormat(opt.formatName, opt.format)) return kBadFormat;
  if (opt.folders.empty()) return "抽出するフォルダーを指定してください";
  if (opt.folders.size() > 1) return "フォルダーは一つだけ指定してください";
  if (opt.extraction.kind.find_first_not_of(' ') == std::string::npos) return "--kind に種別を指定してください";
  opt.extraction.folder = opt.folders[0];
  return {};
}

int runExtract(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options opt;
  const std::string problem = parse(args, opt);
  if (auto stop = helpOrUsageError("extract", opt.help, problem, (std::string(kUsage) + kExtractionExitStatuses).c_str(),
                                   out, err))
    return *stop;
  ExtractionResult result;
  std::vector<report::FileDetails> details;
  bool incomplete = false;
  const int status = extractForCli(opt.extraction, result, err, incomplete, opt.format ? keepDetailsIn(details) : nullptr);
  if (status != kExitOk) return status;
  err << extractionText::kFinished << "\n";
  if (opt.format) {
    extractionDetails(result, details);
    const int written = emitReport(report::extractReport(*opt.format, result, details, ComputerName()), opt.output, out, err);
    if (written != kExitOk) return written;
    return incomplete ? kExitIncomplete : kExitOk;
  }
  RecordWriteResult written;
  if (opt.output.empty()) {
    std::string bytes;
    written = WriteVersionRecord(result, ComputerName(), [&](std::string_view chunk) {
      bytes += chunk;
      return true;
    });
    if (written.ok()) writeFileBytes(out, bytes);
    out.flush();
    if (written.ok() && !out) written.Error = RecordWriteError::WriteFailed;
  } else {
    written = OutputVersionRecord(result, opt.output);
  }
  if (!written.ok()) {
    err << recordWriteMessage(written) << ": " << (opt.output.empty() ? "標準出力" : opt.output);
    if (written.Error == RecordWriteError::NameNotWritable) err << " (" << written.BadName << ")";
    err << "\n";
    return kExitFileError;
  }
  err << recordWriteMessage(written) << "\n";
  err << "抽出ファイル数： " << result.Entries.size() << " ";
  if (written.Encoding == FileTextEncoding::Utf8WithBom)
    err << "(Shift_JIS で表せない文字があるため UTF-8 で出力しました)";
  err << "\n";
  return incomplete ? kExitIncomplete : kExitOk;
}

const CommandRegistrar registrar({"extract", "フォルダーのバージョン情報を抽出します", runExtract});

}  // namespace

}  // namespace quorvane::cli
