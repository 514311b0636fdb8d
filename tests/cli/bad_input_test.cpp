// Bad input of every kind given to the built zumaro-convert: what the user
// is told, and what becomes of the input, the postal data and the output.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "testing/program_run.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::cp932;
using testing::readBytes;
using testing::writeBytes;

const std::string kSmallData = ZUMARO_TEST_DATA_DIR "/small/data";
const std::string kFive = " -n 5 --postal 2 --pref 3 --city 4 --building 5";
const std::string kOldOutput = "old output\r\n";

// Every case runs in a folder of its own holding in.csv and "data", a copy
// of the small data folder, with paths relative to it.
std::string convertArgs(const std::string& input, const std::string& output, const std::string& more = "") {
  return "-i " + input + " -o " + output + kFive + " --data-dir data" + more;
}
std::string standardRun(const std::string& more = "") { return convertArgs("in.csv", "out.csv", more); }

// Records for the small data folder, in UTF-8: one an entry is applied to,
// and one whose entry is visited without matching (its building still
// turns full width).
const std::string kMatched = "\"1\",\"131-0045\",\"ﾄｳｷﾖｳﾄ\",\"ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2-3\",\"\"\r\n";
const std::string kMatchedOut = "\"1\",\"131-0045\",\"東京都\",\"緑区本町１－２－３\",\"\"\r\n";
const std::string kVisited = "\"3\",\"131-0045\",\"ﾄｳｷﾖｳﾄ\",\"ｷﾀｸ1\",\"ﾊｲﾂ1\"\r\n";
const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader = "番号,〒,県,市区町村,建物\r\n";
// A record no entry is applied to is written exactly as read.
const std::string kVisitedOut = kVisited;

// `record` with its first field replaced by `first`.
std::string withFirstField(const std::string& record, const std::string& first) {
  std::string out = "\"";  // appended piece by piece: GCC 12 warns wrongly on "..." + string
  out += first;
  out += record.substr(record.find('"', 1));
  return out;
}

// Every run first names its data folder: here the copy of the small one,
// which has no manifest and two entries.
std::string dataLineWith(int entries) {
  return "郵便番号データ: data（日付不明、" + std::to_string(entries) + "件）\n";
}
const std::string kDataLine = dataLineWith(2);

std::string error(const std::string& message) { return "エラーメッセージ: " + message + "\n"; }
std::string written(int records) { return "出力済みのレコード: " + std::to_string(records) + "件\n"; }
// The records no entry was applied to, by reason.
struct Unmatched {
  int noCode = 0, unknown = 0, differs = 0, ambiguous = 0;
};
std::string finished(int read, int matched, Unmatched u = {}, int toCheck = 0) {
  auto n = [](int v) { return std::to_string(v); };
  return "変換処理終了\n読み込み " + n(read) + "件、照合 " + n(matched) + "件（うち記入済み 0件、要確認 " + n(toCheck) +
         "件）、照合なし " + n(u.noCode + u.unknown + u.differs + u.ambiguous) + "件（郵便番号なし " + n(u.noCode) +
         "、郵便番号不明 " + n(u.unknown) + "、読み不一致 " + n(u.differs) + "、候補複数 " + n(u.ambiguous) + "）\n";
}
std::string invalidBytes(const std::string& where, size_t offset) {
  return where + "にコードページ932(Shift-JIS)として読めないバイトがあります（オフセット" + std::to_string(offset) +
         "バイト）。";
}

std::string repeated(const std::string& text, size_t times) {
  std::string out;
  for (size_t i = 0; i < times; ++i) out += text;
  return out;
}

// Byte equality reported by size and first difference, not by whole files
// of a hundred thousand characters.
::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  const size_t at = static_cast<size_t>(a - actual.begin());
  const size_t from = at < 40 ? 0 : at - 40;
  return ::testing::AssertionFailure() << actual.size() << " bytes where " << expected.size()
                                       << " were expected, first difference at byte " << at
                                       << "\n  actual:   " << ::testing::PrintToString(actual.substr(from, 80))
                                       << "\n  expected: " << ::testing::PrintToString(expected.substr(from, 80));
}

// What a file of the case's folder holds after the run.
struct FileAfter {
  enum class Kind { NotChecked, Absent, Kept, Holds };
  FileAfter() = default;
  FileAfter(Kind k, std::string b) : kind(k), bytes(std::move(b)) {}
  Kind kind = Kind::NotChecked;
  std::string bytes;  // for Holds
};
const FileAfter kNotChecked;
FileAfter absent() { return {FileAfter::Kind::Absent, ""}; }
// The file holds kOldOutput before the run and still does after it.
FileAfter kept() { return {FileAfter::Kind::Kept, ""}; }
// The file holds kOldOutput before the run and exactly `bytes` after it.
FileAfter holds(const std::string& bytes) { return {FileAfter::Kind::Holds, bytes}; }

