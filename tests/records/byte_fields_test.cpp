// The pieces of the byte path: checking bytes stops where decoding stops,
// bytes that come back unchanged are told from those that do not, UTF-16
// lengths are counted from bytes, and fields written from their bytes come
// out as written from their text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/record_writer.h"
#include "testing/temp_dir.h"
#include "text/text_encoding.h"

namespace zumaro {
namespace {

using testing::readBytes;
using testing::TempDir;

std::string stopOf(DecodeResult r) { return std::to_string(r.consumed) + (r.invalid ? " invalid" : ""); }

// Every byte and every pair of bytes, alone and before a comma, in code page 932.
TEST(ByteChecks, Cp932CheckingStopsWhereDecodingStops) {
  int differing = 0;
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = -1; trail < 256; ++trail) {
      std::string bytes(1, static_cast<char>(lead));
      if (trail >= 0) bytes.push_back(static_cast<char>(trail));
      for (const std::string& sample : {bytes, bytes + ","}) {
        for (bool atEnd : {false, true}) {
          Text text;
          const DecodeResult decoded = decodeText(TextEncoding::Cp932, sample.data(), sample.size(), atEnd, text);
          const DecodeResult checked = validateText(TextEncoding::Cp932, sample.data(), sample.size(), atEnd);
          if (stopOf(decoded) != stopOf(checked) && ++differing < 5)
            ADD_FAILURE() << "bytes " << lead << " " << trail << ": " << stopOf(checked) << " / " << stopOf(decoded);
        }
      }
    }
  }
  EXPECT_EQ(differing, 0);
}

TEST(ByteChecks, Utf8CheckingStopsWhereDecodingStops) {
  const std::vector<std::string> samples = {"abc",          "\xE3\x81\x82", "\xE3\x81",         "\xF0\x9F\x98\x80",
                                            "\xF0\x9F\x98", "\xED\xA0\x80", "\xC0\xAF",         "\xFF",
                                            "a\x80",        "\xC3\xA9,",    "\xF4\x90\x80\x80", "\xEF\xBB\xBF"};
  for (const std::string& s : samples) {
    for (bool atEnd : {false, true}) {
      Text text;
      EXPECT_EQ(stopOf(validateText(TextEncoding::Utf8, s.data(), s.size(), atEnd)),
                stopOf(decodeText(TextEncoding::Utf8, s.data(), s.size(), atEnd, text)))
          << s << (atEnd ? " at the end" : "");
    }
  }
}

// Valid bytes come back unchanged exactly when decoding and encoding them
// again gives them back.
TEST(ByteChecks, TellsBytesThatComeBackUnchanged) {
  int wrong = 0;
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = -1; trail < 256; ++trail) {
      std::string bytes(1, static_cast<char>(lead));
      if (trail >= 0) bytes.push_back(static_cast<char>(trail));
      Text text;
      const DecodeResult d = decodeText(TextEncoding::Cp932, bytes.data(), bytes.size(), true, text);
      if (d.invalid || d.consumed != bytes.size()) continue;
      std::string again;
      size_t bad = 0;
      const bool same = encodeText(TextEncoding::Cp932, text, again, bad) && again == bytes;
      if (encodesBackTheSame(TextEncoding::Cp932, bytes) != same && ++wrong < 5)
        ADD_FAILURE() << "bytes " << lead << " " << trail;
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_FALSE(encodesBackTheSame(TextEncoding::Cp932, "\xED\x40"));  // NEC's copy of an IBM character
  EXPECT_TRUE(encodesBackTheSame(TextEncoding::Utf8, "\xF0\x9F\x98\x80"));
}

TEST(ByteChecks, CountsUtf16UnitsFromBytes) {
  const struct {
    TextEncoding encoding;
    std::string bytes;
  } cases[] = {
      {TextEncoding::Cp932, "a\xB1\x82\xA0"},  // a, half-width ｱ, あ
      {TextEncoding::Cp932, ""},
      {TextEncoding::Utf8, "a\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80"},  // a, é, あ, and one beyond the BMP
  };
  for (const auto& c : cases) {
    Text text;
    decodeText(c.encoding, c.bytes.data(), c.bytes.size(), true, text);
    EXPECT_EQ(utf16Length(c.encoding, c.bytes), text.size()) << c.bytes;
  }
}

