// Where each record begins: its line, and whether it begins one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/field_reader.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

struct Place {
  int64_t line;
  bool startsLine;
  bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Place& p) {
  return out << "line " << p.line << (p.startsLine ? "" : " (mid-line)");
}

std::vector<Place> placesOf(const std::string& bytes, int fieldCount) {
  testing::TempDir dir;
  testing::writeBytes(dir.file("in.csv"), bytes);
  TextSource source;
  EXPECT_TRUE(source.open(dir.file("in.csv")));
  RecordReader reader(source, fieldCount);
  std::vector<Text> fields;
  std::vector<Place> places;
  while (reader.next(fields) != RecordReader::Result::End)
    places.push_back({reader.recordLine(), reader.recordStartsLine()});
  return places;
}

TEST(RecordLine, EveryLineEndCountsOnceWhateverItsKind) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"CR LF", "a,b\r\nc,d\r\ne,f\r\n"},
      {"LF", "a,b\nc,d\ne,f\n"},
      {"CR", "a,b\rc,d\re,f"},
      {"mixed", "a,b\r\nc,d\re,f\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(placesOf(c.bytes, 2), (std::vector<Place>{{1, true}, {2, true}, {3, true}})) << c.name;
  }
}

TEST(RecordLine, RecordsThatDoNotLineUpAreToldApart) {
  const struct {
    const char* name;
    std::string bytes;
    int fieldCount;
    std::vector<Place> places;
  } cases[] = {
      {"a field too many shifts the next record into the line",
       "a,b,x\r\nc,d\r\ne,f\r\n",
       2,
       {{1, true}, {1, false}, {2, false}, {3, false}}},
      {"a record spanning lines begins its first", "a\r\nb\r\nc\r\nd\r\n", 2, {{1, true}, {3, true}}},
      {"ragged lines: a field left off", "a,b,c\r\nd,e\r\nf,g,h\r\n", 3, {{1, true}, {2, true}, {3, false}}},
      {"two records on one line", "a,b,c,d\r\n", 2, {{1, true}, {1, false}}},
  };
  for (const auto& c : cases) EXPECT_EQ(placesOf(c.bytes, c.fieldCount), c.places) << c.name;
}

// The line a record begins on is the file's own line, for a user looking it up.
TEST(RecordLine, LineEndsInsideQuotesAreLinesOfTheFile) {
  EXPECT_EQ(placesOf("\"a\r\nb\",c\r\nd,e\r\n", 2), (std::vector<Place>{{1, true}, {3, true}}));
}

TEST(RecordLine, BlankRecordsKeepTheirOwnLines) {
  // A blank line in the middle is a record of empty fields; held back until
  // text follows it, it still tells its own line.
  EXPECT_EQ(placesOf("a\r\n\r\nb\r\n", 1), (std::vector<Place>{{1, true}, {2, true}, {3, true}}));
}

}  // namespace
}  // namespace zumaro
