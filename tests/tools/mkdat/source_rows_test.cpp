// Reading Japan Post's files: zip or CSV, code page 932, column counts, and
// the messages that name file and line.
#include <gtest/gtest.h>

#include "testing/temp_dir.h"
#include "tools/mkdat/build_failure.h"
#include "tools/mkdat/csv_lines.h"
#include "tools/mkdat/mkdat_test_support.h"
#include "tools/mkdat/postal_rows.h"
#include "tools/mkdat/source_file.h"

namespace zumaro::mkdat {
namespace {

using testing::cp932;
using testing::writeZip;

const std::string kAddressLine =
    "13101,\"100  \",\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\",0,0,0,0,0,0";

std::vector<CsvRow> readAll(const SourceFile& source) {
  std::vector<CsvRow> rows;
  CsvLines lines(source);
  CsvRow row;
  while (lines.next(row)) rows.push_back(row);
  return rows;
}

std::string failureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const BuildFailure& e) {
    return e.what();
  }
  return "(no failure)";
}

TEST(CsvLines, SplitsQuotedFieldsAndSkipsEmptyLines) {
  SourceFile source{"t.csv", cp932(kAddressLine + "\r\n\r\n\"a,b\",\"say \"\"hi\"\"\",,x\r\n")};
  std::vector<CsvRow> rows = readAll(source);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].line, 1);
  EXPECT_EQ(rows[0].fields.size(), 15u);
  EXPECT_EQ(toUtf8(rows[0].fields[8]), "千代田");
  EXPECT_EQ(rows[1].line, 3);
  ASSERT_EQ(rows[1].fields.size(), 4u);
  EXPECT_EQ(toUtf8(rows[1].fields[0]), "a,b");
  EXPECT_EQ(toUtf8(rows[1].fields[1]), "say \"hi\"");
  EXPECT_EQ(toUtf8(rows[1].fields[2]), "");
}

TEST(CsvLines, TakesLineFeedsAloneAndAFinalLineWithoutEnd) {
  SourceFile source{"t.csv", "a,b\nc,d"};
  std::vector<CsvRow> rows = readAll(source);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(toUtf8(rows[1].fields[1]), "d");
}

TEST(CsvLines, ADosEndOfFileMarkEndsTheData) {
  SourceFile source{"t.csv", "a,b\r\n\x1a"};
  EXPECT_EQ(readAll(source).size(), 1u);
}

TEST(CsvLines, BytesThatAreNotCodePage932NameTheLine) {
  SourceFile source{"ken_all.zip:KEN_ALL.CSV", cp932(kAddressLine) + "\r\n" + "13101,\"\x85\x40\"\r\n"};
  std::string message = failureOf([&] { readAll(source); });
  EXPECT_EQ(
      message,
      "ken_all.zip:KEN_ALL.CSV の2行目にコードページ932(Shift-JIS)として読めないバイトがあります（行の8バイト目）。"
      "日本郵便のファイルを変更せずに指定して下さい。");
}

TEST(CsvLines, AnUnclosedQuoteNamesTheLine) {
  SourceFile source{"x.csv", "a,b\r\nc,\"d\r\n"};
  std::string message = failureOf([&] { readAll(source); });
  EXPECT_EQ(message, "x.csv の2行目で引用符(\")が閉じられていません。");
}

TEST(PostalRows, AWrongColumnCountNamesFileAndLine) {
  SourceFile source{"KEN_ALL.CSV", cp932(kAddressLine + ",0\r\n")};
  CsvRow row = readAll(source).at(0);
  std::string message = failureOf([&] { toAddressRow(row, source.name); });
  EXPECT_EQ(message, "KEN_ALL.CSV の1行目の項目数が16個です（15個のはずです）。");
  // KEN_ALL given where JIGYOSYO is expected.
  CsvRow address = readAll(SourceFile{"JIGYOSYO.CSV", cp932(kAddressLine)}).at(0);
  EXPECT_EQ(failureOf([&] { toBusinessRow(address, "JIGYOSYO.CSV"); }),
            "JIGYOSYO.CSV の1行目の項目数が15個です（13個のはずです）。");
}

