// quorvane-cli compare: compares a version record with another record, with a fresh
// extraction of a folder, or views one record, and writes the comparison result file.
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_report.h"
#include "cli/command.h"
#include "cli/record_cli.h"
#include "compare/compare_engine.h"
#include "compare/compare_result_file.h"

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "使い方: quorvane-cli compare 比較元 [比較先 | --extract フォルダー [--kind \"種別\"] [--expand-to フォルダー]\n"
    "                            [--recurse]] [--ignore-date] [--keep-string-version] [--format text|json|csv]\n"
    "                            [--fail-on 種類,...] [-o 結果ファイル]\n"
    "\n"
    "二つのバージョン記録ファイル、またはバージョン記録ファイルとフォルダーの抽出結果を比較し、\n"
    "追加・更新・削除・無変化のファイルを比較結果ファイルの形式で出力します。\n"
    "比較先も --extract も無い場合は、比較元の記録を読み込んでファイル名の一覧を出力します。\n"
    "\n"
    "オプション:\n"
    "  --extract フォルダー    比較先としてフォルダーの情報を抽出します\n"
    "  --kind \"種別\"          抽出するファイルの種別 (既定: \"*.DLL *.OCX *.OLB *.TLB\")\n"
    "  --expand-to フォルダー  圧縮ファイルの展開先 (既定: 一時フォルダー内にこの実行専用の\n"
    "                          フォルダーを作り、終了時に削除します)\n"
    "  --recurse               サブフォルダーのファイルも抽出し、フォルダーからの相対パスで比較します\n"
    "  --ignore-date           ファイル日付は無視します\n"
    "  --keep-string-version   ストリング情報ファイルバージョンも比較します (既定では無視)\n"
    "  --format 形式           text (既定: 比較結果ファイル), json, csv (UTF-8)。更新ファイルには\n"
    "                          種類 (up, down, same-version, string-only, unordered) が付きます\n"
    "  --fail-on 種類,...      指定した種類の更新ファイルがあれば終了コード 5 で終了します\n"
    "                          (例: --fail-on down,same-version)\n"
    "  -o ファイル             比較結果をファイルに保存します (既定: 標準出力)\n"
    "  --help, -h              この説明を表示します\n"
    "\n"
    "バージョン記録ファイルではないファイル (列見出しも分割できる行も無いもの) は比較しません (終了コード 3)。\n"
    "\n";
constexpr const char* kFailOnStatus = "            5 --fail-on の種類の更新ファイルがありました (結果は出力済み)\n";

struct Options {
  std::vector<std::string> files;
  ExtractOptions extraction;
  bool extract = false;
  CompareOptions compare;
  std::string output;
  bool help = false;
  std::string formatName = "text";
  std::optional<report::Format> format;
  std::string failOnList;
  bool failOnGiven = false;
  std::vector<UpdateClass> failOn;
};

std::string parse(const std::vector<std::string>& args, Options& opt) {
  const std::string problem =
      parseSharedArguments(args, opt.extraction, opt.output, opt.help, opt.files, [&opt](ArgCursor& cursor) {
        std::string value;
        if (cursor.current() == "--ignore-date") {
          opt.compare.IgnoreFileDate = true;
        } else if (cursor.current() == "--keep-string-version") {
          opt.compare.IgnoreStringVersion = false;
        } else if (cursor.takeValue("--format", opt.formatName)) {
          // checked below
        } else if (cursor.takeValue("--fail-on", opt.failOnList)) {
          opt.failOnGiven = true;
        } else if (cursor.takeValue("--extract", value)) {
          opt.extract = true;
          opt.extraction.folder = value;
        } else {
          return false;
        }
        return true;
      });
  if (!problem.empty()) return problem;
  if (opt.help) return {};
  if (!parseFormat(opt.formatName, opt.format)) return kBadFormat;
  if (opt.failOnGiven) {
    std::string failOnProblem;
    auto classes = parseFailOn(opt.failOnList, failOnProblem);
    if (!classes) return failOnProblem;
    opt.failOn = std::move(*classes);
  }
  if (opt.files.empty()) return "比較元のバージョン記録ファイルを指定してください";
  if (opt.files.size() > 2) return "ファイルの指定が多すぎます";
  if (opt.files.size() == 2 && opt.extract) return "比較先ファイルと --extract は同時に指定できません";
  if (!opt.extract && opt.extraction.touched) return "--kind, --expand-to と --recurse は --extract と共に指定してください";
  return {};
}

