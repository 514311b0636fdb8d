#include "records/field_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "state/failure.h"
#include "testing/temp_dir.h"
#include "text/read_error.h"

namespace zumaro {
namespace {

using testing::cp932;
using testing::TempDir;
using testing::writeBytes;
using Result = RecordReader::Result;

struct Read {
  Result result;
  std::vector<std::string> fields;  // UTF-8
  int64_t number;
};

// Every record of `bytes` read with `n` fields, up to and including End.
std::vector<Read> readAll(const std::string& bytes, int n) {
  TempDir dir;
  const std::string path = dir.file("in.csv");
  writeBytes(path, bytes);
  TextSource source;
  EXPECT_TRUE(source.open(path));
  RecordReader reader(source, n);
  std::vector<Read> out;
  std::vector<Text> fields;
  for (int guard = 0; guard < 100000; ++guard) {
    Result r = reader.next(fields);
    Read read{r, {}, reader.recordNumber()};
    for (const Text& f : fields) read.fields.push_back(toUtf8(f));
    out.push_back(read);
    if (r == Result::End) break;
  }
  return out;
}

using Fields = std::vector<std::string>;

// Records expected as Result::Record, then End.
void expectRecords(const std::string& bytes, int n, const std::vector<Fields>& records) {
  std::vector<Read> got = readAll(bytes, n);
  ASSERT_EQ(got.size(), records.size() + 1) << bytes;
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(got[i].result, Result::Record) << "record " << i + 1;
    EXPECT_EQ(got[i].fields, records[i]) << "record " << i + 1;
    EXPECT_EQ(got[i].number, static_cast<int64_t>(i + 1));
  }
  EXPECT_EQ(got.back().result, Result::End);
}

ReadError readError(const std::string& bytes, int n) {
  try {
    readAll(bytes, n);
  } catch (const ReadError& e) {
    return e;
  }
  ADD_FAILURE() << "no ReadError for " << bytes.substr(0, 40);
  return ReadError(ReadFault::IoError, 0);
}

TEST(FieldReader, FieldsNotLinesMakeRecords) {
  // surplus fields open the next record
  expectRecords("a,b,c,d,e\r\nf\r\n", 3, {{"a", "b", "c"}, {"d", "e", "f"}});
  // one record over two lines
  expectRecords("a,b\r\nc\r\nd,e,f\r\n", 3, {{"a", "b", "c"}, {"d", "e", "f"}});
  expectRecords("", 3, {});
}

TEST(FieldReader, QuotedAndEmptyFields) {
  expectRecords("\"x,y\",\"\",,z\r\n", 4, {{"x,y", "", "", "z"}});
  // leading zeros, signs and inner spaces survive: nothing is a number
  expectRecords("001-0010,007,-0, a b\r\n", 4, {{"001-0010", "007", "-0", "a b"}});
  // spaces before a field are skipped, also before a quote
  expectRecords("  a,   \"b \",c\r\n", 3, {{"a", "b ", "c"}});
  // tabs and # are plain characters
  expectRecords("\tx\t,#y#,\"#\"\r\n", 3, {{"\tx\t", "#y#", "#"}});
}

TEST(FieldReader, TextAfterAClosingQuoteJoinsTheValue) {
  expectRecords("\"ab\"cd  ,\"e\"  \r\n\"f\"g\"h\",x\r\n", 2, {{"abcd", "e"}, {"fg\"h\"", "x"}});
}

TEST(FieldReader, LineEndInsideQuotesBelongsToTheValue) {
  expectRecords("\"a\r\nb\",\"c\rd\ne\"\r\n", 2, {{"a\r\nb", "c\rd\ne"}});
}

TEST(FieldReader, LoneCrAndLfEndLines) {
  expectRecords("a,b\rc,d\ne,f\r\n", 2, {{"a", "b"}, {"c", "d"}, {"e", "f"}});
  // CR CR is two line ends, so one empty field in between
  expectRecords("a\r\rb\r\n", 3, {{"a", "", "b"}});
}

TEST(FieldReader, CommaBeforeTheEndAnnouncesAnEmptyField) {
  expectRecords("a,b,", 3, {{"a", "b", ""}});
  expectRecords("a,b,\r\n", 3, {{"a", "b", ""}});
}

TEST(FieldReader, BlankLinesInsideTheDataAreEmptyFields) {
  expectRecords("a,b\r\n\r\n\r\nc,d\r\n", 2, {{"a", "b"}, {"", ""}, {"c", "d"}});
  expectRecords("a,b,c\r\n\r\nd,e\r\n", 3, {{"a", "b", "c"}, {"", "d", "e"}});
  expectRecords("\n\n\nx,y\nz\n", 2, {{"", ""}, {"", "x"}, {"y", "z"}});
}

TEST(FieldReader, BlankLinesAtTheEndAreNoRecord) {
  expectRecords("a,b\r\n\r\n  \r\n\n\r", 2, {{"a", "b"}});
  expectRecords("a,b\r\n\r\n\r\n", 2, {{"a", "b"}});
  expectRecords("\r\n\r\n", 1, {});
  // A DOS end-of-file mark closes the data; anywhere else it is a character.
  expectRecords("a,b\r\n\x1a", 2, {{"a", "b"}});
  expectRecords("a,\x1a\r\n", 2, {{"a", "\x1a"}});
}

TEST(FieldReader, ShortLastRecordIsFilledWithEmptyFields) {
  std::vector<Read> got = readAll("a,b,c\r\n\r\nd,e\r\n", 4);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].result, Result::Record);
  EXPECT_EQ(got[0].fields, (Fields{"a", "b", "c", ""}));
  EXPECT_EQ(got[1].result, Result::ShortRecord);
  EXPECT_EQ(got[1].fields, (Fields{"d", "e", "", ""}));
  EXPECT_EQ(got[1].number, 2);
  EXPECT_EQ(got[2].result, Result::End);

  got = readAll("a,b,c\r\n\r\n\r\n\r\nx", 3);  // blank record, then a short one
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[1].result, Result::Record);
  EXPECT_EQ(got[1].fields, (Fields{"", "", ""}));
  EXPECT_EQ(got[2].result, Result::ShortRecord);
  EXPECT_EQ(got[2].fields, (Fields{"x", "", ""}));
  EXPECT_EQ(got[2].number, 3);
  EXPECT_EQ(got[3].result, Result::End);

  got = readAll("a,b,c\r\nd,\"e\"", 3);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[1].result, Result::ShortRecord);
  EXPECT_EQ(got[1].fields, (Fields{"d", "e", ""}));
}

