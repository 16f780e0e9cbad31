#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "extraction/ExtractionResult.h"

namespace quorvane {
class clsFileVersion;
}

// Pieces shared by the extract and compare commands.
namespace quorvane::cli {

// Walks the arguments; options take their value as the next argument or after "=".
class ArgCursor {
 public:
  explicit ArgCursor(const std::vector<std::string>& args) : m_args(args) {}
  bool done() const { return m_index >= m_args.size(); }
  const std::string& current() const { return m_args[m_index]; }
  void advance() { ++m_index; }
  // True when the current argument is `name` (taking the next one as its value) or
  // "name=value". A missing value sets error().
  bool takeValue(const std::string& name, std::string& value);
  const std::string& error() const { return m_error; }

 private:
  const std::vector<std::string>& m_args;
  std::size_t m_index = 0;
  std::string m_error;
};

// What to extract: the folder and the choices of the extraction page.
struct ExtractOptions {
  std::string folder;
  std::string kind = "*.DLL *.OCX *.OLB *.TLB";
  std::string expandTo;  // empty: a private folder inside the temporary folder
  bool strictSort = false;
  bool recurse = false;  // --recurse: the files of every subfolder too
  bool touched = false;  // --kind, --expand-to, --strict-sort or --recurse was given
};

// Takes --kind, --expand-to, --strict-sort and --recurse at the cursor. Returns "-" when the
// argument is none of them, "" when it was taken (the cursor moved past it), or an error.
std::string parseExtractOption(ArgCursor& cursor, ExtractOptions& options);

// Walks the arguments the extract and compare commands share: --help or -h, -o FILE, the
// extraction options and plain names (collected in `names`). Every other argument is
// offered first to `own`, which returns true when it took it (it may take a value with
// takeValue). Returns the first error, or "".
std::string parseSharedArguments(const std::vector<std::string>& args, ExtractOptions& extraction,
                                 std::string& output, bool& help, std::vector<std::string>& names,
                                 const std::function<bool(ArgCursor&)>& own = {});

// The folder compressed files are expanded into: the one given, or, when none is given
// or the one given is the temporary folder itself, a folder of this run's own inside
// the temporary folder, removed when the program ends. Empty when it cannot be made.
std::string expansionFolderFor(const ExtractOptions& options);

// Runs the extraction for the command line: messages on `err`, progress ("i/N") only
// when standard error is a terminal. Returns an exit status; a completed run returns
// kExitOk, and sets `incomplete` when files were skipped or not expanded (each one is
// listed on `err`), so that the command ends with kExitIncomplete once its output is out.
// `fileRead` is passed on to the run (see ExtractionCallbacks).
int extractForCli(const ExtractOptions& options, ExtractionResult& result, std::ostream& err, bool& incomplete,
                  const std::function<void(std::size_t, clsFileVersion&)>& fileRead = {});

// The lines of the exit statuses in the extract and compare commands' help.
inline constexpr const char* kExtractionExitStatuses =
    "終了コード: 0 完了, 1 対象となるファイルが無い・フォルダーが無い, 2 引数の誤り,\n"
    "            3 ファイルまたはフォルダーを開けない・読めない・書けない,\n"
    "            4 完了したが、記録から除いたファイルまたは展開できなかったファイルがある\n"
    "              (標準エラーに一覧を表示します)\n";

// Writes the bytes of a file to `out`. Standard output on a terminal gets them in the
// terminal's encoding so a person can read the Japanese text; anywhere else (a file, a
// pipe, a test's stream) the bytes stay exactly those of the file.
void writeFileBytes(std::ostream& out, std::string_view bytes);

// Lines with CR LF in Shift_JIS, or UTF-8 with a byte-order mark when Shift_JIS cannot
// hold them: the rule of every file the program writes. `line(i)` gives line i of
// `count`, so that a caller need not copy millions of names into a list first.
std::string encodeLines(std::size_t count, const std::function<const std::string&(std::size_t)>& line);

}  // namespace quorvane::cli
