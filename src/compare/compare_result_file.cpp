#include "compare/compare_result_file.h"

#include "common/local_stamp.h"
#include "common/platform.h"
#include "common/same_file.h"
#include "compare/computer_name.h"
#include "compare/record_format.h"
#include "dialogs/clsFileIO.h"
#include "dialogs/file_error.h"

namespace quorvane {

namespace {

using Output = std::function<bool(std::string_view, int)>;
constexpr int kLine = 0;     // value and line end
constexpr int kNoEnd = 3;    // value alone

// A non-negative number with the space that stands where a sign would.
std::string signedNumber(std::int64_t n) {
  std::string text = n >= 0 ? " " : "";
  text += std::to_string(n);
  return text;
}

bool writeNames(const ComparisonResult& r, CompareCategory category, const char* title, std::size_t count,
                const Output& out) {
  if (!out(std::string(title) + signedNumber(static_cast<std::int64_t>(count)), kLine)) return false;
  for (std::size_t k = 0; k < count; ++k)
    if (!out(r.entry(category, k).FullPath, kLine)) return false;
  return true;
}

// Two lines per updated file: the second side's values, then the first record's one
// column further right.
bool writeUpdated(const ComparisonResult& r, std::size_t count, const Output& out) {
  using recordFormat::fixed8;
  if (!out(";更新ファイル 総数：" + signedNumber(static_cast<std::int64_t>(count)), kLine)) return false;
  for (std::size_t k = 0; k < count; ++k) {
    const FileVersionEntry& now = r.Updated[k].Entry;
    const FileVersionEntry& old = *r.oldEntry(CompareCategory::Updated, k);
    const bool ok = out(now.FullPath + "\t", kNoEnd) && out(now.FixedVersion + "\t", kNoEnd) &&
                    out(std::to_string(now.Size) + "\t", kNoEnd) && out(fixed8(now.Date) + "\t", kNoEnd) &&
                    out(fixed8(now.Time), kLine) && out("\t", kNoEnd) && out("\t", kNoEnd) &&
                    out(old.FixedVersion + "\t", kNoEnd) && out(std::to_string(old.Size) + "\t", kNoEnd) &&
                    out(fixed8(old.Date) + "\t", kNoEnd) && out(fixed8(old.Time), kLine);
    if (!ok) return false;
  }
  return true;
}

}  // namespace

ResultFileHeader ResultFileHeader::now(std::string target1, std::string target2) {
  ResultFileHeader h;
  const LocalStamp stamp = localStampOf(platform::localNow());
  h.CreatedDate = stamp.date;
  h.CreatedTime = stamp.time;
  h.ComputerName = quorvane::ComputerName();
  h.Target1 = std::move(target1);
  h.Target2 = std::move(target2);
  return h;
}

const char* resultWriteMessage(const ResultWriteResult& result) {
  switch (result.Error) {
    case ResultWriteError::None: return "ファイル出力完了";
    case ResultWriteError::NoDestination: return "保存先ファイルが指定されていません";
    case ResultWriteError::CannotOpen: return fileError::openErrorMessage(result.FileError);
    case ResultWriteError::WriteFailed: return "ファイル出力でエラーが発生しました";
    case ResultWriteError::DestinationIsRecord: return "保存先ファイルは比較するバージョン記録ファイルです";
  }
  return "原因不明のエラーです";
}

ResultWriteResult checkResultDestination(const std::string& destination, const std::vector<std::string>& records) {
  ResultWriteResult out;
  for (const std::string& record : records)
    if (sameFile(destination, record)) out.Error = ResultWriteError::DestinationIsRecord;
  return out;
}

bool WriteCompareResult(const ComparisonResult& r, const ResultFileHeader& h, const Output& out) {
  // A view compares nothing: its file names no second side and lists no files.
  const bool view = r.ViewMode;
  auto n = [&](CompareCategory c) { return view ? std::size_t{0} : r.count(c); };
  const std::int64_t secondCount = view ? 0 : r.SecondCount;
  return out(";ファイルバージョン情報比較結果ファイル", kLine) &&
         out(std::string(recordFormat::kCreatedAt) + h.CreatedDate + " " + h.CreatedTime, kLine) &&
         out(std::string(recordFormat::kComputerName) + h.ComputerName, kLine) &&
         out(";比較対象1：" + h.Target1, kLine) &&
         out(";比較対象1のファイル総数：" + signedNumber(r.firstCount()), kLine) &&
         out(";比較対象2：" + h.Target2, kLine) &&
         out(";比較対象2のファイル総数：" + std::to_string(secondCount), kLine) && out("", kLine) &&
         writeNames(r, CompareCategory::Added, ";追加ファイル 総数：", n(CompareCategory::Added), out) &&
         out("", kLine) && writeUpdated(r, n(CompareCategory::Updated), out) && out("", kLine) &&
         writeNames(r, CompareCategory::Deleted, ";削除ファイル 総数：", n(CompareCategory::Deleted), out) &&
         out("", kLine) &&
         writeNames(r, CompareCategory::Unchanged, ";無変化ファイル 総数：", n(CompareCategory::Unchanged), out);
}

FileTextEncoding compareResultEncoding(const ComparisonResult& result, const ResultFileHeader& header) {
  bool fits = true;
  WriteCompareResult(result, header, [&](std::string_view value, int) {
    fits = fitsShiftJis(value);
    return fits;
  });
  return fits ? FileTextEncoding::ShiftJis : FileTextEncoding::Utf8WithBom;
}

ResultWriteResult OutputCompareResult(const ComparisonResult& result, const ResultFileHeader& header,
                                      const std::string& destination) {
  ResultWriteResult out;
  if (destination.empty()) {
    out.Error = ResultWriteError::NoDestination;
    return out;
  }
  out.Encoding = compareResultEncoding(result, header);
  clsFileIO file;
  file.setFileName(destination);
  file.setOpenMode(clsFileIO::kOutput);
  file.setEncoding(out.Encoding);
  if (!file.FileOpen()) {
    out.Error = ResultWriteError::CannotOpen;
    out.FileError = file.Error();
    return out;
  }
  const bool written = WriteCompareResult(result, header, [&](std::string_view value, int kind) {
    return file.OutPutData(value, kind);
  });
  if (!file.FileClose() || !written) {
    out.Error = ResultWriteError::WriteFailed;
    out.FileError = file.Error();
  }
  return out;
}

std::string FormatCompareResult(const ComparisonResult& result, const ResultFileHeader& header) {
  const FileTextEncoding encoding = compareResultEncoding(result, header);
  std::string bytes = encoding == FileTextEncoding::Utf8WithBom ? std::string(kUtf8Bom) : std::string();
  WriteCompareResult(result, header, [&](std::string_view value, int kind) {
    auto encoded = encodeText(clsFileIO::formatOutput(value, kind), encoding);
    if (!encoded) return false;
    bytes += *encoded;
    return true;
  });
  return bytes;
}

}  // namespace quorvane
