// The byte reader against the character reader: on seeded random lists, read
// a few bytes at a time or a block at a time, both give the same records,
// places and faults; a field's limit counts characters, not bytes.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "records/field_reader.h"
#include "testing/random_list.h"
#include "testing/rng.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

using testing::TempDir;

// What a reader saw, record by record, down to its fault.
struct Reading {
  std::vector<std::string> records;  // result, number, place and fields, as UTF-8
  std::optional<ReadError> fault;
};

std::string fieldsText(const std::vector<Text>& fields) {
  std::string out;
  for (const Text& f : fields) out += "[" + toUtf8(f) + "]";
  return out;
}

std::string fieldsText(const std::vector<std::string>& fields, TextEncoding e) {
  std::vector<Text> decoded;
  for (const std::string& f : fields) {
    decoded.emplace_back();
    decodeText(e, f.data(), f.size(), true, decoded.back());
  }
  return fieldsText(decoded);
}

template <class Reader, class Fields, class Describe, class Next>
Reading readAll(Reader& reader, Fields& fields, Describe describe, Next next) {
  Reading reading;
  try {
    for (;;) {
      const auto result = next(fields);
      if (result == Reader::Result::End) break;
      reading.records.push_back(std::to_string(static_cast<int>(result)) + " #" +
                                std::to_string(reader.recordNumber()) + " line " + std::to_string(reader.recordLine()) +
                                (reader.recordStartsLine() ? "" : " mid") + " " + describe(fields));
    }
  } catch (const ReadError& e) {
    reading.fault = e;
  }
  return reading;
}

Reading readAsText(const std::string& path, EncodingChoice choice, size_t block, int fieldCount) {
  TextSource source(block);
  EXPECT_TRUE(source.open(path, choice));
  RecordReader reader(source, fieldCount);
  std::vector<Text> fields;
  return readAll(
      reader, fields, [](const std::vector<Text>& f) { return fieldsText(f); },
      [&](std::vector<Text>& f) { return reader.next(f); });
}

// Through next(), or through nextViews(), which takes plain records straight
// from the source's bytes, peeking `peeks` records ahead after each: what
// a peek shows must be what is read when the reader gets there.
Reading readAsBytes(const std::string& path, EncodingChoice choice, size_t block, int fieldCount, bool views,
                    int peeks = 0) {
  TextSource file(block);
  EXPECT_TRUE(file.open(path, choice));
  ByteSource source(file);
  ByteRecordReader reader(source, fieldCount);
  std::vector<std::string> fields;
  std::vector<std::string_view> viewed;
  std::vector<std::optional<std::vector<std::string>>> peeked;  // [d - 1]: what the record d ahead showed
  const TextEncoding e = file.encoding();
  return readAll(
      reader, fields, [e](const std::vector<std::string>& f) { return fieldsText(f, e); },
      [&](std::vector<std::string>& f) {
        if (!views) return reader.next(f);
        const auto result = reader.nextViews(viewed, f);
        std::vector<std::string> copied(viewed.begin(), viewed.end());
        if (!peeked.empty() && peeked.front() && result != ByteRecordReader::Result::End) {
          EXPECT_EQ(copied, *peeked.front()) << "record " << reader.recordNumber() << " is not what a peek showed";
        }
        peeked.assign(static_cast<size_t>(peeks), std::nullopt);
        for (int d = peeks; d >= 1; --d)
          if (const std::string_view* ahead = reader.peekPlain(d))
            peeked[static_cast<size_t>(d - 1)] = std::vector<std::string>(ahead, ahead + fieldCount);
        f.swap(copied);
        return result;
      });
}

std::string difference(const Reading& bytes, const Reading& text) {
  if (bytes.records != text.records) {
    size_t i = 0;
    while (i < bytes.records.size() && i < text.records.size() && bytes.records[i] == text.records[i]) ++i;
    return "record " + std::to_string(i + 1) + ": " + (i < bytes.records.size() ? bytes.records[i] : "none") + " / " +
           (i < text.records.size() ? text.records[i] : "none");
  }
  if (bytes.fault.has_value() != text.fault.has_value()) return "only one reader met a fault";
  if (!bytes.fault) return "";
  const ReadError& a = *bytes.fault;
  const ReadError& b = *text.fault;
  if (a.fault != b.fault || a.byteOffset != b.byteOffset || a.recordNumber != b.recordNumber || a.field != b.field ||
      a.line != b.line || a.encoding != b.encoding)
    return "faults differ: offset " + std::to_string(a.byteOffset) + " / " + std::to_string(b.byteOffset) +
           ", record " + std::to_string(a.recordNumber) + " / " + std::to_string(b.recordNumber) + ", field " +
           std::to_string(a.field) + " / " + std::to_string(b.field);
  return "";
}