TEST(FieldReader, UnclosedQuoteNamesItsRecord) {
  ReadError e = readError("a,b\r\nc,\"d,e\r\nf\r\n", 2);
  EXPECT_EQ(e.fault, ReadFault::UnclosedQuote);
  EXPECT_EQ(e.recordNumber, 2);
  // blank records held back still count
  e = readError("a,b\r\n\r\n\r\n\"x", 2);
  EXPECT_EQ(e.fault, ReadFault::UnclosedQuote);
  EXPECT_EQ(e.recordNumber, 3);
}

TEST(FieldReader, FieldsUpToTheLimitAreTakenLongerOnesNameRecordAndField) {
  const std::string longest(kMaxFieldLength, 'x');
  std::vector<Read> got = readAll("a," + longest + "\r\n\"" + longest + "\",b", 2);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].fields[1].size(), kMaxFieldLength);
  EXPECT_EQ(got[1].fields[0].size(), kMaxFieldLength);

  const struct {
    std::string bytes;
    int64_t record;
    int field;
  } cases[] = {
      {"a,b\r\nc," + longest + "x\r\n", 2, 2},
      {"a,\"" + longest + "x\"\r\n", 1, 2},
      {"a,\"" + longest + "\"x\r\n", 1, 2},            // with the text after the closing quote
      {"\"" + longest + "x", 1, 1},                    // an unclosed quote: the length is met first
      {std::string(kMaxFieldLength + 1, '\0'), 1, 1},  // no separator at all
  };
  for (const auto& c : cases) {
    ReadError e = readError(c.bytes, 2);
    EXPECT_EQ(e.fault, ReadFault::FieldTooLong) << c.bytes.substr(0, 10);
    EXPECT_EQ(e.recordNumber, c.record) << c.bytes.substr(0, 10);
    EXPECT_EQ(e.field, c.field) << c.bytes.substr(0, 10);
  }
}