struct BadInputCase {
  std::string name;
  std::string input;  // the bytes of in.csv
  std::string args;   // the command line after the program's name
  int exitCode;
  std::string err;                                           // all of standard error
  FileAfter output;                                          // out.csv
  std::string dataLine = kDataLine;                          // the first line of standard error
  std::string out = "";                                      // all of standard output
  FileAfter unmatched = kNotChecked;                         // u.csv
  std::function<void(const fs::path& folder)> prepare = {};  // runs after the files above are written
  std::string shell = "";                                    // shell text before the program's name
  bool needsUnprivileged = false;                            // the superuser writes to read-only files
};

void PrintTo(const BadInputCase& c, std::ostream* os) { *os << c.name; }

void expectFileAfter(const fs::path& path, const FileAfter& expected) {
  switch (expected.kind) {
    case FileAfter::Kind::NotChecked:
      return;
    case FileAfter::Kind::Absent:
      EXPECT_FALSE(fs::exists(fs::symlink_status(path))) << path;
      return;
    case FileAfter::Kind::Kept:
      EXPECT_EQ(readBytes(path), kOldOutput) << path;
      return;
    case FileAfter::Kind::Holds:
      EXPECT_TRUE(fs::is_regular_file(path)) << path;
      EXPECT_TRUE(sameBytes(readBytes(path), expected.bytes)) << path;
      return;
  }
}

// The bytes of every regular file of the folder the run may not change.
std::map<fs::path, std::string> readOnlyFiles(const fs::path& folder) {
  const std::vector<fs::path> mayChange = {folder / "out.csv", folder / "u.csv", folder / ".stdout",
                                           folder / ".stderr"};
  std::map<fs::path, std::string> files;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder)) {
    if (!e.is_regular_file() || e.is_symlink()) continue;
    if (std::find(mayChange.begin(), mayChange.end(), e.path()) != mayChange.end()) continue;
    files[e.path()] = readBytes(e.path().string());
  }
  return files;
}

void writeOldContent(const fs::path& path, const FileAfter& expected) {
  if (expected.kind == FileAfter::Kind::Kept || expected.kind == FileAfter::Kind::Holds)
    writeBytes(path.string(), kOldOutput);
}

class BadInput : public ::testing::TestWithParam<BadInputCase> {
 protected:
  testing::TempDir dir;
};

TEST_P(BadInput, TellsWhatIsWrongAndKeepsEveryFileSound) {
  const BadInputCase& c = GetParam();
  if (c.needsUnprivileged && ::geteuid() == 0) GTEST_SKIP() << "the superuser may write to read-only files";
  const fs::path folder = dir.path();
  writeBytes((folder / "in.csv").string(), c.input);
  fs::copy(kSmallData, folder / "data", fs::copy_options::recursive);
  writeOldContent(folder / "out.csv", c.output);
  writeOldContent(folder / "u.csv", c.unmatched);
  if (c.prepare) c.prepare(folder);
  const std::map<fs::path, std::string> before = readOnlyFiles(folder);

  const testing::ProgramOutcome o =
      testing::runInFolder(folder, c.shell + testing::shellQuoted(ZUMARO_CONVERT_EXE) + " " + c.args);

  EXPECT_EQ(o.code, c.exitCode);
  EXPECT_EQ(o.err, c.dataLine + c.err);
  EXPECT_TRUE(sameBytes(o.out, c.out));
  expectFileAfter(folder / "out.csv", c.output);
  expectFileAfter(folder / "u.csv", c.unmatched);
  EXPECT_EQ(readOnlyFiles(folder), before) << "the input or the postal data changed";
}

// `bytes` after the entries of the data file `name` of the small folder.
std::function<void(const fs::path&)> appendToDataFile(const std::string& name, const std::string& bytes) {
  return [name, bytes](const fs::path& folder) {
    const std::string path = (folder / "data" / name).string();
    writeBytes(path, readBytes(path) + bytes);
  };
}

