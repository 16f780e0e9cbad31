#include <gtest/gtest.h>

#include "common/basDirUtil.h"
#include "help/fixed_surface.h"
#include "help/help_document.h"
#include "support_help_files.h"

using namespace quorvane::help;

// A path written with "/" in the platform's own separator.
std::string P(std::string path) {
  for (char& c : path)
    if (c == '/') c = quorvane::basDirUtil::kSeparator;
  return path;
}

TEST(ScrollSettings, ChangesFollowTheMaximum) {
  // 15 twips per pixel: an overflow of 225 twips is a maximum of 15. At most one pixel
  // taller than the frame: no scrolling.
  struct Case {
    long long canvas;
    bool enabled;
    int maximum, large, small;
  };
  const Case cases[] = {{1225, true, 15, 1, 1}, {2500, true, 100, 10, 2}, {800, false, 0, 1, 1}, {1015, false, 0, 1, 1},
                        {1016, true, 1, 1, 1}};
  for (const Case& c : cases) {
    const ScrollSettings s = computeScrollSettings(c.canvas, 1000, 15);
    EXPECT_EQ(std::make_tuple(s.enabled, s.maximum, s.largeChange, s.smallChange),
              std::make_tuple(c.enabled, c.maximum, c.large, c.small))
        << c.canvas;
  }
}

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

TEST(HelpDocument, EntryIndexFollowsTheTopicForNextAndBack) {
  const std::string path = quorvane::help::testing::writeHelpFile(
      "help_document_test.htm",
      "<BODY>\n<A NAME=a></A>A<!--zqHTML.EndOfTopic-->\n<A NAME=b></A>B<!--zqHTML.EndOfTopic-->\n"
      "<A NAME=c></A>C<!--zqHTML.EndOfTopic-->\n");
  HelpDocument doc;
  doc.setHtmlFile(path);
  ASSERT_TRUE(doc.load(true));
  FixedMetricsSurface canvas(6000, 3000), work(6000, 3000);
  doc.setCurName("c");
  ASSERT_TRUE(doc.render(canvas, work).ok);
  EXPECT_EQ(doc.plainText(), "C");
  EXPECT_EQ(std::tuple(doc.currentEntry(), doc.previousTopic().value_or("-"), doc.nextTopic().value_or("-")),
            std::tuple(2, "b", "-"));
  doc.setCurName("a");
  ASSERT_TRUE(doc.render(canvas, work).ok);
  EXPECT_EQ(std::tuple(doc.currentEntry(), doc.previousTopic().value_or("-"), doc.nextTopic().value_or("-")),
            std::tuple(0, "-", "b"));
  // Setting a file empties the anchors and starts again at the first entry.
  doc.setHtmlFile(path);
  EXPECT_EQ(doc.anchors().upperIndex(), -1);
  EXPECT_FALSE(doc.nextTopic().has_value());
}