TEST(FieldReader, InvalidBytesNameRecordAndExactOffset) {
  // the records before the bad bytes are still delivered
  const std::string head = cp932("あ,b\r\nc,");  // 8 bytes
  ReadError e(ReadFault::IoError, 0);
  {
    TempDir dir;
    writeBytes(dir.file("in.csv"), head +
                                       "\x80"
                                       "d\r\n");
    TextSource source;
    ASSERT_TRUE(source.open(dir.file("in.csv")));
    RecordReader reader(source, 2);
    std::vector<Text> fields;
    ASSERT_EQ(reader.next(fields), Result::Record);
    EXPECT_EQ(fields, (std::vector<Text>{u"あ", u"b"}));
    try {
      reader.next(fields);
      ADD_FAILURE() << "no ReadError";
    } catch (const ReadError& err) {
      e = err;
    }
  }
  EXPECT_EQ(e.fault, ReadFault::InvalidBytes);
  EXPECT_EQ(e.recordNumber, 2);
  EXPECT_EQ(e.byteOffset, 8u);

  // a lead byte as the last byte of the file, and a bad trail
  e = readError("a,b\r\nc," + cp932("ア") + "\x82", 2);
  EXPECT_EQ(e.byteOffset, 9u);
  EXPECT_EQ(e.recordNumber, 2);
  e = readError("a\x81\x20", 2);
  EXPECT_EQ(e.byteOffset, 1u);
  EXPECT_EQ(e.recordNumber, 1);

  // offsets keep counting past the first 64 KiB block
  std::string big;
  while (big.size() < 70000) big += "abcdefgh,1234567\r\n";  // 18 bytes a record
  e = readError(big + "x,\xFD\r\n", 2);
  EXPECT_EQ(e.byteOffset, big.size() + 2);
  EXPECT_EQ(e.recordNumber, static_cast<int64_t>(big.size() / 18 + 1));
}

TEST(FieldReader, DoubleByteCharacterAcrossTheBlockBoundary) {
  // the lead byte of ア is byte 65535, its trail byte 65536
  const std::string longField(65534, 'a');
  const std::string bytes = longField + "," + cp932("アb") + "\r\nc,\"" + cp932("ソ\\") + "\"\r\n";
  ASSERT_GT(bytes.size(), 65536u);
  ASSERT_EQ(bytes[65535], '\x83');
  expectRecords(bytes, 2, {{longField, "アb"}, {"c", "ソ\\"}});
}

TEST(FieldReader, ValuesAcrossTheBlockBoundary) {
  // byte 65536 starts the second block; it falls inside a quoted value, the
  // text after a closing quote and an unquoted value in turn
  const std::string pad(65530, 'p');
  const std::string tail = "0123456789";
  expectRecords(pad + ",\"" + tail + "\"\r\n", 2, {{pad, tail}});
  expectRecords(pad + ",\"q\"" + tail + "  \r\nx,y", 2, {{pad, "q" + tail}, {"x", "y"}});
  expectRecords(pad + "," + tail + "\r\n", 2, {{pad, tail}});
  ReadError e = readError("a,b\r\n" + pad + ",\"" + tail, 2);
  EXPECT_EQ(e.fault, ReadFault::UnclosedQuote);
  EXPECT_EQ(e.recordNumber, 2);
}

TEST(FieldReader, FiftyFields) {
  std::string line;
  Fields expected;
  for (int i = 1; i <= 50; ++i) {
    std::string value("f");
    value += std::to_string(i);
    if (i > 1) line += ',';
    line.append("\"").append(value).append("\"");
    expected.push_back(value);
  }
  expectRecords(line + "\r\n" + line, 50, {expected, expected});
}

}  // namespace
}  // namespace zumaro