TEST(PostalRows, PostalCodesMustBeSevenDigitsInRange) {
  for (const char* code : {"100-0001", "100001", "0009999", "１０００００１", ""}) {
    std::string line = kAddressLine;
    line.replace(line.find("1000001"), 7, code);
    CsvRow row = readAll(SourceFile{"KEN_ALL.CSV", cp932(line)}).at(0);
    std::string message = failureOf([&] { toAddressRow(row, "KEN_ALL.CSV"); });
    EXPECT_EQ(message, "KEN_ALL.CSV の1行目の郵便番号「" + std::string(code) +
                           "」が0010000～9999999の7桁の数字ではありません。");
  }
}

TEST(PostalRows, TakesTheColumnsOfEachFile) {
  CsvRow a = readAll(SourceFile{"k", cp932(kAddressLine)}).at(0);
  AddressRow address = toAddressRow(a, "k");
  EXPECT_EQ(toUtf8(address.municipality), "13101");
  EXPECT_EQ(toUtf8(address.postalCode), "1000001");
  EXPECT_EQ(toUtf8(address.cityReading), "ﾁﾖﾀﾞｸ");
  EXPECT_EQ(toUtf8(address.town), "千代田");
  CsvRow b = readAll(SourceFile{"j", cp932("13101,\"ｱｺﾑ ｶﾌﾞｼｷｶﾞｲｼﾔ\",\"アコム　株式会社\",\"東京都\",\"千代田区\","
                                           "\"丸の内\",\"２丁目１－１\",\"1008307\",\"100  \",\"銀座\",0,0,0")})
                 .at(0);
  BusinessRow business = toBusinessRow(b, "j");
  EXPECT_EQ(toUtf8(business.name), "アコム　株式会社");
  EXPECT_EQ(toUtf8(business.nameReading), "ｱｺﾑ ｶﾌﾞｼｷｶﾞｲｼﾔ");
  EXPECT_EQ(toUtf8(business.block), "２丁目１－１");
  EXPECT_EQ(toUtf8(business.postalCode), "1008307");
}

TEST(SourceFile, TakesTheCsvInsideAZipOrTheCsvItself) {
  testing::TempDir dir;
  std::string csv = cp932(kAddressLine + "\r\n");
  writeZip(dir.file("ken_all.zip"), {{"KEN_ALL.CSV", csv}, {"readme.txt", "x"}});
  SourceFile zipped = loadSourceFile(dir.file("ken_all.zip"));
  EXPECT_EQ(zipped.bytes, csv);
  EXPECT_EQ(zipped.name, dir.file("ken_all.zip") + ":KEN_ALL.CSV");
  testing::writeBytes(dir.file("KEN_ALL.CSV"), csv);
  EXPECT_EQ(loadSourceFile(dir.file("KEN_ALL.CSV")).bytes, csv);
}

TEST(SourceFile, RefusesZipFilesWithoutExactlyOneCsv) {
  testing::TempDir dir;
  writeZip(dir.file("none.zip"), {{"readme.txt", "x"}});
  writeZip(dir.file("two.zip"), {{"A.CSV", "a"}, {"b.csv", "b"}});
  EXPECT_EQ(failureOf([&] { loadSourceFile(dir.file("none.zip")); }),
            dir.file("none.zip") + " には.csvファイルが1つだけあるはずですが、0個あります。");
  EXPECT_EQ(failureOf([&] { loadSourceFile(dir.file("two.zip")); }),
            dir.file("two.zip") + " には.csvファイルが1つだけあるはずですが、2個あります。");
  testing::writeBytes(dir.file("broken.zip"), std::string("PK\x03\x04", 4) + "garbage");
  EXPECT_EQ(failureOf([&] {
              loadSourceFile(dir.file("broken.zip"));
            }).rfind(dir.file("broken.zip") + " をzipファイルとして読めません（", 0),
            0u);
  EXPECT_EQ(failureOf([&] { loadSourceFile(dir.file("missing.zip")); }),
            dir.file("missing.zip") + " を開けません（No such file or directory）。");
}

}  // namespace
}  // namespace zumaro::mkdat
