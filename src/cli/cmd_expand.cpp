// quorvane-cli expand: expands compressed files from setup media (SETUP.EX_ and the like)
// into a folder, as the extraction does before it reads version information.
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "common/basDirUtil.h"
#include "extraction/basDecompress.h"

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "使い方: quorvane-cli expand ファイル... --to フォルダー\n"
    "\n"
    "圧縮されたファイル (SZDD 形式) を指定したフォルダーに展開します。\n"
    "展開後の名前は拡張子の最後の \"_\" を戻したものです:\n"
    "  DL_ → DLL, EX_ → EXE, OC_ → OCX, TL_ → TLB, OL_ → OLB (その他の名前は変わりません)\n"
    "圧縮されていないファイルはそのままコピーします。フォルダーが無い場合は作成します。\n"
    "同じ名前のファイルは上書きします。展開に失敗した場合、同じ名前の既存のファイルは\n"
    "そのまま残ります。展開したファイルは元のファイルより広く読めるようにはなりません。\n"
    "\n"
    "オプション:\n"
    "  --to フォルダー  展開先のフォルダー (必須)\n"
    "  --help, -h       この説明を表示します\n"
    "\n"
    "終了コード: 0 すべて展開しました, 1 展開できなかったファイルがあります, 2 引数の誤り\n";

struct Options {
  std::vector<std::string> files;
  std::string folder;
  bool help = false;
};

// Parses the arguments; returns an error text, empty when they are fine.
std::string parse(const std::vector<std::string>& args, Options& opt) {
  bool onlyFiles = false;
  bool haveFolder = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (onlyFiles) {
      opt.files.push_back(a);
    } else if (a == "--") {
      onlyFiles = true;
    } else if (a == "--help" || a == "-h") {
      opt.help = true;
    } else if (a == "--to") {
      if (i + 1 >= args.size()) return "--to の後にフォルダーを指定してください";
      opt.folder = args[++i];
      haveFolder = true;
    } else if (a.rfind("--to=", 0) == 0) {
      opt.folder = a.substr(5);
      haveFolder = true;
    } else if (a.size() > 1 && a[0] == '-') {
      return "不明なオプションです: " + a;
    } else {
      opt.files.push_back(a);
    }
  }
  if (opt.help) return {};
  if (!haveFolder || opt.folder.empty()) return "展開先フォルダーを --to で指定してください";
  if (opt.files.empty()) return "展開するファイルを指定してください";
  return {};
}

int runExpand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options opt;
  const std::string problem = parse(args, opt);
  if (auto stop = helpOrUsageError("expand", opt.help, problem, kUsage, out, err)) return *stop;
  const std::string folder = basDirUtil::AddOrRemoveSlash(opt.folder, 1);
  int failed = 0;
  for (const std::string& file : opt.files) {
    const std::string name = basDecompress::ExpandedFileName(basDirUtil::FileNamePart(file));
    const auto e = basDecompress::ExpandFileChecked(file, folder, name);
    if (e == basDecompress::ExpandError::None) {
      out << file << " -> " << folder << name << "\n";
    } else {
      err << "展開できませんでした: " << file << " (" << basDecompress::describe(e) << ")\n";
      ++failed;
    }
  }
  return failed == 0 ? kExitOk : kExitFailure;
}

const CommandRegistrar kRegistrar({"expand", "圧縮ファイル (*.DL_ など) を展開します", runExpand});

}  // namespace

}  // namespace quorvane::cli
