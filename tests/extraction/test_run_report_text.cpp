#include <gtest/gtest.h>

#include "extraction/extraction_run.h"
#include "extraction/run_report_text.h"

namespace quorvane {
namespace {

TEST(RunReportText, NamesTheFirstTwentyFilesAndCountsTheRest) {
  ExtractionRunReport report;
  report.ExpansionFailures = {"/m/a.dl_"};
  for (int i = 0; i < 21; ++i) report.Skipped.push_back({"/m/" + std::to_string(i) + ".dll", SkipReason::NotAFile});
  const std::string text = incompleteMessage(report);
  EXPECT_EQ(text.substr(0, text.find('\n')),
            "抽出は完了しましたが、次の 22 件のファイルは記録に含めなかったか、展開できませんでした。");
  EXPECT_NE(text.find("\n展開できませんでした: /m/a.dl_ (圧縮されたファイルのまま記録します)\n"), std::string::npos);
  EXPECT_NE(text.find("\n記録に含めませんでした: /m/18.dll ("), std::string::npos);
  EXPECT_EQ(text.find("/m/19.dll"), std::string::npos);
  EXPECT_EQ(text.substr(text.rfind('\n')), "\nほか 2 件");
  report.Skipped.resize(1);
  EXPECT_EQ(incompleteMessage(report).find("ほか"), std::string::npos);
}

}  // namespace
}  // namespace quorvane
