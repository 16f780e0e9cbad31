// The help document (names, folders, font sizes) and the program's own help file: strict
// code page 932 with CR LF lines, and every topic renders.
#include <gtest/gtest.h>

#include <set>

#include "common/basDirUtil.h"
#include "common/file_reader.h"
#include "common/sjis.h"
#include "help/fixed_surface.h"
#include "help/help_document.h"
#include "help/help_source.h"

using namespace quorvane;
using namespace quorvane::help;

namespace {
// A path written with "/" in the platform's own separator.
std::string P(std::string path) {
  for (char& c : path)
    if (c == '/') c = basDirUtil::kSeparator;
  return path;
}
}  // namespace

TEST(HelpDocument, NamesTopicsAndFontSizes) {
  HelpDocument doc;
  for (const auto& [set, cur] : {std::pair{"#topic", "#topic"}, {"plain", "#plain"}, {"", "#"}}) {
    doc.setCurName(set);
    EXPECT_EQ(doc.curName(), cur);
  }
  doc.setHtmlFile(P("/help/main.htm"));
  EXPECT_EQ(doc.helpFolder(), P("/help"));
  doc.setCurName("x");
  doc.setHtmlFile("other.htm");
  EXPECT_EQ(doc.htmlFile(), P("/help/other.htm"));
  EXPECT_EQ(doc.topicName(), "");
  doc.setHtmlFile("sub\\third.htm");  // written for the other separator
  EXPECT_EQ(doc.htmlFile(), P("/help/sub/third.htm"));
  EXPECT_EQ(doc.helpFolder(), P("/help/sub"));
  // A file that cannot be read: the previous name and folder come back.
  EXPECT_FALSE(doc.load(true));
  EXPECT_EQ(doc.htmlFile(), P("/help/other.htm"));
  EXPECT_EQ(doc.helpFolder(), P("/help"));
  // Internet addresses stay pending and leave the file alone.
  for (const char* address : {"http://example.org/", "HTTPS://example.org", "FTP://y", "mailto:someone@example.org"}) {
    doc.setHtmlFile(address);
    EXPECT_EQ(doc.htmlFile(), P("/help/other.htm")) << address;
    EXPECT_EQ(doc.takePendingAddress(), address);
    EXPECT_FALSE(doc.hasPendingAddress());
  }
  EXPECT_FALSE(isInternetAddress("httpfile.htm"));
  // Font size index in, display scale out; other values change nothing.
  for (const auto& [size, scale] : {std::pair{1, 0.8}, {7, 0.8}, {2, 1.3}, {0, 1.0}}) {
    doc.setFontSize(size);
    EXPECT_DOUBLE_EQ(doc.displayScale(), scale) << size;
  }
}

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