std::vector<BadInputCase> inputCases() {
  const std::string longCity = repeated("1", 100000);
  const std::string fullWidthCity = repeated("１", 100000);
  std::string fiftyFields, fiftyFieldsOut;
  for (int k = 1; k <= 50; ++k) {
    const std::string tag = std::to_string(k) + ":";
    const std::string field = tag + repeated("ｱ", 10000 - tag.size());
    fiftyFields += (k > 1 ? "," : "") + field;
    fiftyFieldsOut += (k > 1 ? ",\"" : "\"") + field + "\"";
  }
  return {
      {.name = "bytes_that_are_not_code_page_932",
       .input = cp932(kMatched) + "\"2\",\x80\r\n",
       .args = standardRun(),
       .exitCode = 1,
       .err = error(invalidBytes("in.csv の2件目", cp932(kMatched).size() + 4)) + written(1),
       .output = holds(cp932(kMatchedOut))},
      {.name = "bytes_that_are_not_code_page_932_in_the_first_record",
       .input = "\"1\",\x80\r\n",
       .args = standardRun(),
       .exitCode = 1,
       .err = error(invalidBytes("in.csv の1件目", 4)),
       .output = kept()},
      {.name = "utf_8_when_code_page_932_is_named",
       .input = kMatched,
       .args = standardRun(" --encoding cp932"),
       .exitCode = 1,
       .err = error(invalidBytes("in.csv の1件目", 16)),
       .output = kept()},
      {.name = "utf_8_is_found_and_written_back",
       .input = kMatched,
       .args = standardRun(),
       .exitCode = 0,
       .err = finished(1, 1),
       .output = holds(kMatchedOut)},
      {.name = "utf_8_turning_out_otherwise_later",
       .input = repeated(kMatched, 1000) + "\"2\",\x82\xA0\r\n",  // beyond the first 64 KiB
       .args = standardRun(),
       .exitCode = 1,
       .err = error("in.csv の1001件目にUTF-8として読めないバイトがあります（オフセット" +
                    std::to_string(1000 * kMatched.size() + 4) +
                    "バイト）。ファイルの先頭部分がUTF-8として読めたため、UTF-8として読んでいました。") +
              written(1000),
       .output = holds(repeated(kMatchedOut, 1000))},
      {.name = "utf_8_character_code_page_932_cannot_hold",
       .input = withFirstField(kMatched, "𠮷"),
       .args = standardRun(" --output-encoding cp932"),
       .exitCode = 1,
       .err = error("1件目の1番目の項目にコードページ932(Shift-JIS)で書けない文字(U+20BB7)があります。"),
       .output = kept()},
      {.name = "header_row_with_a_byte_order_mark",
       .input = kBom + kHeader + kMatched + kVisited,
       .args = standardRun(" --header --unmatched u.csv"),
       .exitCode = 0,
       .err = finished(2, 1, {.differs = 1}),
       .output = holds(kBom + kHeader + kMatchedOut + kVisitedOut),
       .unmatched = holds(kBom + kHeader + kVisited)},
      {.name = "header_row_re_encoded",
       .input = kHeader + kMatched,
       .args = standardRun(" --header --output-encoding cp932"),
       .exitCode = 0,
       .err = finished(1, 1),
       .output = holds(cp932(kHeader + kMatchedOut))},
      {.name = "header_row_code_page_932_cannot_hold",
       .input = "𠮷,x\r\n" + kMatched,
       .args = standardRun(" --header --output-encoding cp932"),
       .exitCode = 1,
       .err = error("見出し行にコードページ932(Shift-JIS)で書けない文字(U+20BB7)があります。"),
       .output = kept()},
      {.name = "header_row_with_bytes_that_are_not_code_page_932",
       .input = "h\x80,x\r\n" + cp932(kMatched),
       .args = standardRun(" --header"),
       .exitCode = 1,
       .err = error(invalidBytes("in.csv の見出し行", 1)),
       .output = kept()},
      {.name = "header_row_without_header",
       .input = kBom + kHeader + kMatched + kVisited,
       .args = standardRun(" --unmatched u.csv"),
       .exitCode = 0,
       .err = "警告: 1行目は見出しのようです（郵便番号の項目が「〒」）。見出しなら "
              "--header（フォームでは「1行目は見出し」）"
              "を付けてください。\n" +
              finished(3, 1, {.noCode = 1, .differs = 1}),
       .output = holds(kBom + "\"番号\",\"〒\",\"県\",\"市区町村\",\"建物\"\r\n" + kMatchedOut + kVisitedOut),
       .unmatched = holds(kBom + "\"番号\",\"〒\",\"県\",\"市区町村\",\"建物\"\r\n" + kVisited)},
      {.name = "quotes_inside_quoted_values",
       .input = cp932(withFirstField(kMatched, "1\"\"a") + withFirstField(kVisited, "\"\"\"\"")),
       .args = standardRun(" --unmatched u.csv"),
       .exitCode = 0,
       .err = finished(2, 1, {.differs = 1}),
       .output = holds(cp932(withFirstField(kMatchedOut, "1\"\"a") + withFirstField(kVisitedOut, "\"\"\"\""))),
       .unmatched = holds(cp932(withFirstField(kVisited, "\"\"\"\"")))},
      {.name = "lead_byte_alone_at_the_end",
       .input = cp932(kMatched) + "\"2\",\x82",
       .args = standardRun(),
       .exitCode = 1,
       .err = error(invalidBytes("in.csv の2件目", cp932(kMatched).size() + 4)) + written(1),
       .output = holds(cp932(kMatchedOut))},
      {.name = "nul_bytes_are_text",
       .input = "\"1\",\"131-0045\",\"a\0b\",\0,\"\"\r\n"s,
       .args = standardRun(),
       .exitCode = 0,
       .err = finished(1, 0, {.differs = 1}),
       .output = holds("\"1\",\"131-0045\",\"a\0b\",\"\0\",\"\"\r\n"s)},
      {.name = "unclosed_quote",
       .input = cp932(kMatched) + "\"2\",\"13",
       .args = standardRun(),
       .exitCode = 1,
       .err = error("in.csv の2件目で引用符(\")が閉じられないままファイルが終わっています。") + written(1),
       .output = holds(cp932(kMatchedOut))},
      {.name = "short_last_record",
       .input = cp932(kMatched) + "\"2\",\"131\"",
       .args = standardRun(),
       .exitCode = 0,
       .err = "警告: 2件目のレコードは項目が5個に足りないまま終わっています。足りない項目は空で出力しました。\n" +
              finished(2, 1, {.noCode = 1}),
       .output = holds(cp932(kMatchedOut) + "\"2\",\"131\",\"\",\"\",\"\"\r\n")},
      {.name = "blank_lines_at_the_end",
       .input = cp932(kMatched) + "\r\n\r\n  \r\n\r\n",
       .args = standardRun(),
       .exitCode = 0,
       .err = finished(1, 1),
       .output = holds(cp932(kMatchedOut))},
      {.name = "fields_of_100000_characters",
       .input = cp932("\"1\",\"131-0045\",\"ﾄｳｷﾖｳﾄ\",\"ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ" + longCity + "\",\"\"\r\n" +
                      "\"2\",\"999-9999\",\"\",\"\",\"" + longCity + "\"\r\n"),
       .args = standardRun(),
       .exitCode = 0,
       .err = finished(2, 1, {.unknown = 1}),
       .output = holds(cp932("\"1\",\"131-0045\",\"東京都\",\"緑区本町" + fullWidthCity + "\",\"\"\r\n" +
                             "\"2\",\"999-9999\",\"\",\"\",\"" + longCity + "\"\r\n"))},
      {.name = "fifty_fields_of_10000_characters",
       .input = cp932(fiftyFields + "\r\n" + fiftyFields + "\r\n"),
       .args = "-i in.csv -o out.csv -n 50 --postal 1 --pref 2 --city 3 --building 4 --data-dir data",
       .exitCode = 0,
       .err = finished(2, 0, {.noCode = 2}),
       .output = holds(cp932(fiftyFieldsOut + "\r\n" + fiftyFieldsOut + "\r\n"))},
      {.name = "missing_input_file",
       .input = "",
       .args = convertArgs("none.csv", "out.csv"),
       .exitCode = 1,
       .err = error("指定されたファイルが存在しません。 none.csv"),
       .output = kept()},
      {.name = "missing_input_file_creates_no_output",
       .input = "",
       .args = convertArgs("none.csv", "out.csv"),
       .exitCode = 1,
       .err = error("指定されたファイルが存在しません。 none.csv"),
       .output = absent()},
      {.name = "character_code_page_932_cannot_hold",
       .input = cp932(kMatched) + cp932(withFirstField(kMatched, "ヴ")),
       .args = standardRun(" --etc1 1 --opt1 32"),
       .exitCode = 1,
       .err = error("2件目の1番目の項目にコードページ932(Shift-JIS)で書けない文字(U+3094)があります。") + written(1),
       .output = holds(cp932(kMatchedOut))},
      {.name = "input_not_named",
       .input = "",
       .args = "-o out.csv" + kFive + " --data-dir data",
       .exitCode = 1,
       .err = error("元のファイル名が指定されていません。"),
       .output = kept()},
      {.name = "input_is_a_folder",
       .input = "",
       .args = convertArgs(".", "out.csv"),
       .exitCode = 1,
       .err = error(". を開けません（Is a directory）。"),
       .output = kept()},
      {.name = "input_is_an_empty_device",
       .input = "",
       .args = convertArgs("/dev/null", "out.csv"),
       .exitCode = 0,
       .err = finished(0, 0),
       .output = holds("")},
      {.name = "field_longer_than_a_million_characters",
       .input = cp932(kMatched) + "\"2\",\"131-0045\"," + std::string(1'000'001, 'x') + "\r\n",
       .args = standardRun(),
       .exitCode = 1,
       .err = error("in.csv の2件目の3番目の項目が1000000文字を超えています。") + written(1),
       .output = holds(cp932(kMatchedOut))},
      {.name = "input_without_an_end",
       .input = "",
       .args = convertArgs("/dev/zero", "out.csv"),
       .exitCode = 1,
       .err = error("/dev/zero の1件目の1番目の項目が1000000文字を超えています。"),
       .output = kept()},
      {.name = "input_from_a_pipe",
       .input = cp932(kMatched),
       .args = convertArgs("/dev/stdin", "out.csv"),
       .exitCode = 0,
       .err = finished(1, 1),
       .output = holds(cp932(kMatchedOut)),
       .shell = "cat in.csv | "},
  };
}

