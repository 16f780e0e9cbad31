#include "help/help_document.h"

#include <cmath>

#include "common/basDirUtil.h"
#include "help/help_source.h"

namespace quorvane::help {

namespace {
bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  return basDirUtil::ConvertSingleByteCase(text.substr(0, prefix.size()), 2) == prefix;
}

bool isAbsolute(std::string_view path) {
  if (!path.empty() && (path.front() == '/' || path.front() == '\\')) return true;
  return path.size() >= 2 && path[1] == ':';
}
}  // namespace

bool isInternetAddress(std::string_view target) {
  // "https:" is accepted too: a secure address is no help file either.
  return startsWithNoCase(target, "http:") || startsWithNoCase(target, "https:") ||
         startsWithNoCase(target, "ftp:") || startsWithNoCase(target, "mailto:");
}

ScrollSettings computeScrollSettings(long long canvasHeight, long long frameHeight, int tppY) {
  ScrollSettings s;
  const long long overflow = canvasHeight - frameHeight;
  if (tppY < 1) tppY = 1;
  if (overflow <= tppY) return s;
  s.enabled = true;
  const long long maximum = std::llround(static_cast<double>(overflow) / tppY);
  s.maximum = static_cast<int>(std::min<long long>(maximum, 0x7FFFFFFF));
  s.largeChange = s.maximum / 10 >= 2 ? s.maximum / 10 : 1;
  s.smallChange = s.maximum / 50 >= 2 ? s.maximum / 50 : 1;
  return s;
}

void HelpDocument::setHtmlFile(const std::string& name) {
  if (isInternetAddress(name)) {
    m_pendingAddress = name;
    return;
  }
  m_previousFile = m_file;
  m_previousFolder = m_folder;
  std::string path = name;
  for (char& c : path)
    if (c == '/' || c == '\\') c = basDirUtil::kSeparator;
  const std::size_t sep = path.rfind(basDirUtil::kSeparator);
  if (sep != std::string::npos && (isAbsolute(path) || m_folder.empty())) {
    m_folder = path.substr(0, sep);
  } else if (!m_folder.empty()) {
    path = basDirUtil::AddOrRemoveSlash(m_folder, 1) + path;
    m_folder = path.substr(0, path.rfind(basDirUtil::kSeparator));
  }
  if (m_folder.empty() && sep == 0) m_folder = std::string(1, basDirUtil::kSeparator);
  m_file = path;
  m_topic.clear();
  m_loaded = false;
  m_anchors.clear();
  m_currentEntry = 0;
}

std::string HelpDocument::takePendingAddress() {
  std::string address = std::move(m_pendingAddress);
  m_pendingAddress.clear();
  return address;
}

void HelpDocument::setCurName(const std::string& name) {
  m_topic = (!name.empty() && name.front() == '#') ? name.substr(1) : name;
}

bool HelpDocument::load(bool reload) {
  if (!reload && m_loaded) return true;
  HelpSourceResult result = loadHelpSource(m_file);
  if (!result.ok()) {
    // The folder goes back with the name, so relative links keep working.
    m_file = m_previousFile;
    m_folder = m_previousFolder;
    return false;
  }
  m_source = std::move(result.text);
  return true;
}

void HelpDocument::resetPageSettings() {
  m_links.clear();
  m_settings.baseSizeIndex = 4;
  m_settings.colors = PageColors{};
}

RenderResult HelpDocument::render(HelpSurface& canvas, HelpSurface& work) {
  m_settings.topicName = m_topic;
  m_settings.helpFolder = m_folder;
  RenderResult result = RenderPage(m_source, m_settings, m_anchors, m_links, canvas, work);
  if (result.ok) {
    m_loaded = true;
    m_plainText = result.plainText;
    // The entry index follows the displayed topic, so that GoNext and GoBack step
    // through the anchors from the topic on screen.
    const std::int32_t row = m_topic.empty() ? 0 : m_anchors.indexOf(m_topic);
    if (row >= 0) m_currentEntry = row;
  }
  return result;
}

void HelpDocument::setFontSize(int value) {
  switch (value) {
    case 0: m_settings.displayScale = 1.0; break;
    case 1: m_settings.displayScale = 0.8; break;
    case 2: m_settings.displayScale = 1.3; break;
    default: break;
  }
}

std::optional<std::string> HelpDocument::nextTopic() const {
  if (m_currentEntry + 1 > m_anchors.upperIndex()) return std::nullopt;
  return m_anchors.at(m_currentEntry + 1).Name;
}

std::optional<std::string> HelpDocument::previousTopic() const {
  if (m_currentEntry <= 0 || m_currentEntry - 1 > m_anchors.upperIndex()) return std::nullopt;
  return m_anchors.at(m_currentEntry - 1).Name;
}

}  // namespace quorvane::help
