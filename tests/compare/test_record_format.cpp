#include <gtest/gtest.h>

#include "compare/record_format.h"

namespace quorvane::recordFormat {
namespace {

TEST(CheckComment, ClassifiesBlankCommentHeaderAndDataLines) {
  EXPECT_EQ(CheckComment(""), kIgnoreLine);
  EXPECT_EQ(CheckComment("    "), kIgnoreLine);
  EXPECT_EQ(CheckComment(";抽出先：C:\\TEST"), kIgnoreLine);
  EXPECT_EQ(CheckComment("plain text"), kIgnoreLine);
  EXPECT_EQ(CheckComment(";#FN,FV,SV,SZ,DTTM"), kColumnHeader);
  EXPECT_EQ(CheckComment(";#anything"), kColumnHeader);
  EXPECT_EQ(CheckComment(" ;#FN"), kIgnoreLine);  // the two characters must come first
  // A TAB anywhere makes a data row, whatever the first character.
  EXPECT_EQ(CheckComment(";a\tb"), kDataRow);
  EXPECT_EQ(CheckComment(";#FN\tFV"), kDataRow);
  EXPECT_EQ(CheckComment("\t"), kDataRow);
}

TEST(CheckColumnHeader, MatchesWholeLineExactly) {
  EXPECT_EQ(CheckColumnHeader(";#FN,FV,SV,SZ,DTTM"), RecordLayout::FiveColumn);
  EXPECT_EQ(CheckColumnHeader(";#FN,FV,SZ,DTTM"), RecordLayout::FourColumn);
  EXPECT_EQ(CheckColumnHeader(";#FN,FV,SV,SZ,DTTM "), RecordLayout::Unrecognised);
  EXPECT_EQ(CheckColumnHeader(";#fn,fv,sv,sz,dttm"), RecordLayout::Unrecognised);
  EXPECT_EQ(CheckColumnHeader(";#"), RecordLayout::Unrecognised);
}

TEST(ParseRecordLine, FiveColumnRow) {
  FileVersionEntry e;
  ASSERT_EQ(ParseRecordLine("sample1.dll\t4.71.1712.5\t4.00.2424 (Build)\t 2048 \t98/05/11 12:00:00",
                            RecordLayout::FiveColumn, e),
            RowSplit::Ok);
  EXPECT_EQ(e.FullPath, "sample1.dll");
  EXPECT_EQ(e.NamePos, 1);
  EXPECT_EQ(e.FixedVersion, "4.71.1712.5");
  EXPECT_EQ(e.StringVersion, "4.00.2424 (Build)");  // spaces before the date column stay
  EXPECT_EQ(e.Size, 2048);
  EXPECT_EQ(e.Date, "98/05/11");
  EXPECT_EQ(e.Time, "12:00:00");
}

TEST(ParseRecordLine, EmptyVersionsKeepColumnsInPlace) {
  FileVersionEntry e;
  ASSERT_EQ(ParseRecordLine("sample2.exe\t\t\t 1024 \t97/12/01 09:05:30", RecordLayout::FiveColumn, e),
            RowSplit::Ok);
  EXPECT_EQ(e.FixedVersion, "");
  EXPECT_EQ(e.StringVersion, "");
  EXPECT_EQ(e.Size, 1024);
  EXPECT_EQ(e.Time, "09:05:30");
}

TEST(ParseRecordLine, FourColumnAndUnrecognisedStoreSecondColumnAsStringVersion) {
  for (auto layout : {RecordLayout::FourColumn, RecordLayout::Unrecognised}) {
    FileVersionEntry e;
    ASSERT_EQ(ParseRecordLine("a.dll\t1.2.3.4\t 77 \t98/05/11 12:00:00", layout, e), RowSplit::Ok);
    EXPECT_EQ(e.FixedVersion, "");
    EXPECT_EQ(e.StringVersion, "1.2.3.4");
    EXPECT_EQ(e.Size, 77);
    EXPECT_EQ(e.Date, "98/05/11");
  }
}

TEST(ParseRecordLine, FiveColumnRowReadAsFourColumnFailsOnTheSize) {
  FileVersionEntry e;
  EXPECT_EQ(ParseRecordLine("a.dll\t4.71\t4.71\t 2048 \t98/05/11 12:00:00", RecordLayout::FourColumn, e),
            RowSplit::BadSize);
  EXPECT_EQ(e.StringVersion, "4.71");  // filled before the failure and kept
}

TEST(ParseRecordLine, DateAndTimeAreCutOrPaddedToEightCharacters) {
  FileVersionEntry e;
  ASSERT_EQ(ParseRecordLine("a\t\t\t1\t1998/05/11 12:00:00.5\tx", RecordLayout::FiveColumn, e), RowSplit::Ok);
  EXPECT_EQ(e.Date, "1998/05/");
  EXPECT_EQ(e.Time, "12:00:00");
  ASSERT_EQ(ParseRecordLine("a\t\t\t1\t98/5/1 9:5", RecordLayout::FiveColumn, e), RowSplit::Ok);
  EXPECT_EQ(e.Date, "98/5/1  ");
  EXPECT_EQ(e.Time, "9:5     ");
  // Characters, not bytes: a double-byte date keeps 8 characters.
  ASSERT_EQ(ParseRecordLine("a\t\t\t1\t平成十年五月十一日 x", RecordLayout::FiveColumn, e), RowSplit::Ok);
  EXPECT_EQ(e.Date, "平成十年五月十一");
}

TEST(ParseRecordLine, TimeTakesTheRestOfTheLineTabsIncluded) {
  FileVersionEntry e;
  ASSERT_EQ(ParseRecordLine("a\t\t\t1\td t\tu", RecordLayout::FiveColumn, e), RowSplit::Ok);
  EXPECT_EQ(e.Time, "t\tu     ");
}

TEST(ParseRecordLine, MissingSeparatorsFail) {
  FileVersionEntry e;
  EXPECT_EQ(ParseRecordLine("a.dll", RecordLayout::FiveColumn, e), RowSplit::MissingTab);
  EXPECT_EQ(ParseRecordLine("a.dll\t1", RecordLayout::FiveColumn, e), RowSplit::MissingTab);
  EXPECT_EQ(ParseRecordLine("a.dll\t1\t2", RecordLayout::FiveColumn, e), RowSplit::MissingTab);
  EXPECT_EQ(ParseRecordLine("a.dll\t1\t2\t 3 ", RecordLayout::FiveColumn, e), RowSplit::MissingTab);
  EXPECT_EQ(ParseRecordLine("a.dll\t1\t2\t 3 \t98/05/11", RecordLayout::FiveColumn, e), RowSplit::MissingSpace);
  EXPECT_EQ(ParseRecordLine("a.dll\t1\t 3 ", RecordLayout::FourColumn, e), RowSplit::MissingTab);
  EXPECT_EQ(ParseRecordLine("a.dll\t1\t 3 \t98/05/11", RecordLayout::FourColumn, e), RowSplit::MissingSpace);
}

TEST(ParseSize, DecimalWithSurroundingSpacesIn64Bits) {
  EXPECT_EQ(parseSize(" 2048 "), 2048);
  EXPECT_EQ(parseSize("0"), 0);
  EXPECT_EQ(parseSize("4294967296"), 4294967296LL);  // a file over 4 GiB
  EXPECT_EQ(parseSize("-1"), -1);
  EXPECT_EQ(parseSize(""), std::nullopt);
  EXPECT_EQ(parseSize("   "), std::nullopt);
  EXPECT_EQ(parseSize("12a"), std::nullopt);
  EXPECT_EQ(parseSize("1 2"), std::nullopt);
  EXPECT_EQ(parseSize("+5"), std::nullopt);
  EXPECT_EQ(parseSize("&H10"), std::nullopt);
  EXPECT_EQ(parseSize("99999999999999999999"), std::nullopt);
}

}  // namespace
}  // namespace quorvane::recordFormat