std::vector<BadInputCase> dataCases() {
  // Keys 1310050 and 1310047 stand out of order; the search for 1310047
  // stops at the greater key before it and never sees it.
  const std::string outOfOrder =
      "1310050,東京都,五十町,,,,,,,,\r\n1310047,東京都,四十七町,,,,,,,,\r\n1310060,東京都,六十町,,,,,,,,\r\n";
  const std::string outOfOrderInput =
      kMatched + "\"2\",\"131-0047\",\"\",\"\",\"\"\r\n" + "\"3\",\"131-0060\",\"\",\"\",\"\"\r\n";
  const std::string outOfOrderOutput =
      kMatchedOut + "\"2\",\"131-0047\",\"\",\"\",\"\"\r\n" + "\"3\",\"131-0060\",\"東京都\",\"六十町\",\"\"\r\n";
  const std::string secondRecordIn06 = kMatched + "\"2\",\"〒330-0001\",\"\",\"ﾐﾅﾐﾏﾁｻｸﾗ2-5\",\"\"\r\n";
  const size_t data03Size = readBytes(kSmallData + "/03.dat").size();
  const auto cutEntryIn06 = appendToDataFile("06.dat", "\"3300002\",\"x\"\r\n");
  return {
      {.name = "missing_data_file",
       .input = cp932(kMatched),
       .args = standardRun(),
       .exitCode = 1,
       .err = error("指定されたファイルが存在しません。 data/07.dat"),
       .output = kept(),
       .prepare = [](const fs::path& folder) { fs::remove(folder / "data" / "07.dat"); }},
      {.name = "missing_data_folder",
       .input = cp932(kMatched),
       .args = "-i in.csv -o out.csv" + kFive + " --data-dir nodata",
       .exitCode = 1,
       .err = error("指定されたファイルが存在しません。 nodata/01.dat"),
       .output = kept(),
       .dataLine = "郵便番号データ: nodata（フォルダがありません）\n"},
      {.name = "data_folder_is_a_file",
       .input = cp932(kMatched),
       .args = "-i in.csv -o out.csv" + kFive + " --data-dir in.csv",
       .exitCode = 1,
       .err = error("郵便番号データのフォルダ in.csv はフォルダではありません。"),
       .output = kept(),
       .dataLine = "郵便番号データ: in.csv（フォルダがありません）\n"},
      {.name = "data_file_is_a_folder",
       .input = cp932(kMatched),
       .args = standardRun(),
       .exitCode = 1,
       .err = error("data/07.dat を開けません（Is a directory）。"),
       .output = kept(),
       .prepare =
           [](const fs::path& folder) {
             fs::remove(folder / "data" / "07.dat");
             fs::create_directory(folder / "data" / "07.dat");
           }},
      {.name = "data_file_with_bytes_that_are_not_code_page_932",
       .input = cp932(kMatched),
       .args = standardRun(),
       .exitCode = 1,
       .err = error("郵便番号データ " + invalidBytes("data/03.dat の2件目のデータ", data03Size + 1)),
       .output = kept(),
       .dataLine = dataLineWith(3),
       .prepare = appendToDataFile("03.dat", "\"\x80\"\r\n")},
      {.name = "data_file_ends_inside_an_entry_met_by_the_first_record",
       .input = cp932(kMatched),
       .args = standardRun(),
       .exitCode = 1,
       .err = error("郵便番号データ data/03.dat が2件目のデータの途中で終わっています。"),
       .output = kept(),
       .dataLine = dataLineWith(3),
       .prepare = appendToDataFile("03.dat", cp932("\"1310046\",\"x\"\r\n"))},
      {.name = "data_file_ends_inside_an_entry_met_by_the_first_record_creates_no_output",
       .input = cp932(kMatched),
       .args = standardRun(),
       .exitCode = 1,
       .err = error("郵便番号データ data/03.dat が2件目のデータの途中で終わっています。"),
       .output = absent(),
       .dataLine = dataLineWith(3),
       .prepare = appendToDataFile("03.dat", cp932("\"1310046\",\"x\"\r\n"))},
      {.name = "data_file_ends_inside_an_entry_met_by_a_later_record",
       .input = cp932(secondRecordIn06),
       .args = standardRun(),
       .exitCode = 1,
       .err = error("郵便番号データ data/06.dat が2件目のデータの途中で終わっています。") + written(1),
       .output = holds(cp932(kMatchedOut)),
       .dataLine = dataLineWith(3),
       .prepare = cutEntryIn06},
      {.name = "data_file_ends_inside_an_entry_met_by_a_later_record_scan",
       .input = cp932(secondRecordIn06),
       .args = standardRun(" --lookup scan"),
       .exitCode = 1,
       .err = error("郵便番号データ data/06.dat が2件目のデータの途中で終わっています。") + written(1),
       .output = holds(cp932(kMatchedOut)),
       .dataLine = dataLineWith(3),
       .prepare = cutEntryIn06},
      {.name = "data_file_out_of_order",
       .input = cp932(outOfOrderInput),
       .args = standardRun(),
       .exitCode = 0,
       .err = finished(3, 2, {.unknown = 1}),
       .output = holds(cp932(outOfOrderOutput)),
       .dataLine = dataLineWith(5),
       .prepare = appendToDataFile("03.dat", cp932(outOfOrder))},
      {.name = "data_file_out_of_order_scan",
       .input = cp932(outOfOrderInput),
       .args = standardRun(" --lookup scan"),
       .exitCode = 0,
       .err = finished(3, 2, {.unknown = 1}),
       .output = holds(cp932(outOfOrderOutput)),
       .dataLine = dataLineWith(5),
       .prepare = appendToDataFile("03.dat", cp932(outOfOrder))},
  };
}

