#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "compare/record_format.h"

namespace quorvane::recordFormat {
namespace {

// A TAB anywhere makes a data row, whatever the first character; ";#" must come first.
TEST(RecordFormat, LineKindsAndColumnHeaders) {
  for (const auto& [line, kind] : std::vector<std::pair<const char*, int>>{
           {"", kIgnoreLine}, {"    ", kIgnoreLine}, {";抽出先：C:\\TEST", kIgnoreLine}, {"plain text", kIgnoreLine},
           {";#FN,FV,SV,SZ,DTTM", kColumnHeader}, {";#anything", kColumnHeader}, {" ;#FN", kIgnoreLine},
           {";a\tb", kDataRow}, {";#FN\tFV", kDataRow}, {"\t", kDataRow}})
    EXPECT_EQ(CheckComment(line), kind) << line;
  // A column header names a layout only as a whole line, exactly.
  EXPECT_EQ(CheckColumnHeader(";#FN,FV,SV,SZ,DTTM"), RecordLayout::FiveColumn);
  EXPECT_EQ(CheckColumnHeader(";#FN,FV,SZ,DTTM"), RecordLayout::FourColumn);
  for (const char* other : {";#FN,FV,SV,SZ,DTTM ", ";#fn,fv,sv,sz,dttm", ";#"})
    EXPECT_EQ(CheckColumnHeader(other), RecordLayout::Unrecognised) << other;
}

// Rows split by layout. Four-column and unrecognised layouts store the second column as
// the string version; date and time are cut or padded to eight characters (characters, not
// bytes); the time takes the rest of the line, tabs included; fields filled before a
// failure stay.
TEST(ParseRecordLine, Rows) {
  constexpr auto five = RecordLayout::FiveColumn;
  constexpr auto four = RecordLayout::FourColumn;
  const struct {
    const char* line;
    RecordLayout layout;
    RowSplit split;
    const char *fixed, *string;
    std::int64_t size;
    const char *date, *time;
  } cases[] = {
      {"sample1.dll\t4.71.1712.5\t4.00.2424 (Build)\t 2048 \t98/05/11 12:00:00", five, RowSplit::Ok,
       "4.71.1712.5", "4.00.2424 (Build)", 2048, "98/05/11", "12:00:00"},
      {"sample1.dll\t\t\t 1024 \t97/12/01 09:05:30", five, RowSplit::Ok, "", "", 1024, "97/12/01", "09:05:30"},
      {"sample1.dll\t1.2.3.4\t 77 \t98/05/11 12:00:00", four, RowSplit::Ok, "", "1.2.3.4", 77, "98/05/11", "12:00:00"},
      {"sample1.dll\t1.2.3.4\t 77 \t98/05/11 12:00:00", RecordLayout::Unrecognised, RowSplit::Ok, "", "1.2.3.4", 77,
       "98/05/11", "12:00:00"},
      {"sample1.dll\t4.71\t4.71\t 2048 \t98/05/11 12:00:00", four, RowSplit::BadSize, "", "4.71", 0, "", ""},
      {"sample1.dll\t\t\t1\t1998/05/11 12:00:00.5\tx", five, RowSplit::Ok, "", "", 1, "1998/05/", "12:00:00"},
      {"sample1.dll\t\t\t1\t98/5/1 9:5", five, RowSplit::Ok, "", "", 1, "98/5/1  ", "9:5     "},
      {"sample1.dll\t\t\t1\t平成十年五月十一日 x", five, RowSplit::Ok, "", "", 1, "平成十年五月十一", "x       "},
      {"sample1.dll\t\t\t1\td t\tu", five, RowSplit::Ok, "", "", 1, "d       ", "t\tu     "},
      {"sample1.dll", five, RowSplit::MissingTab, "", "", 0, "", ""},
      {"sample1.dll\t1", five, RowSplit::MissingTab, "", "", 0, "", ""},
      {"sample1.dll\t1\t2", five, RowSplit::MissingTab, "1", "", 0, "", ""},
      {"sample1.dll\t1\t2\t 3 ", five, RowSplit::MissingTab, "1", "2", 0, "", ""},
      {"sample1.dll\t1\t2\t 3 \t98/05/11", five, RowSplit::MissingSpace, "1", "2", 3, "", ""},
      {"sample1.dll\t1\t 3 ", four, RowSplit::MissingTab, "", "1", 0, "", ""},
      {"sample1.dll\t1\t 3 \t98/05/11", four, RowSplit::MissingSpace, "", "1", 3, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    FileVersionEntry e;
    ASSERT_EQ(ParseRecordLine(c.line, c.layout, e), c.split);
    if (c.split == RowSplit::Ok || c.split == RowSplit::BadSize) {
      EXPECT_EQ(e.FullPath, "sample1.dll");
      EXPECT_EQ(e.NamePos, 1);
    }
    EXPECT_EQ(e.FixedVersion, c.fixed);
    EXPECT_EQ(e.StringVersion, c.string);
    EXPECT_EQ(e.Size, c.size);
    EXPECT_EQ(e.Date, c.date);
    EXPECT_EQ(e.Time, c.time);
  }
}

TEST(ParseSize, DecimalWithSurroundingSpacesIn64Bits) {
  for (const auto& [text, size] : std::vector<std::pair<const char*, std::optional<std::int64_t>>>{
           {" 2048 ", 2048}, {"0", 0}, {"4294967296", 4294967296LL}, {"-1", -1}, {"", std::nullopt},
           {"   ", std::nullopt}, {"12a", std::nullopt}, {"1 2", std::nullopt}, {"+5", std::nullopt},
           {"&H10", std::nullopt}, {"99999999999999999999", std::nullopt}})
    EXPECT_EQ(parseSize(text), size) << text;
}

}  // namespace
}  // namespace quorvane::recordFormat
