// Lists that keep the town area in a field of its own (--town), as bank and
// shop exports do, through the built program with the report case's data.
#include <gtest/gtest.h>

#include <string>

#include "testing/program_run.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

using testing::cp932;
using testing::fromCp932;
using testing::readBytes;
using testing::writeBytes;

const std::string kData = ZUMARO_TEST_DATA_DIR "/report/data";
// Number, postal code, prefecture, city, town area, building, company.
const std::string kSettings = " -n 7 --postal 2 --town 5 --building 6 --company 7";
const std::string kApart = "--pref 3 --city 4";
const std::string kShared = "--pref 4 --city 4";
const std::string kWritten = kApart + " --blocks written";

std::string q(const std::string& s) { return testing::shellQuoted(s); }

class TownField : public ::testing::Test {
 protected:
  testing::ProgramOutcome run(const std::string& args) {
    return testing::runInFolder(dir.path(), q(ZUMARO_CONVERT_EXE) + " -q -i in.csv -o out.csv" + kSettings +
                                                " --data-dir " + q(kData) + " " + args);
  }
  testing::TempDir dir;
};

// Each field gets the written form of what it held.
TEST_F(TownField, EachFieldGetsTheWrittenFormOfWhatItHeld) {
  const struct {
    const char* code;
    const char* fields;
    std::string options;
    const char* converted;
  } cases[] = {
      {"131-0045", R"("ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸ","ﾎﾝﾏﾁ1-2-3","","")", kApart, R"("東京都","緑区","本町１－２－３","","")"},
      // The town area written in the city field all the same.
      {"131-0045", R"("ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾎﾝﾏﾁ","1-2-3","","")", kApart, R"("東京都","緑区本町","１－２－３","","")"},
      {"131-0045", R"("ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾎﾝﾏﾁ1-2","ｺｰﾎﾟ","","")", kApart, R"("東京都","緑区本町１－２","コーポ","","")"},
      {"131-0045", R"("ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾎﾝﾏﾁ  ","3","","")", kApart, R"("東京都","緑区本町","３","","")"},
      {"131-0045", R"("ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸ  ","ﾎﾝﾏﾁ3","","")", kApart, R"("東京都","緑区","本町３","","")"},
      {"131-0045", R"("ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾎﾝﾏﾁ1-2-3","","","")", kApart, R"("東京都","緑区本町１－２－３","","","")"},
      {"131-0045", R"("ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸ","ﾎﾝﾏﾁ1ﾁﾖｳﾒ2ﾊﾞﾝ3ｺﾞｳ","","")", kWritten,
       R"("東京都","緑区","本町１丁目２番３号","","")"},
      {"131-0045", R"("ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸﾎﾝﾏﾁ2ﾁﾖｳﾒ","1ｰ2","","")", kWritten, R"("東京都","緑区本町２丁目","１－２","","")"},
      // Prefecture and city in one field, with and without the prefecture.
      {"131-0045", R"("x","ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸ","ﾎﾝﾏﾁ1","","")", kShared, R"("x","東京都緑区","本町１","","")"},
      {"131-0045", R"("x","ﾐﾄﾞﾘｸ","ﾎﾝﾏﾁ1","","")", kShared, R"("x","東京都緑区","本町１","","")"},
      {"131-0045", R"("x","ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸﾎﾝﾏﾁ1","2","","")", kShared, R"("x","東京都緑区本町１","２","","")"},
      // A business entry, applied on the code alone.
      {"131-0048", R"("ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸ","ﾎﾝﾏﾁ2-1","ﾐﾄﾞﾘﾋﾞﾙ","ﾐﾄﾞﾘｼﾖｳｼﾞ")", kApart,
       R"("東京都","緑区","本町２丁目１－１","","緑商事　株式会社")"},
      // The city's 町 read ﾏﾁ by the record, ﾁﾖｳ by the data.
      {"330-0001", R"("ｻｲﾀﾏｹﾝ","ﾐﾅﾐﾏﾁ","ｻｸﾗ2-5","","")", kApart, R"("埼玉県","南町","桜２－５","","")"},
      {"131-0045", R"("ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸ","ｻｸﾗ9","","")", kApart, R"("ﾄｳｷﾖｳﾄ","ﾐﾄﾞﾘｸ","ｻｸﾗ9","","")"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fields);
    const std::string head = std::string("\"1\",\"") + c.code + "\",";
    writeBytes(dir.file("in.csv"), cp932(head + c.fields + "\r\n"));
    for (const char* path : {"bytes", "decode"}) {
      const auto o = run(c.options + " --record-path " + path);
      ASSERT_EQ(o.code, 0) << o.err;
      EXPECT_EQ(fromCp932(readBytes(dir.file("out.csv"))), head + c.converted + "\r\n") << path;
    }
  }
}

// One space between the fields that hold anything.
TEST_F(TownField, ReportShowsTheTownFieldBehindTheCity) {
  writeBytes(dir.file("in.csv"), cp932("\"1\",\"131-0045\",\"ﾄｳｷﾖｳﾄ\",\"ﾐﾄﾞﾘｸ\",\"ｻｸﾗ9\",\"\",\"\"\r\n"
                                       "\"2\",\"131-0045\",\"ﾄｳｷﾖｳﾄ\",\"\",\"ﾐﾄﾞﾘｸｻｸﾗ9\",\"\",\"\"\r\n"));
  const auto o = run(kApart + " --report report.csv");
  ASSERT_EQ(o.code, 0) << o.err;
  const std::string report = readBytes(dir.file("report.csv"));
  for (const char* row :
       {"1,1,reading-differs,131-0045,ﾄｳｷﾖｳﾄ ﾐﾄﾞﾘｸ ｻｸﾗ9,", "2,2,reading-differs,131-0045,ﾄｳｷﾖｳﾄ ﾐﾄﾞﾘｸｻｸﾗ9,"})
    EXPECT_NE(report.find(row), std::string::npos) << row << "\n" << report;
}

}  // namespace
}  // namespace zumaro
