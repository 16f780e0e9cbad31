// The program's own help file: strict code page 932 with CR LF lines, and every topic renders.
#include <gtest/gtest.h>

#include <set>

#include "common/file_reader.h"
#include "common/sjis.h"
#include "help/fixed_surface.h"
#include "help/help_document.h"
#include "help/help_source.h"

using namespace quorvane;
using namespace quorvane::help;

TEST(HelpFile, IsCodePage932AndTheContentsLinkEveryTopicAndEachLinksBack) {
  // The copy the build places where the program finds it from the build tree.
  const std::string file = std::string(QUORVANE_BINARY_DIR) + "/share/quorvane/QUORVANE.HTM";
  const auto bytes = readWholeFile(file, kMaxHelpFileBytes);
  ASSERT_TRUE(bytes.has_value()) << file;
  EXPECT_TRUE(sjis::decode(*bytes).has_value());
  EXPECT_NE(bytes->substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_LT(bytes->find("charset=Shift_JIS"), bytes->find("<BODY"));  // for a browser opening the file alone
  EXPECT_EQ(bytes->find('\n'), bytes->find("\r\n") + 1);

  HelpDocument doc;
  doc.setHtmlFile(file);
  ASSERT_TRUE(doc.load(true));
  FixedMetricsSurface canvas(9000, 6000), work(9000, 6000);
  std::set<std::string> contentsLinks;
  // The first topic is the contents; "#context" names it too.
  for (const char* topic : {"", "extract", "compare", "recordfile", "resultfile", "menus", "messages", "helpwindow",
                            "#context"}) {
    doc.resetPageSettings();
    doc.setCurName(topic);
    const RenderResult r = doc.render(canvas, work);
    ASSERT_TRUE(r.ok) << topic << ": " << describe(r.failure) << " at " << r.failurePosition;
    if (*topic == '\0') {
      EXPECT_NE(r.plainText.find("Quorvane ヘルプ"), std::string::npos);
      EXPECT_EQ(r.plainText.find("ボタンを押します"), std::string::npos);  // it stops at its end-of-topic comment
      for (const LinkRegion& link : doc.links()) {
        EXPECT_GT(link.X2, link.X1) << link.Target;  // clickable
        contentsLinks.insert(link.Target);
      }
    } else if (*topic != '#') {
      EXPECT_GT(r.plainText.size(), 100u) << topic;
      EXPECT_NE(r.plainText.find("目次へ戻る"), std::string::npos) << topic;
      EXPECT_EQ(r.plainText.find("Quorvane ヘルプ\r\n"), std::string::npos) << topic;
      bool linksBack = false;
      for (const LinkRegion& link : doc.links()) linksBack |= link.Target == "#context" && link.X2 > 0;
      EXPECT_TRUE(linksBack) << topic;
    }
  }
  for (const char* topic : {"extract", "compare", "recordfile", "resultfile", "menus", "messages", "helpwindow"})
    EXPECT_EQ(contentsLinks.count(std::string("#") + topic), 1u) << topic;
  EXPECT_EQ(doc.anchors().upperIndex(), 7);
}
