#include "extraction/basDecompress.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

#include "common/basDirUtil.h"
#include "common/file_reader.h"
#include "common/platform.h"
#include "extraction/szdd.h"

namespace quorvane::basDecompress {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCopyChunk = 1 << 20;

// A file written under a temporary name next to its final place. Unless committed, it
// is removed when the writer goes away, so nothing half-written ever stays behind.
class TempFileWriter {
 public:
  explicit TempFileWriter(const std::string& folder, std::string_view name) {
    std::random_device seed;
    std::mt19937 gen(seed());
    for (int attempt = 0; attempt < 16 && !m_file; ++attempt) {
      m_path = folder + "." + std::string(name) + "." + std::to_string(gen() % 1000000000) + ".tmp";
      m_file = platform::openFile(m_path, "wbx");  // never opens an existing file
    }
  }
  ~TempFileWriter() {
    if (m_file) std::fclose(m_file);
    if (!m_committed && !m_path.empty()) {
      std::error_code ec;
      fs::remove(fs::u8path(m_path), ec);
    }
  }
  TempFileWriter(const TempFileWriter&) = delete;
  TempFileWriter& operator=(const TempFileWriter&) = delete;

  bool isOpen() const { return m_file != nullptr; }

  bool write(const std::uint8_t* data, std::size_t size) {
    return m_file && (size == 0 || std::fwrite(data, 1, size, m_file) == size);
  }

  // Closes the file and renames it to `target`, replacing what was there.
  bool commit(const std::string& target) {
    if (!m_file) return false;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!closed) return false;
    if (platform::replaceFile(m_path, target) != 0) return false;
    m_committed = true;
    return true;
  }

 private:
  std::string m_path;
  std::FILE* m_file = nullptr;
  bool m_committed = false;
};

bool sameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(fs::u8path(a), fs::u8path(b), ec) && !ec;
}

// Removes an older file at the target's place after a failed expansion, unless that
// file is the source itself.
void removeStale(const std::string& target, std::string_view source) {
  std::error_code ec;
  const fs::path t = fs::u8path(target);
  const auto status = fs::symlink_status(t, ec);
  if (ec || !fs::exists(status) || fs::is_directory(status)) return;
  if (sameFile(target, std::string(source))) return;
  fs::remove(t, ec);
}

ExpandError writeExpanded(FileReader& in, TempFileWriter& out) {
  std::vector<std::uint8_t> bytes;
  if (in.size() > szdd::kMaxExpandedSize) return ExpandError::CorruptSource;
  if (!in.readAt(0, static_cast<std::size_t>(in.size()), bytes)) return ExpandError::SourceUnreadable;
  const szdd::DecodeResult decoded = szdd::decode(bytes);
  if (!decoded.ok()) return ExpandError::CorruptSource;
  return out.write(decoded.data.data(), decoded.data.size()) ? ExpandError::None
                                                              : ExpandError::TargetUnwritable;
}

ExpandError writeCopy(FileReader& in, TempFileWriter& out) {
  std::vector<std::uint8_t> chunk;
  for (std::uint64_t at = 0; at < in.size(); at += chunk.size()) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, in.size() - at));
    if (!in.readAt(at, n, chunk)) return ExpandError::SourceUnreadable;
    if (!out.write(chunk.data(), chunk.size())) return ExpandError::TargetUnwritable;
  }
  return ExpandError::None;
}

ExpandError expandInto(FileReader& in, std::string_view source, const std::string& folder,
                       std::string_view name) {
  const std::string target = folder + std::string(name);
  std::vector<std::uint8_t> head;
  const auto headSize = static_cast<std::size_t>(std::min<std::uint64_t>(szdd::kHeaderSize, in.size()));
  if (!in.readAt(0, headSize, head)) return ExpandError::SourceUnreadable;
  const bool compressed = szdd::hasSignature(head);
  if (sameFile(std::string(source), target)) {
    // Copying a plain file onto itself changes nothing; writing would only risk it. A
    // compressed file expanded onto itself would be lost, so that is refused.
    return compressed ? ExpandError::TargetUnwritable : ExpandError::None;
  }

  TempFileWriter out(folder, name);
  if (!out.isOpen()) return ExpandError::TargetUnwritable;
  const ExpandError e = compressed ? writeExpanded(in, out) : writeCopy(in, out);
  if (e != ExpandError::None) return e;
  if (!out.commit(target)) return ExpandError::TargetUnwritable;
  // The copy carries the date of the distributed file, not the moment of expansion, so
  // that two expansions of the same file compare as equal.
  platform::copyWriteTime(std::string(source), target);
  return ExpandError::None;
}

}  // namespace

ExpandError ExpandFileChecked(std::string_view source, std::string_view folder, std::string_view name) {
  const std::string base = basDirUtil::AddOrRemoveSlash(folder, 1);
  const std::string target = base + std::string(name);
  if (base.empty() || name.empty()) return ExpandError::FolderUnavailable;
  FileReader in;
  if (!in.open(std::string(source))) {
    removeStale(target, source);
    return ExpandError::SourceUnreadable;
  }
  if (!basDirUtil::MakeFolderPath(base)) return ExpandError::FolderUnavailable;
  const ExpandError e = expandInto(in, source, base, name);
  if (e != ExpandError::None) removeStale(target, source);
  return e;
}

bool ExpandFile(std::string_view source, std::string_view folder, std::string_view name) {
  return ExpandFileChecked(source, folder, name) == ExpandError::None;
}

std::string TempFolder() { return platform::tempFolder(); }

std::string SystemFolder() { return platform::systemFolder(); }

std::string ExpandedFileName(std::string_view fileName) {
  static constexpr std::pair<const char*, const char*> kMap[] = {
      {"DL_", "DLL"}, {"EX_", "EXE"}, {"OC_", "OCX"}, {"TL_", "TLB"}, {"OL_", "OLB"}};
  const std::string name = basDirUtil::FileNamePart(fileName);
  if (name.find('.') == std::string::npos) return name;
  const std::string ext = basDirUtil::ConvertSingleByteCase(basDirUtil::ExtensionPart(name), 1);
  for (const auto& [compressed, expanded] : kMap)
    if (ext == compressed) return basDirUtil::BaseNamePart(name) + "." + expanded;
  return name;
}

const char* describe(ExpandError error) {
  switch (error) {
    case ExpandError::None: return "展開しました";
    case ExpandError::SourceUnreadable: return "元のファイルを読み込めません";
    case ExpandError::FolderUnavailable: return "展開先フォルダーを作成できません";
    case ExpandError::CorruptSource: return "圧縮ファイルが壊れています";
    case ExpandError::TargetUnwritable: return "展開先ファイルに書き込めません";
  }
  return "不明なエラーです";
}

}  // namespace quorvane::basDecompress