namespace zumaro {
namespace {

using testing::TempDir;
using testing::writeBytes;
using Result = RecordReader::Result;

TEST(FieldReaderQuotes, TwoQuotesInsideAQuotedValueAreOne) {
  const struct {
    std::string bytes;
    std::vector<std::string> fields;
  } cases[] = {
      {"\"a\"\"b\",x\r\n", {"a\"b", "x"}},         {"\"\"\"\",x\r\n", {"\"", "x"}},
      {"\"\"\"a\"\"\",x\r\n", {"\"a\"", "x"}},     {"\"\",\"\"\r\n", {"", ""}},
      {"\"a\"\"\r\nb\",x\r\n", {"a\"\r\nb", "x"}}, {"a\"\"b,x\r\n", {"a\"\"b", "x"}},  // outside quotes nothing changes
  };
  for (const auto& c : cases) {
    TempDir dir;
    writeBytes(dir.file("in.csv"), c.bytes);
    TextSource source;
    ASSERT_TRUE(source.open(dir.file("in.csv")));
    RecordReader reader(source, 2);
    std::vector<Text> fields;
    ASSERT_EQ(reader.next(fields), Result::Record) << c.bytes;
    EXPECT_EQ(toUtf8(fields[0]), c.fields[0]) << c.bytes;
    EXPECT_EQ(toUtf8(fields[1]), c.fields[1]) << c.bytes;
    EXPECT_EQ(reader.next(fields), Result::End) << c.bytes;
  }
}

struct Place {
  int64_t line;
  bool startsLine;
  bool operator==(const Place&) const = default;
};
void PrintTo(const Place& p, std::ostream* os) { *os << p.line << (p.startsLine ? "" : " misaligned"); }

std::vector<Place> placesOf(const std::string& bytes, int n, bool header = false) {
  TempDir dir;
  writeBytes(dir.file("in.csv"), bytes);
  TextSource source;
  EXPECT_TRUE(source.open(dir.file("in.csv")));
  std::string raw;
  Text text;
  if (header) source.takeFirstLine(raw, text);
  RecordReader reader(source, n);
  std::vector<Place> places;
  std::vector<Text> fields;
  while (reader.next(fields) != Result::End) places.push_back({reader.recordLine(), reader.recordStartsLine()});
  return places;
}

TEST(FieldReaderLines, EachRecordKnowsItsLineAndWhetherItBeginsIt) {
  const struct {
    const char* name;
    std::string bytes;
    int n;
    bool header;
    std::vector<Place> places;
  } cases[] = {
      {"one record a line", "a,b\r\nc,d\r\n", 2, false, {{1, true}, {2, true}}},
      {"lone CR and LF", "a,b\rc,d\ne,f", 2, false, {{1, true}, {2, true}, {3, true}}},
      {"a surplus field opens the next record mid-line",
       "a,b,c\r\nd\r\ne,f\r\n",
       2,
       false,
       {{1, true}, {1, false}, {3, true}}},
      {"a record over two lines", "a\r\nb\r\nc,d\r\n", 2, false, {{1, true}, {3, true}}},
      {"line ends inside quotes count", "\"x\r\ny\ra\nb\",b\r\nc,d\r\n", 2, false, {{1, true}, {5, true}}},
      {"blank records held back",
       "a,b\r\n\r\n\r\n\r\n\r\nc,d\r\n",
       2,
       false,
       {{1, true}, {2, true}, {4, true}, {6, true}}},
      {"blank record after a mid-line end", "a,b,\r\n\r\nc,d\r\n", 2, false, {{1, true}, {1, false}, {3, true}}},
      {"a header is line 1", "h1,h2\r\na,b\r\nc,d\r\n", 2, true, {{2, true}, {3, true}}},
      {"a short last record", "a,b,c\r\nd", 3, false, {{1, true}, {2, true}}},
  };
  for (const auto& c : cases) EXPECT_EQ(placesOf(c.bytes, c.n, c.header), c.places) << c.name;
}

TEST(FieldReaderLines, FaultsNameTheLineOfTheirField) {
  TempDir dir;
  writeBytes(dir.file("in.csv"), "a,b\r\n\"c\r\nd\",e\r\nf,\x80\r\n");
  TextSource source;
  ASSERT_TRUE(source.open(dir.file("in.csv")));
  RecordReader reader(source, 2);
  std::vector<Text> fields;
  try {
    while (reader.next(fields) != Result::End) {
    }
    ADD_FAILURE() << "no ReadError";
  } catch (const ReadError& e) {
    EXPECT_EQ(e.recordNumber, 3);
    EXPECT_EQ(e.line, 4);
    EXPECT_EQ(e.field, 2);
  }
}

TEST(FieldReaderLines, ReadLineTakesTheFieldsOfOneLine) {
  TempDir dir;
  writeBytes(dir.file("in.csv"), "h1,\"h,2\",h3\r\na,\"b\r\nc\",d,e\r\nf,g\r\n");
  TextSource source;
  ASSERT_TRUE(source.open(dir.file("in.csv")));
  RecordReader reader(source, 2);
  std::vector<Text> fields;
  ASSERT_TRUE(reader.readLine(fields));
  EXPECT_EQ(fields, (std::vector<Text>{u"h1", u"h,2", u"h3"}));
  ASSERT_TRUE(reader.readLine(fields));
  EXPECT_EQ(fields, (std::vector<Text>{u"a", u"b\r\nc", u"d", u"e"}));
  ASSERT_EQ(reader.next(fields), Result::Record);
  EXPECT_EQ(reader.recordNumber(), 1);
  EXPECT_EQ(reader.recordLine(), 4);
  EXPECT_EQ(reader.next(fields), Result::End);
  EXPECT_FALSE(reader.readLine(fields));
}

TEST(TextSourceHeader, FirstLineIsTakenAsItsBytes) {
  const struct {
    std::string bytes;
    std::string raw;
    std::string text;
    std::string rest;  // the first field after it
  } cases[] = {
      {"h1,h2\r\na,b", "h1,h2\r\n", "h1,h2\r\n", "a"},
      {"h1\ra", "h1\r", "h1\r", "a"},
      {"h1\na", "h1\n", "h1\n", "a"},
      {"\"h\r\n1\",h2\r\na", "\"h\r\n", "\"h\r\n", "1\""},  // the first line, whatever the quotes
      {"only a header", "only a header", "only a header", ""},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    TempDir dir;
    writeBytes(dir.file("in.csv"), c.bytes);
    TextSource source(1);  // a CR at the end of a block
    ASSERT_TRUE(source.open(dir.file("in.csv")));
    std::string raw;
    Text text;
    EXPECT_EQ(source.takeFirstLine(raw, text), !c.raw.empty());
    EXPECT_EQ(raw, c.raw);
    EXPECT_EQ(toUtf8(text), c.text);
    RecordReader reader(source, 1);
    std::vector<Text> fields;
    reader.next(fields);
    EXPECT_EQ(toUtf8(fields[0]), c.rest) << c.bytes;
  }
}

// The fault taking the first line of `bytes` raises, if any.
std::optional<ReadError> headerFault(const std::string& path, const std::string& bytes) {
  writeBytes(path, bytes);
  TextSource source;
  EXPECT_TRUE(source.open(path));
  std::string raw;
  Text text;
  try {
    source.takeFirstLine(raw, text);
  } catch (const ReadError& e) {
    return e;
  }
  return std::nullopt;
}

TEST(TextSourceHeader, BytesTheEncodingCannotReadAreReportedAsTheHeaders) {
  TempDir dir;
  const std::optional<ReadError> e = headerFault(dir.file("in.csv"), "h\x80,x\r\na,b\r\n");
  ASSERT_TRUE(e.has_value()) << "no ReadError";
  EXPECT_EQ(e->fault, ReadFault::InvalidBytes);
  EXPECT_EQ(e->recordNumber, 0);
  EXPECT_EQ(e->byteOffset, 1u);
}

TEST(TextSourceHeader, LineBeyondTheLimitIsRefusedAsTheHeaders) {
  TempDir dir;
  const std::optional<ReadError> e =
      headerFault(dir.file("in.csv"), std::string(TextSource::kMaxFirstLine + 1, 'h') + "\r\na\r\n");
  ASSERT_TRUE(e.has_value()) << "no ReadError";
  EXPECT_EQ(e->fault, ReadFault::FieldTooLong);
  EXPECT_EQ(toUtf8(describeReadError(*e, "in.csv", u"件目")), "in.csv の見出し行が1000000バイトを超えています。");
  // At the limit it is taken.
  TextSource source;
  std::string raw;
  Text text;
  writeBytes(dir.file("in.csv"), std::string(TextSource::kMaxFirstLine, 'h') + "\r\na\r\n");
  ASSERT_TRUE(source.open(dir.file("in.csv")));
  EXPECT_TRUE(source.takeFirstLine(raw, text));
  EXPECT_EQ(raw.size(), TextSource::kMaxFirstLine + 2);
}

// Every record of a UTF-8 file, read in blocks of `block` bytes.
std::vector<std::vector<Text>> readUtf8(const std::string& path, size_t block, int n) {
  TextSource source(block);
  EXPECT_TRUE(source.open(path, EncodingChoice::Auto));
  EXPECT_TRUE(isUtf8(source.encoding()));
  RecordReader reader(source, n);
  std::vector<std::vector<Text>> records;
  std::vector<Text> fields;
  while (reader.next(fields) != Result::End) records.push_back(fields);
  return records;
}

TEST(TextSourceUtf8, CharactersOfEveryLengthAcrossAnyBlockEnd) {
  TempDir dir;
  const std::string list = "ﾄｳｷﾖｳﾄ,é𠮷\r\n\"東京都\",\"a\"\"b\"\r\n";
  for (const std::string& prefix : {std::string(), std::string(kByteOrderMark)}) {
    writeBytes(dir.file("in.csv"), prefix + list);
    const std::vector<std::vector<Text>> expected = {{u"ﾄｳｷﾖｳﾄ", u"é𠮷"}, {u"東京都", u"a\"b"}};
    for (size_t block : {1, 2, 3, 5, 7, 65536}) EXPECT_EQ(readUtf8(dir.file("in.csv"), block, 2), expected) << block;
  }
}

TEST(TextSourceUtf8, InvalidBytesAfterTheSampleNameTheRecord) {
  TempDir dir;
  std::string list;
  while (list.size() < 70 * 1024) list += "ﾄｳｷﾖｳﾄ,ﾐﾄﾞﾘｸ\r\n";  // 3 + 18 + 1 + 12 + 2 = 36 bytes
  const size_t records = list.size() / 36;
  list += "\"x\",\"\x82\xA0\"\r\n";  // あ in code page 932
  writeBytes(dir.file("in.csv"), list);
  TextSource source;
  ASSERT_TRUE(source.open(dir.file("in.csv"), EncodingChoice::Auto));
  EXPECT_EQ(source.encoding(), TextEncoding::Utf8);
  EXPECT_TRUE(source.encodingFound());
  RecordReader reader(source, 2);
  std::vector<Text> fields;
  try {
    while (reader.next(fields) != Result::End) {
    }
    ADD_FAILURE() << "no ReadError";
  } catch (const ReadError& e) {
    EXPECT_EQ(e.fault, ReadFault::InvalidBytes);
    EXPECT_EQ(e.encoding, TextEncoding::Utf8);
    EXPECT_TRUE(e.encodingFound);
    EXPECT_EQ(e.recordNumber, static_cast<int64_t>(records + 1));
    EXPECT_EQ(e.field, 2);
    EXPECT_EQ(e.byteOffset, records * 36 + 5);
  }
}

TEST(TextSourceUtf8, NamedEncodingsAreReadAsNamed) {
  TempDir dir;
  writeBytes(dir.file("in.csv"), std::string(kByteOrderMark) + "ア,b\r\n");
  TextSource source;
  ASSERT_TRUE(source.open(dir.file("in.csv"), EncodingChoice::Utf8));
  EXPECT_EQ(source.encoding(), TextEncoding::Utf8WithBom);
  EXPECT_FALSE(source.encodingFound());
  EXPECT_EQ(source.get(), u'ア');
  // Named code page 932, the mark is bytes like any other: not code page 932.
  ASSERT_TRUE(source.open(dir.file("in.csv"), EncodingChoice::Cp932));
  EXPECT_EQ(source.encoding(), TextEncoding::Cp932);
  EXPECT_THROW(source.get(), ReadError);
}

}  // namespace
}  // namespace zumaro
