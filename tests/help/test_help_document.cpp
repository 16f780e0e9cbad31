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