TEST(ByteRecordReader, ReadsWhatTheCharacterReaderReads) {
  TempDir dir;
  const std::string path = dir.file("list.csv");
  int failures = 0;
  int faults = 0;
  constexpr int kCases = 1600;
  for (uint64_t seed = 1; seed <= kCases && failures < 3; ++seed) {
    bench::Rng rng(seed);
    testing::RandomListShape shape;
    shape.encoding = rng.percent(50) ? TextEncoding::Cp932 : TextEncoding::Utf8;
    shape.fieldCount = rng.between(1, 6);
    shape.records = rng.between(0, 12);
    const std::string list = testing::randomList(rng, shape);
    testing::writeBytes(path, list);
    const EncodingChoice choice = shape.encoding == TextEncoding::Cp932 ? EncodingChoice::Cp932 : EncodingChoice::Utf8;
    const size_t block = rng.pick(std::vector<size_t>{1, 2, 3, 5, 64, TextSource::kReadBlock});
    const Reading text = readAsText(path, choice, block, shape.fieldCount);
    const bool views = rng.percent(50);
    const int peeks = views ? rng.between(0, ByteRecordReader::kMostAhead) : 0;
    const std::string d = difference(readAsBytes(path, choice, block, shape.fieldCount, views, peeks), text);
    if (text.fault) ++faults;
    if (!d.empty()) {
      ADD_FAILURE() << "seed " << seed << ", block " << block << (views ? ", views" : "") << ": " << d
                    << "\nlist: " << list;
      ++failures;
    }
  }
  EXPECT_GT(faults, kCases / 20);
}

// Fields near the limit: bytes beyond it may still be few enough characters.
struct LimitCase {
  const char* name;
  EncodingChoice encoding;
  std::string character;  // repeated
  size_t count;
  std::string after;  // what follows the repeated characters in the field
  bool quoted;
};

TEST(ByteRecordReader, CountsTheFieldLimitInCharacters) {
  const std::vector<LimitCase> cases = {
      {"cp932 double-byte, twice the limit in bytes", EncodingChoice::Cp932, "\x82\xA0", kMaxFieldLength, "", false},
      {"cp932 one character over", EncodingChoice::Cp932, "\xB1", kMaxFieldLength + 1, "", false},
      {"cp932 at the limit, quoted", EncodingChoice::Cp932, "\x82\xA0", kMaxFieldLength, "", true},
      {"cp932 over, invalid byte after", EncodingChoice::Cp932, "\x82\xA0", kMaxFieldLength + 1, "\x80", false},
      {"cp932 at the limit, invalid byte after", EncodingChoice::Cp932, "\x82\xA0", kMaxFieldLength - 1, "\x80", true},
      {"utf-8 three-byte characters at the limit", EncodingChoice::Utf8, "\xE3\x81\x82", kMaxFieldLength, "", false},
      {"utf-8 four-byte characters over", EncodingChoice::Utf8, "\xF0\x9F\x98\x80", kMaxFieldLength / 2 + 1, "", true},
      {"utf-8 four-byte characters at the limit", EncodingChoice::Utf8, "\xF0\x9F\x98\x80", kMaxFieldLength / 2, "",
       false},
  };
  TempDir dir;
  const std::string path = dir.file("long.csv");
  for (const LimitCase& c : cases) {
    std::string field;
    for (size_t i = 0; i < c.count; ++i) field += c.character;
    field += c.after;
    if (c.quoted) field = "\"" + field + "\"";
    testing::writeBytes(path, "a," + field + ",b\r\n");
    const Reading text = readAsText(path, c.encoding, TextSource::kReadBlock, 3);
    for (const bool views : {false, true})
      EXPECT_EQ(difference(readAsBytes(path, c.encoding, TextSource::kReadBlock, 3, views), text), "") << c.name;
  }
}

}  // namespace
}  // namespace zumaro