void printFailure(const CompareRun& run, const Options& opt, std::ostream& err) {
  err << compareErrorMessage(run.Error);
  switch (run.Error) {
    case CompareError::FirstCannotOpen:
      err << ": " << opt.files[0] << " (" << describeOpenError(run.OpenError) << ")";
      break;
    case CompareError::SecondCannotOpen:
      err << ": " << opt.files[1] << " (" << describeOpenError(run.OpenError) << ")";
      break;
    case CompareError::FirstNotARecord: err << ": " << opt.files[0]; break;
    case CompareError::SecondNotARecord: err << ": " << opt.files[1]; break;
    case CompareError::FirstRowFailedToSplit:
      err << ": " << opt.files[0] << " " << run.ErrorLine << " 行目 ("
          << recordFormat::rowSplitText(run.SplitError) << ")";
      break;
    case CompareError::FirstReadFailed: err << ": " << opt.files[0] << " " << run.ErrorLine << " 行目"; break;
    case CompareError::SecondReadFailed: err << ": " << opt.files[1] << " " << run.ErrorLine << " 行目"; break;
    case CompareError::None: break;
  }
  err << "\n";
}

void printSummary(const ComparisonResult& r, std::ostream& err) {
  err << "ファイル比較完了\n";
  if (r.ViewMode) {
    err << "比較対象1のファイル総数：" << r.firstCount() << "\n";
    return;
  }
  err << "比較対象1: " << r.firstCount() << " 件, 比較対象2: " << r.SecondCount << " 件";
  if (r.SecondRowsLeftOut > 0) err << " (読めなかった行 " << r.SecondRowsLeftOut << " 件は比較していません)";
  err << " / 追加 " << r.count(CompareCategory::Added) << ", 更新 " << r.count(CompareCategory::Updated)
      << ", 削除 " << r.count(CompareCategory::Deleted) << ", 無変化 " << r.count(CompareCategory::Unchanged)
      << "\n";
}

// View mode lists the first record's names, one a line, in the file's encoding rules.
std::string viewListing(const ComparisonResult& r) {
  return encodeLines(r.FirstRecord.size(), [&r](std::size_t i) -> const std::string& { return r.FirstRecord[i].FullPath; });
}

int runCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options opt;
  const std::string problem = parse(args, opt);
  if (auto stop = helpOrUsageError("compare", opt.help, problem, (std::string(kUsage) + kExtractionExitStatuses + kFailOnStatus).c_str(),
                                   out, err))
    return *stop;
  if (!opt.output.empty()) {
    const ResultWriteResult refused = checkResultDestination(opt.output, opt.files);
    if (!refused.ok()) {
      err << resultWriteMessage(refused) << ": " << opt.output << "\n";
      return kExitFileError;
    }
  }
  bool incomplete = false;
  ExtractionResult extraction;
  SecondSide second = opt.files.size() == 2 ? SecondSide::record(opt.files[1]) : SecondSide::none();
  std::string target2 = opt.files.size() == 2 ? opt.files[1] : std::string();
  // A fresh extraction knows more of each file than a record does; the reports show it.
  std::vector<report::FileDetails> details;
  if (opt.extract) {
    const int status = extractForCli(opt.extraction, extraction, err, incomplete,
                                     opt.format ? keepDetailsIn(details) : nullptr);
    if (status != kExitOk) return status;
    second = SecondSide::extraction(extraction);
    target2 = extraction.RunFolder;
  }
  const CompareRun run = CompareVersionRecords(opt.files[0], second, opt.compare);
  if (!run.ok()) {
    printFailure(run, opt, err);
    return kExitFileError;
  }
  const ResultFileHeader header = ResultFileHeader::now(opt.files[0], target2);
  if (opt.format) {
    const report::DetailsByName byName = extractionDetails(extraction, details);
    const int written = emitReport(report::compareReport(*opt.format, run.Result, header, opt.compare,
                                                         opt.extract ? byName : nullptr),
                                   opt.output, out, err);
    if (written != kExitOk) return written;
    printSummary(run.Result, err);
    return failOnStatus(run.Result, opt.failOn, incomplete, err);
  }
  if (run.Result.ViewMode && opt.output.empty()) {
    writeFileBytes(out, viewListing(run.Result));
  } else if (opt.output.empty()) {
    writeFileBytes(out, FormatCompareResult(run.Result, header));
  } else {
    const ResultWriteResult written = OutputCompareResult(run.Result, header, opt.output);
    if (!written.ok()) {
      err << resultWriteMessage(written) << ": " << opt.output << "\n";
      return kExitFileError;
    }
  }
  out.flush();
  if (!out) {
    err << "ファイル出力でエラーが発生しました: 標準出力\n";
    return kExitFileError;
  }
  printSummary(run.Result, err);
  return failOnStatus(run.Result, opt.failOn, incomplete, err);
}

const CommandRegistrar registrar({"compare", "バージョン記録ファイルを比較します", runCompare});

}  // namespace

}  // namespace quorvane::cli