std::vector<BadInputCase> outputCases() {
  const auto linkToInput = [](bool symbolic) {
    return [symbolic](const fs::path& folder) {
      if (symbolic) {
        fs::create_symlink("in.csv", folder / "link.csv");
      } else {
        fs::create_hard_link(folder / "in.csv", folder / "link.csv");
      }
    };
  };
  return {
      {.name = "output_not_named",
       .input = cp932(kMatched),
       .args = convertArgs("in.csv", "''"),
       .exitCode = 1,
       .err = error("出力先のファイル名が指定されていません。"),
       .output = kNotChecked},
      {.name = "output_folder_missing",
       .input = cp932(kMatched),
       .args = convertArgs("in.csv", "nodir/out.csv"),
       .exitCode = 1,
       .err = error("出力先のファイルを作成できません。 nodir/out.csv（No such file or directory）"),
       .output = kNotChecked},
      {.name = "output_is_a_folder",
       .input = cp932(kMatched),
       .args = convertArgs("in.csv", "odir"),
       .exitCode = 1,
       .err = error("出力先のファイルを作成できません。 odir（Is a directory）"),
       .output = kNotChecked,
       .prepare = [](const fs::path& folder) { fs::create_directory(folder / "odir"); }},
      {.name = "output_is_read_only",
       .input = cp932(kMatched),
       .args = standardRun(),
       .exitCode = 1,
       .err = error("出力先のファイルを作成できません。 out.csv（Permission denied）"),
       .output = kept(),
       .prepare = [](const fs::path& folder) { fs::permissions(folder / "out.csv", fs::perms::owner_read); },
       .needsUnprivileged = true},
      {.name = "output_on_a_full_disk",
       .input = cp932(kMatched),
       .args = convertArgs("in.csv", "/dev/full"),
       .exitCode = 1,
       .err = error("出力先のファイル /dev/full に書き込めません（No space left on device）。"),
       .output = kNotChecked},
      {.name = "output_is_the_input",
       .input = cp932(kMatched),
       .args = convertArgs("in.csv", "in.csv"),
       .exitCode = 1,
       .err = error("出力先のファイルと元のファイルが同じです。 in.csv"),
       .output = kNotChecked},
      {.name = "output_is_a_symbolic_link_to_the_input",
       .input = cp932(kMatched),
       .args = convertArgs("in.csv", "link.csv"),
       .exitCode = 1,
       .err = error("出力先のファイルと元のファイルが同じです。 link.csv"),
       .output = kNotChecked,
       .prepare = linkToInput(true)},
      {.name = "output_is_a_hard_link_to_the_input",
       .input = cp932(kMatched),
       .args = convertArgs("in.csv", "link.csv"),
       .exitCode = 1,
       .err = error("出力先のファイルと元のファイルが同じです。 link.csv"),
       .output = kNotChecked,
       .prepare = linkToInput(false)},
      {.name = "output_is_a_data_file",
       .input = cp932(kMatched),
       .args = convertArgs("in.csv", "data/03.dat"),
       .exitCode = 1,
       .err = error("出力先のファイルが郵便番号データのファイルと同じです。 data/03.dat"),
       .output = kNotChecked},
      {.name = "standard_output_appends_to_the_input",
       .input = cp932(kMatched),
       .args = convertArgs("in.csv", "-", " >>in.csv"),
       .exitCode = 1,
       .err = error("出力先のファイルと元のファイルが同じです。 -"),
       .output = kNotChecked},
      {.name = "standard_output_appends_to_a_data_file",
       .input = cp932(kMatched),
       .args = convertArgs("in.csv", "-", " >>data/03.dat"),
       .exitCode = 1,
       .err = error("出力先のファイルが郵便番号データのファイルと同じです。 -"),
       .output = kNotChecked},
      {.name = "standard_output_is_the_unmatched_file",
       .input = cp932(kMatched),
       .args = convertArgs("in.csv", "-", " --unmatched u.csv >>u.csv"),
       .exitCode = 1,
       .err = error("照合できなかったレコードのファイルと出力先のファイルが同じです。 -"),
       .output = kNotChecked,
       .unmatched = kept()},
      {.name = "standard_output_keeps_the_records_before_a_fault",
       .input = cp932(kMatched) + "\"2\",\x80\r\n",
       .args = convertArgs("in.csv", "-"),
       .exitCode = 1,
       .err = error(invalidBytes("in.csv の2件目", cp932(kMatched).size() + 4)) + written(1),
       .output = kNotChecked,
       .out = cp932(kMatchedOut)},
      {.name = "unmatched_file_folder_missing",
       .input = cp932(kMatched),
       .args = standardRun(" --unmatched nodir/u.csv"),
       .exitCode = 1,
       .err = error("照合できなかったレコードのファイルを作成できません。 nodir/u.csv（No such file or directory）"),
       .output = kept()},
      {.name = "unmatched_file_folder_missing_creates_no_output",
       .input = cp932(kMatched),
       .args = standardRun(" --unmatched nodir/u.csv"),
       .exitCode = 1,
       .err = error("照合できなかったレコードのファイルを作成できません。 nodir/u.csv（No such file or directory）"),
       .output = absent()},
      {.name = "unmatched_file_on_a_full_disk",
       .input = cp932(kVisited + kMatched),
       .args = standardRun(" --unmatched /dev/full"),
       .exitCode = 1,
       .err = error("照合できなかったレコードのファイル /dev/full に書き込めません（No space left on device）。") +
              written(2),
       .output = holds(cp932(kVisitedOut + kMatchedOut))},
      {.name = "unmatched_file_is_the_input",
       .input = cp932(kMatched),
       .args = standardRun(" --unmatched in.csv"),
       .exitCode = 1,
       .err = error("照合できなかったレコードのファイルと元のファイルが同じです。 in.csv"),
       .output = kept()},
      {.name = "unmatched_file_is_the_output",
       .input = cp932(kMatched),
       .args = standardRun(" --unmatched out.csv"),
       .exitCode = 1,
       .err = error("照合できなかったレコードのファイルと出力先のファイルが同じです。 out.csv"),
       .output = kept()},
      {.name = "unmatched_file_keeps_the_records_before_a_fault",
       .input = cp932(kVisited + kMatched) + "\"2\",\x80\r\n",
       .args = standardRun(" --unmatched u.csv"),
       .exitCode = 1,
       .err = error(invalidBytes("in.csv の3件目", cp932(kVisited + kMatched).size() + 4)) + written(2),
       .output = holds(cp932(kVisitedOut + kMatchedOut)),
       .unmatched = holds(cp932(kVisited))},
  };
}

