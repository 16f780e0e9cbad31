#include "extraction/basDecompress.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/basDirUtil.h"
#include "common/file_reader.h"
#include "common/platform.h"
#include "common/same_file.h"
#include "common/temp_file.h"
#include "extraction/szdd.h"

namespace quorvane::basDecompress {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCopyChunk = 1 << 20;

// Never more than the owner, group and others may read and write of the source, and
// never more than the user's file-creation mask allows: a copy of a private file stays
// private.
unsigned copyPermissions(std::string_view source) {
  std::error_code ec;
  const fs::file_status status = fs::status(fs::u8path(std::string(source)), ec);
  if (ec) return 0600;
  return static_cast<unsigned>(status.permissions()) & 0666u;
}

bool writeBytes(TempFile& out, const std::uint8_t* data, std::size_t size) {
  return out.isOpen() && (size == 0 || std::fwrite(data, 1, size, out.stream()) == size);
}

ExpandError writeExpanded(FileReader& in, TempFile& out) {
  std::vector<std::uint8_t> bytes;
  if (in.size() > szdd::kMaxExpandedSize) return ExpandError::CorruptSource;
  if (!in.readAt(0, static_cast<std::size_t>(in.size()), bytes)) return ExpandError::SourceUnreadable;
  const szdd::DecodeResult decoded = szdd::decode(bytes);
  if (!decoded.ok()) return ExpandError::CorruptSource;
  return writeBytes(out, decoded.data.data(), decoded.data.size()) ? ExpandError::None
                                                                   : ExpandError::TargetUnwritable;
}

ExpandError writeCopy(FileReader& in, TempFile& out) {
  std::vector<std::uint8_t> chunk;
  for (std::uint64_t at = 0; at < in.size(); at += chunk.size()) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, in.size() - at));
    if (!in.readAt(at, n, chunk)) return ExpandError::SourceUnreadable;
    if (!writeBytes(out, chunk.data(), chunk.size())) return ExpandError::TargetUnwritable;
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
  if (quorvane::sameFile(source, target)) {
    // Copying a plain file onto itself changes nothing; writing would only risk it. A
    // compressed file expanded onto itself would be lost, so that is refused.
    return compressed ? ExpandError::TargetUnwritable : ExpandError::None;
  }

  // Written under a temporary name and renamed into place, so an older file of the
  // target's name stays whole until the new one is complete; on failure it stays as it was.
  TempFile out;
  if (!out.create(folder, copyPermissions(source), TempPermissions::Masked)) return ExpandError::TargetUnwritable;
  const ExpandError e = compressed ? writeExpanded(in, out) : writeCopy(in, out);
  if (e != ExpandError::None) return e;
  if (!out.placeAs(target, false)) return ExpandError::TargetUnwritable;
  // The copy carries the date of the distributed file, not the moment of expansion, so
  // that two expansions of the same file compare as equal.
  platform::copyWriteTime(std::string(source), target);
  return ExpandError::None;
}

}  // namespace

ExpandError ExpandFileChecked(std::string_view source, std::string_view folder, std::string_view name) {
  const std::string base = basDirUtil::AddOrRemoveSlash(folder, 1);
  if (base.empty() || name.empty()) return ExpandError::FolderUnavailable;
  // A source that is missing or a folder is reported as such, and nothing is touched.
  std::error_code ec;
  const fs::file_status status = fs::status(fs::u8path(std::string(source)), ec);
  if (status.type() == fs::file_type::not_found) return ExpandError::SourceMissing;
  if (fs::is_directory(status)) return ExpandError::SourceIsFolder;
  FileReader in;
  if (!in.open(std::string(source))) return ExpandError::SourceUnreadable;
  if (!basDirUtil::MakeFolderPath(base)) return ExpandError::FolderUnavailable;
  return expandInto(in, source, base, name);
}

bool ExpandFile(std::string_view source, std::string_view folder, std::string_view name) {
  return ExpandFileChecked(source, folder, name) == ExpandError::None;
}

std::string TempFolder() { return platform::tempFolder(); }

bool IsTempFolder(std::string_view folder) {
  const std::string temp = TempFolder();
  return !temp.empty() && quorvane::sameFile(folder, temp);
}

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
    case ExpandError::SourceMissing: return "元のファイルがありません";
    case ExpandError::SourceIsFolder: return "元のファイルではなくフォルダーです";
    case ExpandError::SourceUnreadable: return "元のファイルを読み込めません";
    case ExpandError::FolderUnavailable: return "展開先フォルダーを作成できません";
    case ExpandError::CorruptSource: return "圧縮ファイルが壊れています";
    case ExpandError::TargetUnwritable: return "展開先ファイルに書き込めません";
  }
  return "不明なエラーです";
}

}  // namespace quorvane::basDecompress
