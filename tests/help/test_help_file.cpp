// The program's own help file: it decodes as code page 932 and every topic renders.
#include <gtest/gtest.h>

#include <set>

#include "common/file_reader.h"
#include "common/sjis.h"
#include "help/fixed_surface.h"
#include "help/help_document.h"
#include "help/help_source.h"

using namespace quorvane;
using namespace quorvane::help;

namespace {
// The copy the build places where the program finds it from the build tree.
const std::string kHelpFile = std::string(QUORVANE_BINARY_DIR) + "/share/quorvane/QUORVANE.HTM";
const char* const kTopics[] = {"extract", "compare", "recordfile", "resultfile",
                               "menus", "messages", "helpwindow"};

RenderResult show(HelpDocument& doc, const std::string& topic) {
  FixedMetricsSurface canvas(9000, 6000), work(9000, 6000);
  doc.resetPageSettings();
  doc.setCurName(topic);
  return doc.render(canvas, work);
}
}  // namespace

TEST(HelpFile, IsStrictCodePage932) {
  const auto bytes = readWholeFile(kHelpFile, kMaxHelpFileBytes);
  ASSERT_TRUE(bytes.has_value()) << kHelpFile;
  EXPECT_TRUE(sjis::decode(*bytes).has_value());
  EXPECT_NE(bytes->substr(0, 3), "\xEF\xBB\xBF");
  // A browser opening the file by itself learns its character set from the head.
  const std::size_t meta = bytes->find("charset=Shift_JIS");
  EXPECT_LT(meta, bytes->find("<BODY"));
  EXPECT_EQ(bytes->find('\n'), bytes->find("\r\n") + 1);  // CR LF lines
}

TEST(HelpFile, FirstTopicIsTheContentsAndLinksEveryTopic) {
  HelpDocument doc;
  doc.setHtmlFile(kHelpFile);
  ASSERT_TRUE(doc.load(true));
  const RenderResult first = show(doc, "");
  ASSERT_TRUE(first.ok) << describe(first.failure) << " at " << first.failurePosition;
  EXPECT_NE(first.plainText.find("Quorvane ヘルプ"), std::string::npos);
  std::set<std::string> targets;
  for (const LinkRegion& link : doc.links()) {
    targets.insert(link.Target);
    EXPECT_GT(link.X2, link.X1) << link.Target;  // clickable
  }
  for (const char* topic : kTopics) EXPECT_EQ(targets.count(std::string("#") + topic), 1u) << topic;
  // The contents topic stops at its end-of-topic comment.
  EXPECT_EQ(first.plainText.find("ボタンを押します"), std::string::npos);
}

TEST(HelpFile, EveryTopicRendersAloneAndLinksBack) {
  HelpDocument doc;
  doc.setHtmlFile(kHelpFile);
  ASSERT_TRUE(doc.load(true));
  for (const char* topic : kTopics) {
    const RenderResult r = show(doc, topic);
    ASSERT_TRUE(r.ok) << topic << ": " << describe(r.failure) << " at " << r.failurePosition;
    EXPECT_GT(r.plainText.size(), 100u) << topic;
    EXPECT_EQ(r.plainText.find("目次へ戻る") == std::string::npos, false) << topic;
    EXPECT_EQ(r.plainText.find("Quorvane ヘルプ\r\n"), std::string::npos) << topic;
    bool linksBack = false;
    for (const LinkRegion& link : doc.links()) linksBack |= link.Target == "#context" && link.X2 > 0;
    EXPECT_TRUE(linksBack) << topic;
  }
  EXPECT_EQ(doc.anchors().upperIndex(), 7);
  const RenderResult contents = show(doc, "#context");
  EXPECT_TRUE(contents.ok);
}