std::vector<BadInputCase> settingsCases() {
  const auto refused = [](const std::string& name, const std::string& settings, const std::string& message) {
    return BadInputCase{.name = name,
                        .input = cp932(kMatched),
                        .args = "-i in.csv -o out.csv" + settings + " --data-dir data",
                        .exitCode = 2,
                        .err = error(message),
                        .output = kept()};
  };
  const std::string unknownOption = "の変換ｏｐｔｉｏｎの合計数が不明です。";
  const std::string outsideInteger = "は－３２７６８から３２７６７迄です。";
  return {
      refused("letters_in_a_position", " -n 5 --postal 2x --pref 3 --city 4 --building 5",
              "郵便番号の位置を数値で入れて下さい。"),
      refused("letters_in_the_field_count", " -n five --postal 2 --pref 3 --city 4 --building 5",
              "項目数を数値で入れて下さい。"),
      refused("empty_field_count", " -n '' --postal 2 --pref 3 --city 4 --building 5", "項目数を数値で入れて下さい。"),
      refused("empty_option", kFive + " --etc3 2 --opt3 ''",
              "その他の項目の３番目の変換ｏｐｔｉｏｎを数値で入れて下さい。"),
      refused("field_count_1e10", " -n 1e10 --postal 2 --pref 3 --city 4 --building 5", "項目数は５０迄です。"),
      refused("field_count_minus_40000", " -n -40000 --postal 2 --pref 3 --city 4 --building 5",
              "項目数" + outsideInteger),
      refused("position_1e10", " -n 5 --postal 2 --pref 3 --city 1e10 --building 5", "市区町村名の位置が不明です。"),
      refused("position_minus_40000", " -n 5 --postal 2 --pref 3 --city -40000 --building 5",
              "市区町村名の位置" + outsideInteger),
      refused("company_position_1e10", kFive + " --company 1e10", "企業名、団体名の位置" + outsideInteger),
      refused("further_position_minus_1", kFive + " --etc1 -1", "その他の項目の1番目の位置は０から５０迄です。"),
      refused("option_12", kFive + " --etc1 2 --opt1 12", "その他の項目の1番目" + unknownOption),
      refused("option_48", kFive + " --etc2 2 --opt2 48", "その他の項目の２番目" + unknownOption),
      refused("option_minus_1", kFive + " --etc7 2 --opt7 -1", "その他の項目の７番目" + unknownOption),
  };
}

