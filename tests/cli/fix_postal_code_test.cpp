// Postal codes fixed from the reading (--fix-postal-code), through the built
// program with a data folder of its own: what is fixed for certain, in the
// record's notation, and what is left as read with the report's word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/program_run.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

using testing::cp932;
using testing::fromCp932;
using testing::readBytes;
using testing::writeBytes;

std::string entry(const char* key, const char* pref, const char* city, const char* town, const char* prefReading,
                  const char* cityReading, const char* townReading) {
  return std::string("\"") + key + "\",\"" + pref + "\",\"" + city + "\",\"" + town + "\",\"\",\"\",\"" + prefReading +
         "\",\"" + cityReading + "\",\"" + townReading + "\",\"\",\"\"";
}

// 若葉 under one code; 双葉 under two of 131 and one of 132; 川原 and 河原
// read alike; 旭ケ丘 of 札幌市中央区 and Tokyo's own 中央区.
std::vector<std::vector<std::string>> dataFiles() {
  std::vector<std::vector<std::string>> files(24);
  files[2] = {entry("0640941", "北海道", "札幌市中央区", "旭ケ丘", "ﾎﾂｶｲﾄﾞｳ", "ｻﾂﾎﾟﾛｼﾁﾕｳｵｳｸ", "ｱｻﾋｶﾞｵｶ")};
  files[3] = {entry("1040000", "東京都", "中央区", "", "ﾄｳｷﾖｳﾄ", "ﾁﾕｳｵｳｸ", ""),
              entry("1310045", "東京都", "緑区", "本町", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ﾎﾝﾏﾁ"),
              entry("1310046", "東京都", "緑区", "桜台", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ｻｸﾗﾀﾞｲ"),
              entry("1310047", "東京都", "緑区", "川原", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ｶﾜﾗ"),
              entry("1310047", "東京都", "緑区", "河原", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ｶﾜﾗ"),
              entry("1310050", "東京都", "緑区", "若葉", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ﾜｶﾊﾞ"),
              entry("1310051", "東京都", "緑区", "双葉", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ﾌﾀﾊﾞ"),
              entry("1310052", "東京都", "緑区", "双葉", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ﾌﾀﾊﾞ"),
              entry("1310060", "東京都", "緑区", "芦原", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ｱｼﾊﾗ"),
              entry("1310060", "東京都", "緑区", "芦原犬田", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ｱｼﾊﾗｲﾇﾀ"),
              entry("1310061", "東京都", "緑区", "今町", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ｲﾏﾁﾖｳ")};
  files[4] = {entry("1320051", "東京都", "緑区", "双葉", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ﾌﾀﾊﾞ")};
  return files;
}

class FixPostalCode : public ::testing::Test {
 protected:
  void SetUp() override { testing::writeDataFolder(dir.file("data"), dataFiles()); }
  testing::ProgramOutcome run(const std::string& list, const std::string& options) {
    writeBytes(dir.file("in.csv"), cp932(list));
    return testing::runInFolder(dir.path(), std::string(testing::shellQuoted(ZUMARO_CONVERT_EXE)) +
                                                " -q -i in.csv -o out.csv -n 5 --postal 2 --pref 3 --city 4" +
                                                " --building 5 --data-dir data --report report.csv " + options);
  }
  testing::TempDir dir;
};

TEST_F(FixPostalCode, FixesOnlyWhatItFindsForCertain) {
  const struct {
    const char* record;     // number, postal code, prefecture, address
    const char* converted;  // the record as written with the option
    const char* reason;     // of its report row
  } cases[] = {
      {R"("1","","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾜｶﾊﾞ1")", R"("1","131-0050","東京都","緑区若葉１")", "postal-code-fixed"},
      {R"("2","131-01","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾜｶﾊﾞ1")", R"("2","131-0050","東京都","緑区若葉１")", "postal-code-fixed"},
      {R"("3","9999999","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾜｶﾊﾞ1")", R"("3","1310050","東京都","緑区若葉１")", "postal-code-fixed"},
      {R"("4","〒１３１－００４５","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾜｶﾊﾞ1")", R"("4","〒１３１－００５０","東京都","緑区若葉１")",
       "postal-code-fixed"},
      // One address under several codes: a code of before 1998 picks one.
      {R"("5","","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾌﾀﾊﾞ2")", nullptr, "no-postal-code"},
      {R"("6","132","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾌﾀﾊﾞ2")", R"("6","132-0051","東京都","緑区双葉２")", "postal-code-fixed"},
      {R"("7","131","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾌﾀﾊﾞ2")", nullptr, "no-postal-code"},
      // Two towns read alike.
      {R"("8","","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸｶﾜﾗ3")", nullptr, "no-postal-code"},
      // A slip in the reading of the own code keeps the code.
      {R"("9","1310046","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸｻｸﾗﾀﾞｴ4")", nullptr, "reading-differs"},
      // Without a prefecture the city is named whole: not 東京都中央区.
      {R"("10","","","ﾁﾕｳｵｳｸｱｻﾋｶﾞｵｶ5")", nullptr, "no-postal-code"},
      {R"("11","","ﾎﾂｶｲﾄﾞｳ","ﾁﾕｳｵｳｸｱｻﾋｶﾞｵｶ5")", R"("11","064-0941","北海道","札幌市中央区旭ケ丘５")",
       "postal-code-fixed"},
      // The right code: as without the option.
      {R"("12","1310045","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾎﾝﾏﾁ6")", R"("12","1310045","東京都","緑区本町６")", nullptr},
      // A town one kana off another of the code, or its 町 read ﾏﾁ with ﾁﾖｳ
      // after it, is a slip: not a shorter town with kana left behind.
      {R"("13","1310060","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸｱｼﾊﾗﾃﾇﾀ7")", nullptr, "reading-differs"},
      {R"("14","1310061","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸｲﾏﾏﾁﾖｳ8")", nullptr, "reading-differs"},
  };
  std::string list;
  const std::string building = ",\"\"";  // an empty building field closes every record
  for (const auto& c : cases) list += std::string(c.record) + building + "\r\n";
  const testing::ProgramOutcome plain = run(list, "");
  ASSERT_EQ(plain.code, 0) << plain.err;
  const std::string withoutOption = fromCp932(readBytes(dir.file("out.csv")));
  const testing::ProgramOutcome fixing = run(list, "--fix-postal-code");
  ASSERT_EQ(fixing.code, 0) << fixing.err;
  const std::string out = fromCp932(readBytes(dir.file("out.csv")));
  const std::string report = readBytes(dir.file("report.csv"));
  size_t at = 0, plainAt = 0;
  for (const auto& c : cases) {
    const size_t end = out.find("\r\n", at), plainEnd = withoutOption.find("\r\n", plainAt);
    const std::string line = out.substr(at, end - at), plainLine = withoutOption.substr(plainAt, plainEnd - plainAt);
    at = end + 2;
    plainAt = plainEnd + 2;
    // Left as read where nothing is certain; the option changes nothing else.
    EXPECT_EQ(line, (c.converted ? std::string(c.converted) : std::string(c.record)) + building) << c.record;
    if (!c.converted || !std::string(c.reason ? c.reason : "").starts_with("postal-code-fixed")) {
      EXPECT_EQ(line, plainLine) << c.record;
    }
    const std::string number = std::string(c.record).substr(1, std::string(c.record).find('"', 1) - 1);
    const bool reported =
        report.find("\n" + number + "," + number + "," + (c.reason ? c.reason : "")) != std::string::npos;
    EXPECT_EQ(reported, c.reason != nullptr) << c.record << "\n" << report;
  }
  EXPECT_NE(report.find("\n9,9,reading-differs,1310046,ﾄｳｷﾖｳﾄ ﾐﾄﾞﾘｸｻｸﾗﾀﾞｴ4,1310046,東京都緑区桜台,"), std::string::npos)
      << "the slip's own code and town suggested\n"
      << report;
  EXPECT_NE(report.find("\n13,13,reading-differs,1310060,ﾄｳｷﾖｳﾄ ﾐﾄﾞﾘｸｱｼﾊﾗﾃﾇﾀ7,1310060,東京都緑区芦原犬田,"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find(",postal-code-fixed,131-01,ﾄｳｷﾖｳﾄ ﾐﾄﾞﾘｸﾜｶﾊﾞ1,1310050,東京都緑区若葉,"), std::string::npos)
      << report;
}

TEST_F(FixPostalCode, NeedsTheTolerantComparison) {
  const testing::ProgramOutcome o = run(R"("1","","ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾜｶﾊﾞ1","")"
                                        "\r\n",
                                        "--fix-postal-code --match classic");
  EXPECT_EQ(o.code, 2);
  EXPECT_NE(o.err.find("郵便番号を直す（--fix-postal-code）は --match classic では使えません。"), std::string::npos)
      << o.err;
}

}  // namespace
}  // namespace zumaro
