#include "cli/record_cli.h"

#include <iostream>
#include <memory>

#include "common/private_folder.h"
#include "common/terminal.h"
#include "dialogs/file_text_encoding.h"
#include "extraction/basDecompress.h"

namespace quorvane::cli {

bool ArgCursor::takeValue(const std::string& name, std::string& value) {
  const std::string& a = current();
  if (a == name) {
    if (m_index + 1 >= m_args.size()) {
      m_error = name + " の後に値を指定してください";
      return true;
    }
    value = m_args[++m_index];
    return true;
  }
  if (a.rfind(name + "=", 0) == 0) {
    value = a.substr(name.size() + 1);
    return true;
  }
  return false;
}

std::string parseExtractOption(ArgCursor& cursor, ExtractOptions& options) {
  std::string value;
  if (cursor.current() == "--strict-sort") {
    options.strictSort = true;
  } else if (cursor.current() == "--recurse") {
    options.recurse = true;
  } else if (cursor.takeValue("--kind", value)) {
    options.kind = value;
  } else if (cursor.takeValue("--expand-to", value)) {
    options.expandTo = value;
  } else {
    return "-";
  }
  options.touched = true;
  if (!cursor.error().empty()) return cursor.error();
  cursor.advance();
  return {};
}

std::string parseSharedArguments(const std::vector<std::string>& args, ExtractOptions& extraction,
                                 std::string& output, bool& help, std::vector<std::string>& names,
                                 const std::function<bool(ArgCursor&)>& own) {
  ArgCursor cursor(args);
  while (!cursor.done()) {
    std::string value;
    const std::string& a = cursor.current();
    if (a == "--help" || a == "-h") {
      help = true;
    } else if (own && own(cursor)) {
      // taken by the command
    } else if (cursor.takeValue("-o", value)) {
      output = value;
    } else if (auto problem = parseExtractOption(cursor, extraction); problem != "-") {
      if (!problem.empty()) return problem;
      continue;
    } else if (a.size() > 1 && a[0] == '-') {
      return "不明なオプションです: " + a;
    } else {
      names.push_back(a);
    }
    if (!cursor.error().empty()) return cursor.error();
    cursor.advance();
  }
  return {};
}

std::string expansionFolderFor(const ExtractOptions& options) {
  if (!options.expandTo.empty() && !basDecompress::IsTempFolder(options.expandTo)) return options.expandTo;
  // Others share the temporary folder: copies go into a folder nobody else can enter,
  // and it goes when the program ends (a static is destroyed at exit).
  static std::unique_ptr<PrivateFolder> runFolder;
  if (!runFolder) runFolder = PrivateFolder::create(basDecompress::TempFolder());
  return runFolder ? runFolder->path() : std::string();
}

void writeFileBytes(std::ostream& out, std::string_view bytes) {
  if (&out == &std::cout && terminal::isTerminal(terminal::Stream::Output)) {
    out << terminal::fileTextForTerminal(bytes);
    return;
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string encodeLines(std::size_t count, const std::function<const std::string&(std::size_t)>& line) {
  bool fits = true;
  for (std::size_t i = 0; i < count && fits; ++i) fits = fitsShiftJis(line(i));
  const FileTextEncoding encoding = fits ? FileTextEncoding::ShiftJis : FileTextEncoding::Utf8WithBom;
  std::string bytes = fits ? std::string() : std::string(kUtf8Bom);
  for (std::size_t i = 0; i < count; ++i) {
    bytes += encodeText(line(i), encoding).value_or(std::string());
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace quorvane::cli
