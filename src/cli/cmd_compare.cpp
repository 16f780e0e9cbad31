// quorvane-cli compare: compares a version record with another record, with a fresh
// extraction of a folder, or views one record, and writes the comparison result file.
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/record_cli.h"
#include "compare/compare_engine.h"
#include "compare/compare_result_file.h"

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "使い方: quorvane-cli compare 比較元 [比較先 | --extract フォルダー [--kind \"種別\"] [--expand-to フォルダー]]\n"
    "                            [--ignore-date] [--keep-string-version] [-o 結果ファイル]\n"
    "\n"
    "二つのバージョン記録ファイル、またはバージョン記録ファイルとフォルダーの抽出結果を比較し、\n"
    "追加・更新・削除・無変化のファイルを比較結果ファイルの形式で出力します。\n"
    "比較先も --extract も無い場合は、比較元の記録を読み込んでファイル名の一覧を出力します。\n"
    "\n"
    "オプション:\n"
    "  --extract フォルダー    比較先としてフォルダーの情報を抽出します\n"
    "  --kind \"種別\"          抽出するファイルの種別 (既定: \"*.DLL *.OCX *.OLB *.TLB\")\n"
    "  --expand-to フォルダー  圧縮ファイルの展開先 (既定: 一時フォルダー)\n"
    "  --ignore-date           ファイル日付は無視します\n"
    "  --keep-string-version   ストリング情報ファイルバージョンも比較します (既定では無視)\n"
    "  -o ファイル             比較結果をファイルに保存します (既定: 標準出力)\n"
    "  --help, -h              この説明を表示します\n"
    "\n"
    "終了コード: 0 完了, 1 抽出できませんでした, 2 引数の誤り, 3 ファイルを開けない・読めない・書けない\n";

struct Options {
  std::vector<std::string> files;
  ExtractOptions extraction;
  bool extract = false;
  CompareOptions compare;
  std::string output;
  bool help = false;
};

std::string parse(const std::vector<std::string>& args, Options& opt) {
  const std::string problem =
      parseSharedArguments(args, opt.extraction, opt.output, opt.help, opt.files, [&opt](ArgCursor& cursor) {
        std::string value;
        if (cursor.current() == "--ignore-date") {
          opt.compare.IgnoreFileDate = true;
        } else if (cursor.current() == "--keep-string-version") {
          opt.compare.IgnoreStringVersion = false;
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
  if (opt.files.empty()) return "比較元のバージョン記録ファイルを指定してください";
  if (opt.files.size() > 2) return "ファイルの指定が多すぎます";
  if (opt.files.size() == 2 && opt.extract) return "比較先ファイルと --extract は同時に指定できません";
  if (!opt.extract && opt.extraction.touched) return "--kind と --expand-to は --extract と共に指定してください";
  return {};
}

void printFailure(const CompareRun& run, const Options& opt, std::ostream& err) {
  err << compareErrorMessage(run.Error);
  switch (run.Error) {
    case CompareError::FirstCannotOpen: err << ": " << opt.files[0]; break;
    case CompareError::SecondCannotOpen: err << ": " << opt.files[1]; break;
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
  std::vector<std::string> names;
  for (const auto& e : r.FirstRecord) names.push_back(e.FullPath);
  return encodeLines(names);
}

int runCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options opt;
  const std::string problem = parse(args, opt);
  if (auto stop = helpOrUsageError("compare", opt.help, problem, kUsage, out, err)) return *stop;
  ExtractionResult extraction;
  SecondSide second = opt.files.size() == 2 ? SecondSide::record(opt.files[1]) : SecondSide::none();
  std::string target2 = opt.files.size() == 2 ? opt.files[1] : std::string();
  if (opt.extract) {
    const int status = extractForCli(opt.extraction, extraction, err);
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
  return kExitOk;
}

const CommandRegistrar registrar({"compare", "バージョン記録ファイルを比較します", runCompare});

}  // namespace

}  // namespace quorvane::cli