std::vector<BadInputCase> allCases() {
  std::vector<BadInputCase> all;
  for (auto part : {inputCases, dataCases, outputCases, settingsCases}) {
    std::vector<BadInputCase> cases = part();
    all.insert(all.end(), cases.begin(), cases.end());
  }
  return all;
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInput, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<BadInputCase>& info) { return info.param.name; });

// A long list, matched and unmatched records by turns, and the lines the
// run makes of it, in code page 932.
struct LongList {
  std::vector<std::string> input;
  std::vector<std::string> output;
  std::vector<std::string> unmatched;
  std::vector<size_t> unmatchedBefore;  // [n]: unmatched records among the first n
};

LongList longList(size_t records) {
  LongList list;
  list.unmatchedBefore.push_back(0);
  for (size_t i = 1; i <= records; ++i) {
    const bool matched = i % 2 == 1;
    const std::string in = cp932(withFirstField(matched ? kMatched : kVisited, std::to_string(i)));
    list.input.push_back(in);
    list.output.push_back(cp932(withFirstField(matched ? kMatchedOut : kVisitedOut, std::to_string(i))));
    if (!matched) list.unmatched.push_back(in);
    list.unmatchedBefore.push_back(list.unmatched.size());
  }
  return list;
}

std::string firstLines(const std::vector<std::string>& lines, size_t n) {
  std::string out;
  for (size_t i = 0; i < n && i < lines.size(); ++i) out += lines[i];
  return out;
}

