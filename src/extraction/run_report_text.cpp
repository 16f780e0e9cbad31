#include "extraction/run_report_text.h"

#include "extraction/extraction_run.h"

namespace quorvane {

std::vector<std::string> incompleteLines(const ExtractionRunReport& report) {
  std::vector<std::string> lines;
  lines.reserve(report.ExpansionFailures.size() + report.Skipped.size());
  for (const std::string& failed : report.ExpansionFailures)
    lines.push_back("展開できませんでした: " + failed + " (圧縮されたファイルのまま記録します)");
  for (const SkippedFile& skipped : report.Skipped)
    lines.push_back("記録に含めませんでした: " + skipped.Path + " (" + skipped.describe() + ")");
  return lines;
}

std::string incompleteMessage(const ExtractionRunReport& report, std::size_t shown) {
  const std::vector<std::string> lines = incompleteLines(report);
  std::string text = "抽出は完了しましたが、次の " + std::to_string(lines.size()) + " 件のファイルは記録に含めなかったか、展開できませんでした。";
  for (std::size_t i = 0; i < lines.size() && i < shown; ++i) text += "\n" + lines[i];
  if (lines.size() > shown) text += "\nほか " + std::to_string(lines.size() - shown) + " 件";
  return text;
}

}  // namespace quorvane