// Fields as bytes and as text in one record: the file holds what the text
// alone would give.
TEST(RecordWriterBytes, WritesBytesAsTheirTextWouldBeWritten) {
  const struct {
    const char* name;
    TextEncoding encoding;
    std::string bytes;
  } cases[] = {
      {"plain", TextEncoding::Cp932, "abc"},
      {"quotes doubled", TextEncoding::Cp932, "a\"b\"\""},
      {"comma and line ends", TextEncoding::Cp932, "x,y\r\nz"},
      {"double-byte with a trail byte like a backslash", TextEncoding::Cp932, "\x95\x5C\x83\x5C"},
      {"characters of two forms written in the form the encoder picks", TextEncoding::Cp932, "\xED\x40\x87\x90"},
      {"utf-8 beyond the BMP", TextEncoding::Utf8, "\xF0\x9F\x98\x80\"q"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    Text text;
    decodeText(c.encoding, c.bytes.data(), c.bytes.size(), true, text);
    const Text other = u"新しい";
    const std::vector<Text> asText = {text, other, text};
    const std::vector<FieldToWrite> mixed = {{c.bytes, nullptr}, {{}, &other}, {c.bytes, nullptr}};
    RecordWriter byText, byBytes;
    ASSERT_TRUE(byText.create(dir.file("text.csv")));
    ASSERT_TRUE(byBytes.create(dir.file("bytes.csv")));
    byText.setEncoding(c.encoding);
    byBytes.setEncoding(c.encoding);
    byText.write(asText.data(), 3);
    byBytes.write(mixed.data(), 3);
    byText.close();
    byBytes.close();
    EXPECT_EQ(readBytes(dir.file("bytes.csv")), readBytes(dir.file("text.csv"))) << c.name;
  }
}

// Short fields are copied in a few overlapping words: every byte value at
// every place of fields up to past that length, after a field of each length.
TEST(RecordWriterBytes, EveryByteAtEveryPlaceOfAShortFieldIsWrittenAsItsText) {
  TempDir dir;
  RecordWriter byText, byBytes;
  ASSERT_TRUE(byText.create(dir.file("text.csv")));
  ASSERT_TRUE(byBytes.create(dir.file("bytes.csv")));
  for (size_t size = 1; size <= 20; ++size)
    for (size_t at = 0; at < size; ++at)
      for (int b = 0; b < 256; ++b) {
        std::string bytes(size, '5');
        bytes[at] = static_cast<char>(b);
        Text text;
        const DecodeResult decoded = decodeText(TextEncoding::Cp932, bytes.data(), bytes.size(), true, text);
        if (decoded.invalid || decoded.consumed != bytes.size()) continue;
        const std::string before(at, '7');
        const Text beforeText(at, u'7');
        const std::vector<Text> asText = {beforeText, text};
        const std::vector<FieldToWrite> asBytes = {{before, nullptr}, {bytes, nullptr}};
        byText.write(asText.data(), 2);
        byBytes.write(asBytes.data(), 2);
      }
  byText.close();
  byBytes.close();
  EXPECT_EQ(readBytes(dir.file("bytes.csv")), readBytes(dir.file("text.csv")));
}

TEST(RecordWriterBytes, NamesTheFieldWhoseTextCannotBeWritten) {
  TempDir dir;
  RecordWriter w;
  ASSERT_TRUE(w.create(dir.file("out.csv")));
  const std::string bytes = "ok";
  const Text text = u"a😀";
  const std::vector<FieldToWrite> fields = {{bytes, nullptr}, {{}, &text}};
  try {
    w.write(fields.data(), 2);
    ADD_FAILURE() << "no error";
  } catch (const WriteError& e) {
    EXPECT_EQ(e.kind, WriteError::Kind::Unencodable);
    EXPECT_EQ(e.field, 2);
    EXPECT_EQ(e.character, U'😀');
  }
  w.close();
  EXPECT_EQ(readBytes(dir.file("out.csv")), "");
}

}  // namespace
}  // namespace zumaro
