#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/byte_reader.h"
#include "version/clsFixedFileInfo.h"
#include "version/clsStringFileInfo.h"
#include "version/version_error.h"
#include "version/version_reader.h"

namespace quorvane {

class VersionBlock;

// Reads the version resource of one file at a time into a fixed-information and a
// string-information object. One instance is meant to be reused for every file of a
// folder: each GetFileVersion call overwrites everything, and the buffers are kept.
class clsFileVersion {
 public:
  static constexpr std::int32_t kKeyCandidates = 10;

  clsFileVersion();
  ~clsFileVersion();
  clsFileVersion(const clsFileVersion&) = delete;
  clsFileVersion& operator=(const clsFileVersion&) = delete;

  // The Japanese label of a string item: 0 and 10 product version, 1 to 9 the other
  // standard values, 11 to 14 language and the extra names; empty for any other index.
  static std::string DescriptionString(std::int32_t index);

  // Reads the file's version information; true when there was some. `facts`, when
  // given, receives what platform::fileFacts would tell of the file, whenever it could be
  // opened (LastOpenError() None), from the look that opened it.
  bool GetFileVersion(const std::string& path, platform::FileFacts* facts = nullptr);

  // For a reader asked only for the file's two versions (the fixed one and the string
  // FileVersion): the other string values are then not looked up and stay empty, which
  // spares most of the work on a file with version information.
  void SetVersionsOnly(bool versionsOnly) { m_versionsOnly = versionsOnly; }

  // The string value `key` from the current string table. False, with `value` untouched,
  // when `key` is empty or the last file had no version information; false with `value`
  // emptied when the table has no such value.
  bool GetStringVersionInfo(const std::string& key, std::string& value) const;

  const std::string& FileName() const { return m_fileName; }
  const std::string& LanguageName() const { return m_languageName; }
  bool VerInfoAvailable() const { return m_verInfoAvailable; }
  const clsFixedFileInfo& FixedFileInfo();
  const clsStringFileInfo& StringFileInfo();

  // The string-table key in use: 4 + 4 upper-case hexadecimal digits, for example
  // 041104E4. Empty when the file has neither a translation table nor a string table.
  const std::string& CurrentKey() const { return m_currentKey; }
  // Key candidate 0 (the file's own key) to 9; empty for any other index.
  const std::string& KeyCandidate(std::int32_t index) const;
  // The version block of the last file (empty without version information).
  Bytes VersionBlockBytes() const { return Bytes(m_versionBlock.data(), m_versionBlock.size()); }
  // Why the last file had no version information (None when it had some).
  const VersionFault& LastFault() const { return m_lastFault; }
  // Why the last file could not be opened (None when it could), to tell a file that
  // cannot be read from one without version information.
  FileOpenError LastOpenError() const { return m_reader.openError(); }

 private:
  bool fail();
  void chooseOwnKey(const VersionBlock& block);
  bool lookUp(const VersionBlock& block, const std::string& key, const char* name, std::string& out) const;
  void readStrings(const VersionBlock& block);

  std::unique_ptr<clsFixedFileInfo> m_fixed;
  std::unique_ptr<clsStringFileInfo> m_strings;
  std::string m_fileName;
  std::string m_languageName;
  bool m_verInfoAvailable = false;
  bool m_versionsOnly = false;
  std::vector<std::uint8_t> m_versionBlock;
  std::string m_currentKey;
  std::array<std::string, kKeyCandidates> m_keyCandidates;
  VersionFileReader m_reader;
  VersionFault m_lastFault;
  mutable std::string m_path;  // value paths are composed here to avoid an allocation per query
};

}  // namespace quorvane
