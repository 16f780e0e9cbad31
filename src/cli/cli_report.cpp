#include "cli/cli_report.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <unordered_map>

#include "cli/command.h"
#include "common/basDirUtil.h"
#include "dialogs/file_error.h"
#include "dialogs/replacing_file.h"

namespace quorvane::cli {

bool parseFormat(const std::string& name, std::optional<report::Format>& format) {
  if (name == "text") {
    format.reset();
    return true;
  }
  format = report::formatFromName(name);
  return format.has_value();
}

std::optional<std::vector<UpdateClass>> parseFailOn(const std::string& list, std::string& problem) {
  std::vector<UpdateClass> classes;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const std::string name = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const auto c = updateClassFromName(name);
    if (!c) {
      problem = "--fail-on の種類が正しくありません: \"" + name +
                "\" (up, down, same-version, string-only, unordered をコンマで区切って指定します)";
      return std::nullopt;
    }
    classes.push_back(*c);
    if (comma == std::string::npos) return classes;
    start = comma + 1;
  }
}

int failOnStatus(const ComparisonResult& result, const std::vector<UpdateClass>& classes, bool incomplete,
                 std::ostream& err) {
  int status = incomplete ? kExitIncomplete : kExitOk;
  for (const UpdatedRow& row : result.Updated) {
    if (std::find(classes.begin(), classes.end(), row.Class) == classes.end()) continue;
    err << "--fail-on: " << row.Entry.FullPath << " (" << updateClassName(row.Class) << ")\n";
    status = kExitFailOn;
  }
  return status;
}

std::function<void(std::size_t, clsFileVersion&)> keepDetailsIn(std::vector<report::FileDetails>& details) {
  return [&details](std::size_t i, clsFileVersion& reader) {
    if (i >= details.size()) details.resize(i + 1);
    details[i] = report::readFileDetails(reader);
  };
}

report::DetailsByName extractionDetails(const ExtractionResult& extraction, std::vector<report::FileDetails>& details) {
  details.resize(extraction.Entries.size());
  auto byName = std::make_shared<std::unordered_map<std::string, const report::FileDetails*>>();
  for (std::size_t i = 0; i < details.size(); ++i) {
    details[i].FullPath = basDirUtil::AbsolutePath(extraction.Entries[i].FullPath);
    if (i < extraction.DisplayNames.size()) byName->emplace(extraction.DisplayNames[i], &details[i]);
  }
  return [byName](const std::string& name) -> const report::FileDetails* {
    const auto found = byName->find(name);
    return found == byName->end() ? nullptr : found->second;
  };
}

int emitReport(const report::ReportText& text, const std::string& output, std::ostream& out, std::ostream& err) {
  for (const std::string& name : text.Replaced)
    err << "UTF-8 として正しくないバイトを U+FFFD に置き換えて出力しました: " << name << "\n";
  if (output.empty()) {
    out.write(text.Bytes.data(), static_cast<std::streamsize>(text.Bytes.size()));
    out.flush();
    if (out) return kExitOk;
    err << "ファイル出力でエラーが発生しました: 標準出力\n";
    return kExitFileError;
  }
  ReplacingFile file;
  if (!file.open(output)) {
    err << fileError::openErrorMessage(file.classification()) << ": " << output << "\n";
    return kExitFileError;
  }
  if (!file.write(text.Bytes) || !file.commit()) {
    err << "ファイル出力でエラーが発生しました: " << output << "\n";
    return kExitFileError;
  }
  return kExitOk;
}

}  // namespace quorvane::cli
