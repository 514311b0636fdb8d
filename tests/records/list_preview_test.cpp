#include "records/list_preview.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace zumaro {
namespace {

using testing::cp932;
using Rows = std::vector<std::vector<std::string>>;

Rows utf8Rows(const std::vector<std::vector<Text>>& records) {
  Rows rows;
  for (const auto& record : records) {
    rows.emplace_back();
    for (const Text& f : record) rows.back().push_back(toUtf8(f));
  }
  return rows;
}

std::vector<std::string> utf8Fields(const std::vector<Text>& fields) {
  std::vector<std::string> out;
  for (const Text& f : fields) out.push_back(toUtf8(f));
  return out;
}

class ListPreviewTest : public ::testing::Test {
 protected:
  ListPreview preview(const std::string& bytes, bool header, int fieldCount = 0) {
    testing::writeBytes(dir.file("list.csv"), bytes);
    ListPreviewRequest request;
    request.path = dir.file("list.csv");
    request.header = header;
    request.fieldCount = fieldCount;
    return previewList(request);
  }
  testing::TempDir dir;
};

TEST_F(ListPreviewTest, ReadsTheHeaderTheFieldCountAndTheFirstRecords) {
  const struct {
    const char* name;
    std::string bytes;
    bool header;
    int fieldCount;
    TextEncoding encoding;
    std::vector<std::string> headerFields;
    int firstLineFields;
    Rows records;
  } cases[] = {
      {"code page 932 with a header",
       cp932("番号,住所\r\n1,ｱｲ\r\n2,\"ｳ,ｴ\"\r\n"),
       true,
       0,
       TextEncoding::Cp932,
       {"番号", "住所"},
       2,
       {{"1", "ｱｲ"}, {"2", "ｳ,ｴ"}}},
      {"UTF-8 with a mark, no header",
       "\xEF\xBB\xBF\"a\",\"b\",\"c\"\r\nd,e,f\r\n",
       false,
       0,
       TextEncoding::Utf8WithBom,
       {},
       3,
       {{"a", "b", "c"}, {"d", "e", "f"}}},
      {"a field count given", "a,b,c,d\r\n", false, 2, TextEncoding::Cp932, {}, 4, {{"a", "b"}, {"c", "d"}}},
      {"blank lines before the first record",
       "h\r\n\r\n\r\na,b\r\n",
       true,
       0,
       TextEncoding::Cp932,
       {"h"},
       2,
       {{"", ""}, {"a", "b"}}},
      {"only a header", "a,b,c\r\n", true, 0, TextEncoding::Cp932, {"a", "b", "c"}, 0, {}},
      {"empty", "", false, 0, TextEncoding::Cp932, {}, 0, {}},
  };
  for (const auto& c : cases) {
    const ListPreview p = preview(c.bytes, c.header, c.fieldCount);
    ASSERT_TRUE(p.ok) << c.name << ": " << toUtf8(p.error);
    EXPECT_EQ(p.encoding, c.encoding) << c.name;
    EXPECT_EQ(utf8Fields(p.headerFields), c.headerFields) << c.name;
    EXPECT_EQ(p.firstLineFields, c.firstLineFields) << c.name;
    EXPECT_EQ(utf8Rows(p.records), c.records) << c.name;
  }
}

TEST_F(ListPreviewTest, StopsAtTwentyRecords) {
  std::string list;
  for (int i = 1; i <= 30; ++i) list += std::to_string(i) + ",x\r\n";
  const ListPreview p = preview(list, false);
  ASSERT_EQ(p.records.size(), 20u);
  EXPECT_EQ(toUtf8(p.records.back()[0]), "20");
}

// A spreadsheet's list with its column titles: 番号,名前,郵便番号,住所, then
// `records` records.
std::string titledList(int records) {
  std::string list = "番号,名前,郵便番号,住所\r\n";
  for (int k = 1; k <= records; ++k) list += std::to_string(k) + ",ﾔﾏﾀﾞ,231-0062,ﾖｺﾊﾏｼ\r\n";
  return list;
}

TEST_F(ListPreviewTest, FindsTheColumnByWhichTheFirstRecordLooksLikeAHeaderRow) {
  std::string sample;
  {
    std::ifstream in(ZUMARO_EXAMPLES_DIR "/sample-list.csv", std::ios::binary);
    sample.assign(std::istreambuf_iterator<char>(in), {});
  }
  ASSERT_FALSE(sample.empty());
  const struct {
    const char* name;
    std::string bytes;
    bool header;
    int postalField;
    int maxRecords;
    int found;
  } cases[] = {
      {"titles, the postal code not known yet", titledList(15), false, 0, kPreviewRecords, 3},
      {"titles, the postal code known", titledList(15), false, 3, kPreviewRecords, 3},
      {"titles, another field named as the postal code", titledList(15), false, 2, kPreviewRecords, 0},
      {"titles taken as the header", titledList(15), true, 0, kPreviewRecords, 0},
      {"titles over a short list", titledList(4), false, 0, kPreviewRecords, 3},
      {"too few records shown to tell", titledList(15), false, 3, 5, 0},
      {"the sample list", sample, false, 0, kPreviewRecords, 0},
      // Its six-digit record numbers read as codes too, with the zeros put back.
      {"the sample list under titles", "No,Name,ZIP,Pref,City,Bldg,Co,Note\r\n" + sample, false, 0, kPreviewRecords, 3},
      {"the sample list, its postal code known", sample, false, 3, kPreviewRecords, 0},
  };
  for (const auto& c : cases) {
    testing::writeBytes(dir.file("list.csv"), c.bytes);
    ListPreviewRequest request;
    request.path = dir.file("list.csv");
    request.header = c.header;
    request.postalField = c.postalField;
    request.maxRecords = c.maxRecords;
    const ListPreview p = previewList(request);
    ASSERT_TRUE(p.ok) << c.name;
    EXPECT_EQ(p.headerRowField, c.found) << c.name;
  }
}

TEST_F(ListPreviewTest, SaysWhatIsWrongAndWhere) {
  const struct {
    const char* name;
    std::string bytes;
    bool header;
    std::string error;
  } cases[] = {
      {"invalid bytes in a record", "a,b\r\nc,d\r\ne,\x80\r\n", false,
       "list.csv の3件目にコードページ932(Shift-JIS)として読めないバイトがあります（オフセット12バイト）。（3行目）"},
      {"invalid bytes in the header", "h\x80\r\na,b\r\n", true,
       "list.csv の見出し行にコードページ932(Shift-JIS)として読めないバイトがあります（オフセット1バイト）。（1行目）"},
      {"unclosed quote", "h\r\na,\"b\r\n", true,
       "list.csv の1件目で引用符(\")が閉じられないままファイルが終わっています。（2行目）"},
  };
  for (const auto& c : cases) {
    const ListPreview p = preview(c.bytes, c.header);
    EXPECT_FALSE(p.ok) << c.name;
    // Messages name the file by the path given.
    EXPECT_EQ(toUtf8(p.error), dir.path().string() + "/" + c.error) << c.name;
  }
  ListPreviewRequest missing;
  missing.path = dir.file("none.csv");
  EXPECT_EQ(toUtf8(previewList(missing).error), "指定されたファイルが存在しません。 " + dir.file("none.csv"));
}

}  // namespace
}  // namespace zumaro
