#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "help/anchor_table.h"
#include "help/help_render.h"
#include "help/html_text.h"
#include "help/link_region.h"

namespace quorvane::help {

// True for the addresses the help hands to the desktop instead of reading them:
// "http:", "https:", "ftp:" and "mailto:", without regard to case.
bool isInternetAddress(std::string_view target);

// The scroll bar of a page: enabled when the page is more than one pixel taller than
// the frame; one scroll unit is one screen pixel.
struct ScrollSettings {
  bool enabled = false;
  int maximum = 0;
  int largeChange = 1;
  int smallChange = 1;
};
ScrollSettings computeScrollSettings(long long canvasHeight, long long frameHeight, int twipsPerPixelY);

// What the help renderer knows about its file apart from the surfaces: the help file and
// folder, a pending internet address, the source text, the topic, the anchors met so far,
// the page settings and the result of the last pass.
class HelpDocument {
 public:
  // A help file name, or an internet address that is kept pending. Relative names are
  // taken from the folder of the current help file.
  void setHtmlFile(const std::string& name);
  const std::string& htmlFile() const { return m_file; }
  const std::string& helpFolder() const { return m_folder; }

  bool hasPendingAddress() const { return !m_pendingAddress.empty(); }
  std::string takePendingAddress();

  // Topic name: "#" is removed when setting and put in front when reading.
  void setCurName(const std::string& name);
  std::string curName() const { return "#" + m_topic; }
  const std::string& topicName() const { return m_topic; }

  // Reads the file when asked or not yet loaded. On failure the previous file name is
  // restored and false returned.
  bool load(bool reload);
  bool isLoaded() const { return m_loaded; }

  // Runs a pass over the loaded text.
  RenderResult render(HelpSurface& canvas, HelpSurface& work);

  // Display scale: 0 -> 1.0, 1 -> 0.8, 2 -> 1.3; other values change nothing.
  void setFontSize(int value);
  double displayScale() const { return m_settings.displayScale; }
  void setEnableDispEnd(bool on) { m_settings.enableDispEnd = on; }
  bool enableDispEnd() const { return m_settings.enableDispEnd; }

  // The page defaults that every pass starts from.
  void resetPageSettings();
  const PageColors& pageColors() const { return m_settings.colors; }

  const AnchorTable& anchors() const { return m_anchors; }
  std::vector<LinkRegion>& links() { return m_links; }
  const std::vector<LinkRegion>& links() const { return m_links; }
  const std::string& plainText() const { return m_plainText; }

  // The anchor row the displayed topic belongs to; GoNext and GoBack step from it.
  std::int32_t currentEntry() const { return m_currentEntry; }
  std::optional<std::string> nextTopic() const;
  std::optional<std::string> previousTopic() const;

 private:
  std::string m_file;
  std::string m_previousFile;
  std::string m_previousFolder;
  std::string m_folder;
  std::string m_pendingAddress;
  Text m_source;
  bool m_loaded = false;
  std::string m_topic;
  AnchorTable m_anchors;
  std::int32_t m_currentEntry = 0;
  std::vector<LinkRegion> m_links;
  RenderSettings m_settings;
  std::string m_plainText;
};

}  // namespace quorvane::help
