#include "version/clsFileVersion.h"

#include <array>

#include "common/ascii_case.h"
#include "version/file_date_time.h"
#include "version/language_names.h"
#include "version/version_block.h"
#include "version/version_text.h"

namespace quorvane {

namespace {

// Tried in this order after the file's own key. "1252" in keys 2, 5 and 8 is the code
// page field 0x1252 as written, not decimal 1252 (which 3, 6 and 9 carry as 04E4).
constexpr std::array<const char*, 9> kFixedKeys = {"041103A4", "04111252", "041104E4",
                                                   "08090000", "08091252", "080904E4",
                                                   "04090000", "04091252", "040904E4"};

constexpr std::array<const char*, 15> kDescriptions = {
    "製品バージョン", "コメント", "会社名", "説明", "ファイルバージョン",
    "内部名", "著作権", "商標", "正式ファイル名", "製品名",
    "製品バージョン", "言語", "OLESelfRegister", "PrivateBuild", "SpecialBuild"};

const std::string kEmpty;

}  // namespace

clsFileVersion::clsFileVersion() {
  for (std::size_t k = 0; k < kFixedKeys.size(); ++k) m_keyCandidates[k + 1] = kFixedKeys[k];
}

clsFileVersion::~clsFileVersion() = default;

std::string clsFileVersion::DescriptionString(std::int32_t index) {
  if (index < 0 || index >= static_cast<std::int32_t>(kDescriptions.size())) return {};
  return kDescriptions[static_cast<std::size_t>(index)];
}

const clsFixedFileInfo& clsFileVersion::FixedFileInfo() {
  if (!m_fixed) m_fixed = std::make_unique<clsFixedFileInfo>();
  return *m_fixed;
}

const clsStringFileInfo& clsFileVersion::StringFileInfo() {
  if (!m_strings) m_strings = std::make_unique<clsStringFileInfo>();
  return *m_strings;
}

const std::string& clsFileVersion::KeyCandidate(std::int32_t index) const {
  return index >= 0 && index < kKeyCandidates ? m_keyCandidates[static_cast<std::size_t>(index)] : kEmpty;
}

bool clsFileVersion::fail() {
  FixedFileInfo();
  StringFileInfo();
  m_languageName.clear();
  m_currentKey.clear();
  m_keyCandidates[0].clear();
  m_versionBlock.clear();
  m_fixed->clear();
  m_strings->clear();
  m_verInfoAvailable = false;
  return false;
}

bool clsFileVersion::GetFileVersion(const std::string& path, platform::FileFacts* facts) {
  m_fileName = path;
  m_lastFault = m_reader.read(path, m_versionBlock, nullptr, facts);
  if (!m_lastFault.ok()) return fail();
  const VersionBlock block(Bytes(m_versionBlock.data(), m_versionBlock.size()));
  const auto fixed = block.fixedFileInfo();
  if (!fixed) {
    m_lastFault = {VersionError::BadVersionBlock, 0, "fixed file information"};
    return fail();
  }
  FixedFileInfo();
  const std::uint64_t fileTime = (std::uint64_t{fixed->dateMS} << 32) | fixed->dateLS;
  m_fixed->store(*fixed, fileTimeToLocal(fileTime));

  chooseOwnKey(block);
  m_keyCandidates[0] = m_currentKey;
  std::string found;
  for (const std::string& candidate : m_keyCandidates) {
    if (!candidate.empty() && lookUp(block, candidate, "FileVersion", found)) {
      m_currentKey = candidate;
      break;
    }
  }
  readStrings(block);
  m_verInfoAvailable = true;
  return true;
}

// The file's own key comes from its first translation entry. Without a translation table
// the first string table's own key stands in, so a file that only has a table under an
// unusual key is still read.
void clsFileVersion::chooseOwnKey(const VersionBlock& block) {
  m_currentKey.clear();
  m_languageName.clear();
  if (const auto t = block.firstTranslation()) {
    versionText::appendHex4(t->language, m_currentKey);
    versionText::appendHex4(t->codePage, m_currentKey);
    m_languageName = languageName(t->language);
    return;
  }
  if (const auto key = block.firstStringTableKey()) {
    m_currentKey = asciiUpper(*key);
    std::uint16_t language = 0;
    if (versionText::parseHex4(m_currentKey, language)) m_languageName = languageName(language);
  }
}

bool clsFileVersion::lookUp(const VersionBlock& block, const std::string& key, const char* name,
                            std::string& out) const {
  m_path.assign("\\StringFileInfo\\");
  m_path += key;
  m_path += '\\';
  m_path += name;
  return block.queryString(m_path, out);
}

void clsFileVersion::readStrings(const VersionBlock& block) {
  constexpr std::int32_t kFileVersionItem = 4;
  StringFileInfo();
  for (std::int32_t i = 1; i <= clsStringFileInfo::kCount; ++i) {
    std::string& value = m_strings->item(i);
    if (m_currentKey.empty() || (m_versionsOnly && i != kFileVersionItem)) value.clear();
    else lookUp(block, m_currentKey, clsStringFileInfo::ValueName(i), value);
  }
}

bool clsFileVersion::GetStringVersionInfo(const std::string& key, std::string& value) const {
  if (key.empty() || !m_verInfoAvailable) return false;
  const VersionBlock block(Bytes(m_versionBlock.data(), m_versionBlock.size()));
  if (m_currentKey.empty() || !lookUp(block, m_currentKey, key.c_str(), value)) {
    value.clear();
    return false;
  }
  return true;
}

}  // namespace quorvane
