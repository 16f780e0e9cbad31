#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "support/entry_builder.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "dialogs/clsFileIO.h"
#include "dialogs/file_error.h"

namespace quorvane {
namespace {

using testsupport::readText;
using testsupport::TempFolder;
using testsupport::writeFile;

std::uint32_t numberRaised(const std::function<void()>& action) {
  try {
    action();
  } catch (const FileIOError& e) {
    EXPECT_EQ(e.Source, "clsFileIO");
    return e.Number;
  }
  return 0;
}

TEST(clsFileIO, StartsClosedWithEmptyProperties) {
  clsFileIO io;
  EXPECT_EQ(io.FileName(), "");
  EXPECT_EQ(io.OpenMode(), 0);
  EXPECT_EQ(io.FileHndl(), 0);
  EXPECT_EQ(io.Error(), 0);
  EXPECT_TRUE(io.EndOfFile());
  EXPECT_FALSE(io.FileOpen());  // no file name: nothing changes
  EXPECT_EQ(io.Error(), 0);
}

TEST(clsFileIO, MisuseRaisesNumberedErrorsWithTheirTexts) {
  TempFolder dir;
  clsFileIO io;
  EXPECT_EQ(numberRaised([&] { io.setOpenMode(0); }), 0x80040001u);
  EXPECT_EQ(numberRaised([&] { io.setOpenMode(3); }), 0x80040001u);
  try {
    io.setOpenMode(7);
  } catch (const FileIOError& e) {
    EXPECT_EQ(e.Description, "OpenMode Property へ不正な値が代入された");
  }
  io.setFileName(dir.at("a.txt"));
  io.setOpenMode(clsFileIO::kOutput);
  ASSERT_TRUE(io.FileOpen());
  EXPECT_GT(io.FileHndl(), 0);
  EXPECT_EQ(numberRaised([&] { io.setOpenMode(clsFileIO::kInput); }), 0x80040002u);
  EXPECT_EQ(numberRaised([&] { io.OutPutData("x", 10); }), 0x80040003u);
  EXPECT_EQ(numberRaised([&] { io.OutPutData("x", -1); }), 0x80040003u);
  std::string v;
  EXPECT_EQ(numberRaised([&] { io.InputData(v, 2); }), 0x80040004u);
  EXPECT_TRUE(io.FileClose());
  EXPECT_EQ(io.OpenMode(), 0);
  EXPECT_EQ(io.FileHndl(), 0);
}

TEST(clsFileIO, OutputKindsFormatTheValue) {
  TempFolder dir;
  clsFileIO io;
  io.setFileName(dir.at("kinds.txt"));
  io.setOpenMode(clsFileIO::kOutput);
  ASSERT_TRUE(io.FileOpen());
  for (int kind = 0; kind <= 9; ++kind) ASSERT_TRUE(io.OutPutData("v", kind));
  ASSERT_TRUE(io.OutPutData());  // an empty line
  ASSERT_TRUE(io.FileClose());
  EXPECT_EQ(readText(dir.at("kinds.txt")),
            "v\r\n'v'\r\n\"v\"\r\nv'v'\"v\"v v,'v' \"v\",\r\n");
}

TEST(clsFileIO, ThreeValuesWithoutEndThenOneWithEndMakeOneLine) {
  TempFolder dir;
  clsFileIO io;
  io.setFileName(dir.at("line.txt"));
  io.setOpenMode(clsFileIO::kOutput);
  ASSERT_TRUE(io.FileOpen());
  io.OutPutData("a", 3);
  io.OutPutData("b", 3);
  io.OutPutData("c", 3);
  io.OutPutData("d", 0);
  ASSERT_TRUE(io.FileClose());
  EXPECT_EQ(readText(dir.at("line.txt")), "abcd\r\n");
}

TEST(clsFileIO, WritesShiftJisAndRefusesTextItCannotHold) {
  TempFolder dir;
  const std::string path = dir.at("sjis.txt");
  writeFile(path, "previous");
  clsFileIO io;
  io.setFileName(path);
  io.setOpenMode(clsFileIO::kOutput);
  ASSERT_TRUE(io.FileOpen());
  EXPECT_TRUE(io.OutPutData("日本"));
  EXPECT_FALSE(io.OutPutData("€"));  // never written as "?"
  EXPECT_FALSE(io.FileClose());
  EXPECT_EQ(readText(path), "previous");  // the failed file did not replace it
  EXPECT_EQ(dir.count(), 1u);

  io.setOpenMode(clsFileIO::kOutput);
  io.setEncoding(FileTextEncoding::Utf8WithBom);
  ASSERT_TRUE(io.FileOpen());
  EXPECT_TRUE(io.OutPutData("€"));
  EXPECT_TRUE(io.FileClose());
  EXPECT_EQ(readText(path), "\xEF\xBB\xBF\xE2\x82\xAC\r\n");
}

TEST(clsFileIO, ReadsLinesAndCommaItemsInBothEncodings) {
  TempFolder dir;
  for (const std::string& bytes : {std::string("\x93\xfa\x96\x7b\r\n a , \"b,c\" ,d\rlast"),
                                   std::string("\xEF\xBB\xBF日本\n a , \"b,c\" ,d\r\nlast\r\n")}) {
    writeFile(dir.at("in.txt"), bytes);
    clsFileIO io;
    io.setFileName(dir.at("in.txt"));
    io.setOpenMode(clsFileIO::kInput);
    ASSERT_TRUE(io.FileOpen());
    EXPECT_FALSE(io.EndOfFile());
    std::string v;
    ASSERT_TRUE(io.InputData(v));
    EXPECT_EQ(v, "日本");
    ASSERT_TRUE(io.InputData(v, 1));
    EXPECT_EQ(v, "a");
    ASSERT_TRUE(io.InputData(v, 1));
    EXPECT_EQ(v, "b,c");
    ASSERT_TRUE(io.InputData(v, 1));
    EXPECT_EQ(v, "d");
    ASSERT_TRUE(io.InputData(v, 0));
    EXPECT_EQ(v, "last");
    EXPECT_TRUE(io.EndOfFile());
    EXPECT_FALSE(io.InputData(v));
    EXPECT_TRUE(io.FileClose());
    EXPECT_TRUE(io.EndOfFile());
  }
}

TEST(clsFileIO, OpenFailuresAreClassified) {
  TempFolder dir;
  clsFileIO io;
  io.setFileName(dir.at("missing/folder/out.txt"));
  io.setOpenMode(clsFileIO::kOutput);
  EXPECT_FALSE(io.FileOpen());
  EXPECT_EQ(io.Error(), fileError::kBadName);

  const std::string readOnly = dir.at("ro.txt");
  writeFile(readOnly, "keep");
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  io.setFileName(readOnly);
  EXPECT_FALSE(io.FileOpen());
  EXPECT_EQ(io.Error(), fileError::kReadOnly);
  EXPECT_EQ(readText(readOnly), "keep");

  io.setOpenMode(clsFileIO::kInput);
  io.setFileName(dir.at("absent.txt"));
  EXPECT_FALSE(io.FileOpen());
  EXPECT_EQ(io.Error(), fileError::kBadName);
}

TEST(clsFileIO, OpeningWithoutModeOrTwiceIsRefused) {
  TempFolder dir;
  clsFileIO io;
  io.setFileName(dir.at("x.txt"));
  EXPECT_FALSE(io.FileOpen());
  EXPECT_EQ(io.Error(), fileError::kUnknown);
  io.setOpenMode(clsFileIO::kOutput);
  ASSERT_TRUE(io.FileOpen());
  EXPECT_FALSE(io.FileOpen());
  EXPECT_TRUE(io.FileClose());
}

TEST(clsFileIO, DestructionClosesAndKeepsTheFile) {
  TempFolder dir;
  {
    clsFileIO io;
    io.setFileName(dir.at("t.txt"));
    io.setOpenMode(clsFileIO::kOutput);
    ASSERT_TRUE(io.FileOpen());
    io.OutPutData("kept");
  }
  EXPECT_EQ(readText(dir.at("t.txt")), "kept\r\n");
}

TEST(FileError, ClassifiesByCondition) {
  using namespace fileError;
  EXPECT_EQ(classifyOpenError(EACCES, true), kReadOnly);
  EXPECT_EQ(classifyOpenError(EROFS, false), kReadOnly);
  EXPECT_EQ(classifyOpenError(EACCES, false), kLocked);
  EXPECT_EQ(classifyOpenError(EPERM, false), kLocked);
  EXPECT_EQ(classifyOpenError(EBUSY, false), kLocked);
  EXPECT_EQ(classifyOpenError(ETXTBSY, false), kLocked);
  EXPECT_EQ(classifyOpenError(ENOENT, false), kBadName);
  EXPECT_EQ(classifyOpenError(ENOTDIR, false), kBadName);
  EXPECT_EQ(classifyOpenError(ENAMETOOLONG, false), kBadName);
  EXPECT_EQ(classifyOpenError(ENXIO, false), kNotReady);
  EXPECT_EQ(classifyOpenError(ENODEV, false), kNotReady);
#if defined(ENOMEDIUM)
  EXPECT_EQ(classifyOpenError(ENOMEDIUM, false), kNotReady);
#endif
  EXPECT_EQ(classifyOpenError(ENOSPC, false), kUnknown);
  EXPECT_EQ(classifyOpenError(EISDIR, false), kUnknown);
  EXPECT_STREQ(openErrorMessage(kReadOnly), "指定されたファイルは書き込み保護属性になっています");
  EXPECT_STREQ(openErrorMessage(kLocked), "ファイルはロックされています");
  EXPECT_STREQ(openErrorMessage(kBadName), "ファイル名が間違っています");
  EXPECT_STREQ(openErrorMessage(kNotReady), "指定されたドライブにディスクがありません");
  EXPECT_STREQ(openErrorMessage(kUnknown), "原因不明のエラーです");
}

}  // namespace
}  // namespace quorvane
