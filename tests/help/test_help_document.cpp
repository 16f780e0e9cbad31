#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/basDirUtil.h"
#include "help/fixed_surface.h"
#include "help/help_document.h"

using namespace quorvane::help;

TEST(ScrollSettings, ChangesFollowTheMaximum) {
  // 15 twips per pixel: an overflow of 225 twips is a maximum of 15.
  ScrollSettings s = computeScrollSettings(1225, 1000, 15);
  EXPECT_TRUE(s.enabled);
  EXPECT_EQ(s.maximum, 15);
  EXPECT_EQ(s.largeChange, 1);
  EXPECT_EQ(s.smallChange, 1);
  s = computeScrollSettings(2500, 1000, 15);
  EXPECT_EQ(s.maximum, 100);
  EXPECT_EQ(s.largeChange, 10);
  EXPECT_EQ(s.smallChange, 2);
  // Shorter than the frame, or at most one pixel taller: no scrolling.
  EXPECT_FALSE(computeScrollSettings(800, 1000, 15).enabled);
  EXPECT_FALSE(computeScrollSettings(1015, 1000, 15).enabled);
  EXPECT_TRUE(computeScrollSettings(1016, 1000, 15).enabled);
}

TEST(HelpDocument, CurNameRoundTrip) {
  HelpDocument doc;
  doc.setCurName("#topic");
  EXPECT_EQ(doc.curName(), "#topic");
  EXPECT_EQ(doc.topicName(), "topic");
  doc.setCurName("plain");
  EXPECT_EQ(doc.curName(), "#plain");
  doc.setCurName("");
  EXPECT_EQ(doc.curName(), "#");
}

// A path written with "/" in the platform's own separator.
std::string P(std::string path) {
  for (char& c : path)
    if (c == '/') c = quorvane::basDirUtil::kSeparator;
  return path;
}

TEST(HelpDocument, InternetAddressesStayPending) {
  HelpDocument doc;
  doc.setHtmlFile(P("/help/main.htm"));
  for (const char* address : {"http://example.org/", "HTTPS://example.org", "ftp://x", "FTP://y",
                              "mailto:someone@example.org"}) {
    doc.setHtmlFile(address);
    EXPECT_EQ(doc.htmlFile(), P("/help/main.htm")) << address;
    EXPECT_TRUE(doc.hasPendingAddress());
    EXPECT_EQ(doc.takePendingAddress(), address);
    EXPECT_FALSE(doc.hasPendingAddress());
  }
  EXPECT_FALSE(isInternetAddress("httpfile.htm"));
}

TEST(HelpDocument, FileNamesAndTheHelpFolder) {
  HelpDocument doc;
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
}

TEST(HelpDocument, EntryIndexFollowsTheTopicForNextAndBack) {
  const auto path = std::filesystem::path(QUORVANE_BINARY_DIR) / "help_document_test.htm";
  std::ofstream(path, std::ios::binary) << "<BODY>\r\n<A NAME=a></A>A<!--zqHTML.EndOfTopic-->\r\n"
                                           "<A NAME=b></A>B<!--zqHTML.EndOfTopic-->\r\n"
                                           "<A NAME=c></A>C<!--zqHTML.EndOfTopic-->\r\n";
  HelpDocument doc;
  doc.setHtmlFile(path.string());
  ASSERT_TRUE(doc.load(true));
  FixedMetricsSurface canvas(6000, 3000), work(6000, 3000);
  doc.setCurName("c");
  ASSERT_TRUE(doc.render(canvas, work).ok);
  EXPECT_EQ(doc.plainText(), "C");
  EXPECT_EQ(doc.currentEntry(), 2);
  EXPECT_FALSE(doc.nextTopic().has_value());
  EXPECT_EQ(doc.previousTopic().value_or(""), "b");
  doc.setCurName("a");
  ASSERT_TRUE(doc.render(canvas, work).ok);
  EXPECT_EQ(doc.currentEntry(), 0);
  EXPECT_FALSE(doc.previousTopic().has_value());
  EXPECT_EQ(doc.nextTopic().value_or(""), "b");
  // Setting a file empties the anchors and starts again at the first entry.
  doc.setHtmlFile(path.string());
  EXPECT_EQ(doc.anchors().upperIndex(), -1);
  EXPECT_FALSE(doc.nextTopic().has_value());
}

TEST(HelpDocument, FontSizeValues) {
  HelpDocument doc;
  doc.setFontSize(1);
  EXPECT_DOUBLE_EQ(doc.displayScale(), 0.8);
  doc.setFontSize(7);
  EXPECT_DOUBLE_EQ(doc.displayScale(), 0.8);
  doc.setFontSize(2);
  EXPECT_DOUBLE_EQ(doc.displayScale(), 1.3);
  doc.setFontSize(0);
  EXPECT_DOUBLE_EQ(doc.displayScale(), 1.0);
}
