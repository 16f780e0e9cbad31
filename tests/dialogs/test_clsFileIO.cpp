#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "support/files.h"
#include "support/temp_folder.h"
#include "dialogs/clsFileIO.h"
#include "dialogs/file_error.h"

namespace quorvane {
namespace {

using testsupport::readText;
using testsupport::TempFolder;

// The number of the error that `action` raises (0 for none); `description` gets its text.
std::uint32_t numberRaised(const std::function<void()>& action, std::string* description = nullptr) {
  try {
    action();
  } catch (const FileIOError& e) {
    EXPECT_EQ(e.Source, "clsFileIO");
    if (description) *description = e.Description;
    return e.Number;
  }
  return 0;
}

// An object of `mode` on `path`, opened.
void open(clsFileIO& io, const std::string& path, std::int16_t mode) {
  io.setFileName(path);
  io.setOpenMode(mode);
  ASSERT_TRUE(io.FileOpen());
}

TEST(clsFileIO, StartsClosedAndMisuseRaisesNumberedErrors) {
  TempFolder dir;
  clsFileIO io;
  EXPECT_EQ(io.FileName(), "");
  EXPECT_EQ(io.OpenMode() + io.FileHndl() + io.Error(), 0);
  EXPECT_TRUE(io.EndOfFile());
  EXPECT_FALSE(io.FileOpen());  // no file name: nothing changes
  EXPECT_EQ(io.Error(), 0);
  io.setFileName(dir.at("x.txt"));
  EXPECT_FALSE(io.FileOpen());  // no mode
  EXPECT_EQ(io.Error(), fileError::kUnknown);

  EXPECT_EQ(numberRaised([&] { io.setOpenMode(0); }), 0x80040001u);
  EXPECT_EQ(numberRaised([&] { io.setOpenMode(3); }), 0x80040001u);
  std::string description;
  EXPECT_EQ(numberRaised([&] { io.setOpenMode(7); }, &description), 0x80040001u);
  EXPECT_EQ(description, "OpenMode Property へ不正な値が代入された");
  open(io, dir.at("a.txt"), clsFileIO::kOutput);
  EXPECT_GT(io.FileHndl(), 0);
  EXPECT_FALSE(io.FileOpen());  // twice
  EXPECT_EQ(numberRaised([&] { io.setOpenMode(clsFileIO::kInput); }), 0x80040002u);
  EXPECT_EQ(numberRaised([&] { io.OutPutData("x", 10); }), 0x80040003u);
  EXPECT_EQ(numberRaised([&] { io.OutPutData("x", -1); }), 0x80040003u);
  std::string v;
  EXPECT_EQ(numberRaised([&] { io.InputData(v, 2); }), 0x80040004u);
  EXPECT_TRUE(io.FileClose());
  EXPECT_EQ(io.OpenMode() + io.FileHndl(), 0);
}

// Each ending kind formats the value; kind 3 continues the line, so three values without
// an end and one with it make one line. An object going away closes and keeps its file.
TEST(clsFileIO, OutputKindsFormatTheValue) {
  TempFolder dir;
  {
    clsFileIO io;
    open(io, dir.at("kinds.txt"), clsFileIO::kOutput);
    for (int kind = 0; kind <= 9; ++kind) ASSERT_TRUE(io.OutPutData("v", kind));
    ASSERT_TRUE(io.OutPutData());  // an empty line
    for (const char* value : {"a", "b", "c"}) io.OutPutData(value, 3);
    io.OutPutData("d", 0);
  }
  EXPECT_EQ(readText(dir.at("kinds.txt")), "v\r\n'v'\r\n\"v\"\r\nv'v'\"v\"v v,'v' \"v\",\r\nabcd\r\n");
}

TEST(clsFileIO, WritesShiftJisAndRefusesTextItCannotHold) {
  TempFolder dir;
  const std::string path = dir.write("sjis.txt", "previous");
  clsFileIO io;
  open(io, path, clsFileIO::kOutput);
  EXPECT_TRUE(io.OutPutData("日本"));
  EXPECT_FALSE(io.OutPutData("€"));  // never written as "?"
  EXPECT_FALSE(io.FileClose());
  EXPECT_EQ(readText(path), "previous");  // the failed file did not replace it
  EXPECT_EQ(dir.count(), 1u);

  io.setEncoding(FileTextEncoding::Utf8WithBom);
  open(io, path, clsFileIO::kOutput);
  EXPECT_TRUE(io.OutPutData("€"));
  EXPECT_TRUE(io.FileClose());
  EXPECT_EQ(readText(path), "\xEF\xBB\xBF\xE2\x82\xAC\r\n");
}

TEST(clsFileIO, ReadsLinesAndCommaItemsInBothEncodings) {
  TempFolder dir;
  for (const std::string& bytes : {std::string("\x93\xfa\x96\x7b\r\n a , \"b,c\" ,d\rlast"),
                                   std::string("\xEF\xBB\xBF日本\n a , \"b,c\" ,d\r\nlast\r\n")}) {
    clsFileIO io;
    open(io, dir.write("in.txt", bytes), clsFileIO::kInput);
    EXPECT_FALSE(io.EndOfFile());
    std::string v;
    const std::pair<int, const char*> items[] = {{0, "日本"}, {1, "a"}, {1, "b,c"}, {1, "d"}, {0, "last"}};
    for (const auto& [kind, expected] : items) {
      ASSERT_TRUE(io.InputData(v, kind));
      EXPECT_EQ(v, expected);
    }
    EXPECT_TRUE(io.EndOfFile());
    EXPECT_FALSE(io.InputData(v));
    EXPECT_TRUE(io.FileClose());
    EXPECT_TRUE(io.EndOfFile());
  }
}

TEST(clsFileIO, OpenFailuresAreClassified) {
  TempFolder dir;
  const std::string readOnly = dir.write("ro.txt", "keep");
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  const struct {
    std::string path;
    std::int16_t mode;
    int error;
  } rows[] = {{dir.at("missing/folder/out.txt"), clsFileIO::kOutput, fileError::kBadName},
              {readOnly, clsFileIO::kOutput, fileError::kReadOnly},
              {dir.at("absent.txt"), clsFileIO::kInput, fileError::kBadName}};
  for (const auto& row : rows) {
    clsFileIO io;
    io.setFileName(row.path);
    io.setOpenMode(row.mode);
    EXPECT_FALSE(io.FileOpen()) << row.path;
    EXPECT_EQ(io.Error(), row.error) << row.path;
  }
  EXPECT_EQ(readText(readOnly), "keep");
}

TEST(FileError, ClassifiesByCondition) {
  using namespace fileError;
  const std::tuple<int, bool, int> rows[] = {
      {EACCES, true, kReadOnly}, {EROFS, false, kReadOnly}, {EACCES, false, kLocked},  {EPERM, false, kLocked},
      {EBUSY, false, kLocked},   {ETXTBSY, false, kLocked}, {ENOENT, false, kBadName}, {ENOTDIR, false, kBadName},
      {ENAMETOOLONG, false, kBadName}, {ENXIO, false, kNotReady}, {ENODEV, false, kNotReady},
#if defined(ENOMEDIUM)
      {ENOMEDIUM, false, kNotReady},
#endif
      {ENOSPC, false, kUnknown}, {EISDIR, false, kUnknown}};
  for (const auto& [error, readOnly, expected] : rows) EXPECT_EQ(classifyOpenError(error, readOnly), expected) << error;
  EXPECT_STREQ(openErrorMessage(kReadOnly), "指定されたファイルは書き込み保護属性になっています");
  EXPECT_STREQ(openErrorMessage(kLocked), "ファイルはロックされています");
  EXPECT_STREQ(openErrorMessage(kBadName), "ファイル名が間違っています");
  EXPECT_STREQ(openErrorMessage(kNotReady), "指定されたドライブにディスクがありません");
  EXPECT_STREQ(openErrorMessage(kUnknown), "原因不明のエラーです");
}

}  // namespace
}  // namespace quorvane
