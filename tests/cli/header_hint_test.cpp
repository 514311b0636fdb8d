// A list's header row taken for a record: the run converts as asked and
// says so at its end, the report's row of that record says so too, and lists
// without such a row (the sample list, the benchmark's lists) never hear it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/program_run.h"
#include "testing/temp_dir.h"
#ifdef ZUMARO_HAVE_BENCH
#include "bench/list_generator.h"
#endif

namespace zumaro {
namespace {

using testing::cp932;
using testing::fromCp932;
using testing::readBytes;
using testing::writeBytes;

const std::string kSample = ZUMARO_EXAMPLES_DIR "/sample-list.csv";
const std::string kSampleSettings = " -n 8 --postal 3 --pref 4 --city 5 --building 6 --company 7";

std::string q(const std::string& s) { return testing::shellQuoted(s); }

std::string warningFor(const std::string& postalField) {
  return "警告: 1行目は見出しのようです（郵便番号の項目が「" + postalField +
         "」）。見出しなら --header（フォームでは「1行目は見出し」）を付けてください。\n";
}

bool hinted(const std::string& err) { return err.find("1行目は見出しのようです") != std::string::npos; }

// The sample list's lines (UTF-8), CR LF kept.
std::vector<std::string> sampleLines() {
  const std::string text = fromCp932(readBytes(kSample));
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start + 1));
    start = end + 1;
  }
  return lines;
}

// A title line over the first `records` lines of the sample list, code page 932.
std::string titled(const std::string& title, size_t records) {
  std::string list = title;
  const std::vector<std::string> lines = sampleLines();
  for (size_t i = 0; i < records && i < lines.size(); ++i) list += lines[i];
  return cp932(list);
}

const std::string kTitles = "番号,名前,郵便番号,県名,住所,ビル名,会社,備考\r\n";

// The postal code of the sample list's line `line` (0-based) left out.
std::string withoutCode(std::string list, int line) {
  size_t start = 0;
  for (int i = 0; i < line; ++i) start = list.find('\n', start) + 1;
  const size_t code = list.find(",\"", list.find(",\"", start) + 1) + 1;  // the third field
  list.replace(code, list.find('"', code + 1) - code + 1, "\"\"");
  return list;
}

class HeaderHint : public ::testing::Test {
 protected:
  testing::ProgramOutcome run(const std::string& list, const std::string& options) {
    writeBytes(dir.file("in.csv"), list);
    return testing::runInFolder(dir.path(), q(ZUMARO_CONVERT_EXE) + " -i in.csv -o out.csv" + kSampleSettings +
                                                " --data-dir " + q(ZUMARO_SAMPLE_DATA_DIR) + " " + options);
  }
  testing::TempDir dir;
};

TEST_F(HeaderHint, TheWarningComesForAHeaderRowOnly) {
  const std::string sample = readBytes(kSample);
  const struct {
    const char* name;
    std::string list;
    const char* options;
    const char* postalField;  // named by the warning; nullptr: no warning
  } cases[] = {
      {"a header row", titled(kTitles, 50), "", "郵便番号"},
      {"a header row, quoted", titled("\"No\",\"氏名\",\"〒\",\"県\",\"住所\",\"\",\"\",\"\"\r\n", 50), "", "〒"},
      {"a header row over five records", titled(kTitles, 5), "", "郵便番号"},
      {"a header row over five records, one without a code", withoutCode(titled(kTitles, 5), 3), "", nullptr},
      {"one of the next ten without a code", withoutCode(titled(kTitles, 50), 4), "", "郵便番号"},
      {"two of the next ten without a code", withoutCode(withoutCode(titled(kTitles, 50), 4), 6), "", nullptr},
      {"a title with a digit", titled("番号,名前,郵便番号7桁,県名,住所,ビル名,会社,備考\r\n", 50), "", nullptr},
      {"a header row taken as the header", titled(kTitles, 50), "--header", nullptr},
      {"the sample list", sample, "", nullptr},
      {"the sample list, reported", sample, "--report report.csv", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const testing::ProgramOutcome o = run(c.list, c.options);
    ASSERT_EQ(o.code, 0) << o.err;
    if (!c.postalField) {
      EXPECT_FALSE(hinted(o.err)) << o.err;
      continue;
    }
    // The last warning, before the end of the run.
    EXPECT_NE(o.err.find(warningFor(c.postalField) + "変換処理終了\n"), std::string::npos) << o.err;
  }
}

// Everything else is as without the guess: the records after the header
// row come out as they do with --header, and the report's row of the header
// row keeps its reason and message, one sentence added.
TEST_F(HeaderHint, TheRunConvertsAsAskedAndTheReportRowSaysSo) {
  const std::string list = titled(kTitles, 50);
  ASSERT_EQ(run(list, "--report hinted.csv").code, 0);
  const std::string hintedOutput = readBytes(dir.file("out.csv"));
  ASSERT_EQ(run(list, "--header").code, 0);
  const std::string asHeader = readBytes(dir.file("out.csv"));
  EXPECT_EQ(hintedOutput.substr(hintedOutput.find('\n')), asHeader.substr(asHeader.find('\n')));

  // The same header row without the hint: two records after it lack a code.
  ASSERT_EQ(run(withoutCode(withoutCode(list, 2), 3), "--report plain.csv").code, 0);
  const std::string hinted = readBytes(dir.file("hinted.csv"));
  const std::string plain = readBytes(dir.file("plain.csv"));
  auto secondLine = [](const std::string& report) {
    const size_t start = report.find('\n') + 1;
    return report.substr(start, report.find('\r', start) - start);
  };
  EXPECT_EQ(secondLine(plain).rfind("1,1,no-postal-code,郵便番号,", 0), 0u) << plain;
  EXPECT_EQ(secondLine(hinted), secondLine(plain) + "1行目は見出しのようです。");
  // Only the header row's row says so.
  EXPECT_EQ(hinted.find("見出し", hinted.find('\n', hinted.find("見出し")) + 1), std::string::npos) << hinted;
}

#ifdef ZUMARO_HAVE_BENCH
// The benchmark's lists, sorted and not, as generated and with a title line
// over them, which does get the hint.
TEST_F(HeaderHint, TheBenchmarksListsHaveNone) {
  for (const bench::ListOrder order : {bench::ListOrder::Sorted, bench::ListOrder::Unsorted}) {
    bench::ListShape shape;
    shape.records = 200;
    shape.order = order;
    bench::generateList(ZUMARO_SAMPLE_DATA_DIR, dir.file("bench.csv"), shape);
    const std::string list = readBytes(dir.file("bench.csv"));
    const std::string command = q(ZUMARO_CONVERT_EXE) + " -i in.csv -o out.csv " + bench::kListSettings +
                                " --data-dir " + q(ZUMARO_SAMPLE_DATA_DIR);
    for (const bool titledList : {false, true}) {
      SCOPED_TRACE(std::string(order == bench::ListOrder::Sorted ? "sorted" : "unsorted") +
                   (titledList ? ", titled" : ""));
      writeBytes(dir.file("in.csv"), (titledList ? cp932("No,ﾖﾐ,ZIP,県,住所,ﾋﾞﾙ,社,TEL,日付,備考\r\n") : "") + list);
      const testing::ProgramOutcome o = testing::runInFolder(dir.path(), command);
      ASSERT_EQ(o.code, 0) << o.err;
      EXPECT_EQ(hinted(o.err), titledList) << o.err;
    }
  }
}

#endif

}  // namespace
}  // namespace zumaro