// How many of the lines fit whole into `bytes`.
size_t linesFitting(const std::vector<std::string>& lines, size_t bytes) {
  size_t n = 0;
  for (size_t used = 0; n < lines.size() && used + lines[n].size() <= bytes; ++n) used += lines[n].size();
  return n;
}

// The count "出力済みのレコード: N件" names; 0 without it.
size_t recordsNamed(const std::string& err) {
  const std::string mark = "出力済みのレコード: ";
  const size_t at = err.find(mark);
  return at == std::string::npos ? 0 : std::stoul(err.substr(at + mark.size()));
}

// Whether `bytes` is the first whole lines of `lines`, and how many.
std::optional<size_t> wholeLinesOf(const std::vector<std::string>& lines, const std::string& bytes) {
  size_t n = 0;
  for (size_t at = 0; at < bytes.size(); at += lines[n++].size()) {
    if (n == lines.size() || bytes.compare(at, lines[n].size(), lines[n]) != 0) return std::nullopt;
  }
  return n;
}

// A run that fails part-way leaves its output, and its file of unmatched
// records, ending after the last complete record: exactly the records
// "出力済みのレコード" names, CR LF last.
TEST(PartWayFailure, OutputsEndAfterTheLastCompleteRecord) {
  constexpr size_t kRecords = 5000;
  constexpr size_t kFaultyRecord = 3000;
  constexpr size_t kLimitBytes = 100 * 512;  // ulimit -f counts blocks of 512 bytes
  const std::string writeLimit = "trap '' XFSZ; ulimit -f 100; ";
  const LongList list = longList(kRecords);
  const std::string input = firstLines(list.input, kRecords);
  const size_t fitting = linesFitting(list.output, kLimitBytes);
  const std::string faultyRecord = std::to_string(kFaultyRecord);
  const std::string beforeFault = firstLines(list.input, kFaultyRecord - 1) + "\"" + faultyRecord + "\",";
  const std::string withFault = beforeFault + "\x80\r\n" + input.substr(firstLines(list.input, kFaultyRecord).size());

  const std::string withUnmatched = " --unmatched u.csv";
  const struct {
    std::string name, input, shell, args, message;
    std::optional<size_t> written;    // records in the output; unset: as many as the message names
    std::optional<size_t> unmatched;  // records in the file of unmatched records; unset: any whole ones
  } cases[] = {
      {"write fault", input, writeLimit, convertArgs("in.csv", "out.csv", withUnmatched),
       "出力先のファイル out.csv に書き込めません（File too large）。", fitting, std::nullopt},
      {"write fault on standard output", input, writeLimit, convertArgs("in.csv", "-", withUnmatched + " >out.csv"),
       "出力先のファイル - に書き込めません（File too large）。", fitting, std::nullopt},
      // The output goes through a pipe, which the limit does not stop; the
      // program's exit status is passed on past the pipe.
      {"write fault in the file of unmatched records", input, "(" + writeLimit,
       convertArgs("in.csv", "-", withUnmatched + "; echo $? >.status) | cat >out.csv; exit $(cat .status)"),
       "照合できなかったレコードのファイル u.csv に書き込めません（File too large）。", std::nullopt,
       linesFitting(list.unmatched, kLimitBytes)},
      {"read fault", withFault, "", convertArgs("in.csv", "out.csv", withUnmatched),
       invalidBytes("in.csv の" + faultyRecord + "件目", beforeFault.size()), kFaultyRecord - 1,
       list.unmatchedBefore[kFaultyRecord - 1]},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempDir dir;
    writeBytes(dir.file("in.csv"), c.input);
    fs::copy(kSmallData, dir.path() / "data", fs::copy_options::recursive);

    const testing::ProgramOutcome o =
        testing::runInFolder(dir.path(), c.shell + testing::shellQuoted(ZUMARO_CONVERT_EXE) + " " + c.args);

    EXPECT_EQ(o.code, 1);
    const size_t named = recordsNamed(o.err);
    EXPECT_EQ(o.err, kDataLine + error(c.message) + written(static_cast<int>(named)));
    EXPECT_GT(named, 0u);
    EXPECT_LT(named, kRecords);
    if (c.written) {
      EXPECT_EQ(named, *c.written);
    }
    EXPECT_TRUE(sameBytes(readBytes(dir.file("out.csv")), firstLines(list.output, named)));
    const std::optional<size_t> unmatched = wholeLinesOf(list.unmatched, readBytes(dir.file("u.csv")));
    ASSERT_TRUE(unmatched.has_value()) << "the file of unmatched records ends inside a record";
    if (c.unmatched) {
      EXPECT_EQ(*unmatched, *c.unmatched);
    }
  }
}

}  // namespace
}  // namespace zumaro
