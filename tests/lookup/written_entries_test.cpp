#include "lookup/written_entries.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "lookup/loaded_data_file.h"
#include "state/failure.h"
#include "testing/platform_skips.h"
#include "testing/temp_dir.h"
#include "text/read_error.h"

namespace zumaro {
namespace {
using testing::cp932;
using testing::TempDir;
using testing::writeBytes;

// One entry as the maker writes it, fields in UTF-8, without its line end.
std::string quoted(const std::string& key, const std::string& city, const std::string& last = "") {
  std::string line = "\"" + key + "\",\"東京都\",\"" + city + "\"";
  for (int f = 3; f < kEntryFields - 1; ++f) line += ",\"\"";
  return cp932(line + ",\"" + last + "\"");
}

const std::string A = quoted("1000010", "千代田区", "ｶｲｼﾔ"), B = quoted("1000020", "港区"),
                  C = quoted("1000030", "中央区");

enum class Form {
  Maker,   // read in one pass
  Other,   // read by the general reader, without a fault
  Faulty,  // read by the general reader up to its fault
};

struct Case {
  const char* name;
  std::string bytes;
  Form form;
};

const std::vector<Case> kCases = {
    {"empty file", "", Form::Maker},
    {"CR LF", A + "\r\n" + B + "\r\n" + C + "\r\n", Form::Maker},
    {"LF", A + "\n" + B + "\n" + C + "\n", Form::Maker},
    {"both line ends", A + "\r\n" + B + "\n" + C + "\r\n", Form::Maker},
    {"no line end after the last entry", A + "\r\n" + B, Form::Maker},
    {"end-of-file mark", A + "\r\n" + B + "\r\n\x1A", Form::Maker},
    {"end-of-file mark right after the last field", A + "\r\n" + B + "\x1A", Form::Maker},
    {"only an end-of-file mark", "\x1A", Form::Maker},
    {"empty fields", quoted("", "") + "\r\n" + A + "\r\n", Form::Maker},
    {"unquoted fields", cp932("1000010,東京都,千代田区,,,,,,,,") + "\r\n" + B + "\r\n", Form::Other},
    {"blank before a field", A + "\r\n " + B + "\r\n", Form::Other},
    {"doubled quote in a field", cp932("\"1000010\",\"東\"\"京\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"),
     Form::Other},
    {"line end inside quotes", cp932("\"1000010\",\"東\r\n京\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n") + B,
     Form::Other},
    {"text after a closing quote", A + " x\r\n" + B + "\r\n", Form::Other},
    {"lone CR", A + "\r" + B + "\r", Form::Other},
    {"blank line between entries", A + "\r\n\r\n" + B + "\r\n", Form::Faulty},
    {"blank lines at the end", A + "\r\n" + B + "\r\n\r\n\r\n", Form::Other},
    {"an entry over two lines", B.substr(0, B.size() - 3) + "\r\n\"\"\r\n" + C, Form::Other},
    {"end-of-file mark inside the file", A + "\r\n\x1A" + B + "\r\n", Form::Other},
    {"a twelfth field", A + ",\"\"\r\n" + B + "\r\n", Form::Faulty},
    {"short last entry", A + "\r\n" + cp932("\"1000030\",\"東京都\",\"短い\"") + "\r\n", Form::Faulty},
    {"short last entry without a line end", A + "\r\n" + cp932("\"1000030\",\"東京都\""), Form::Faulty},
    {"unclosed quote at the end", A + "\r\n\"1000030", Form::Faulty},
    {"invalid byte in the first key",
     "\"10\x80"
     "00010\"" +
         A.substr(9) + "\r\n" + B,
     Form::Faulty},
    {"invalid byte in a middle entry", A + "\r\n" + B.substr(0, 11) + "\x81\x20" + B.substr(11) + "\r\n" + C,
     Form::Faulty},
    {"invalid byte in the last field", A + "\r\n" + B.substr(0, B.size() - 1) + "\xFD\"\r\n", Form::Faulty},
    {"lead byte before a closing quote", A + "\r\n" + B.substr(0, B.size() - 1) + "\x82\"\r\n" + C, Form::Faulty},
    {"lead byte before the end-of-file mark", A + "\r\n\x82\x1A", Form::Faulty},
    {"longest field", quoted(std::string(kMaxFieldLength, '7'), "") + "\r\n" + B, Form::Maker},
    {"entry longer than a field may be", quoted(std::string(kMaxFieldLength, '7'), "8") + "\r\n" + B, Form::Maker},
    {"field one too long", A + "\r\n" + quoted("1", std::string(kMaxFieldLength + 1, '8')) + "\r\n", Form::Faulty},
};

struct Reading {
  std::vector<std::string> entries;  // fields joined by |
  std::string fault;
};

std::string joined(const std::vector<Text>& fields) {
  std::string line;
  for (const Text& f : fields) line += toUtf8(f) + "|";
  return line;
}

Reading byLoadedFile(const std::string& path) {
  Reading r;
  LoadedDataFile file(path);
  file.open();
  try {
    for (size_t i = 0; !file.atEnd(i); ++i) {
      std::vector<Text> fields;
      for (size_t f = 0; f < kEntryFields; ++f) fields.emplace_back(file.entryField(i, f));
      r.entries.push_back(joined(fields));
    }
  } catch (const RunFailure& e) {
    r.fault = toUtf8(e.message);
  }
  return r;
}

Reading byDataFile(const std::string& path) {
  Reading r;
  DataFile file(path);
  file.open();
  try {
    Text entryKey;
    std::array<Text, 11> entryColumn;
    while (!file.atEnd()) {
      file.read(entryKey, entryColumn);
      entryColumn[0] = entryKey;
      r.entries.push_back(joined(std::vector<Text>(entryColumn.begin(), entryColumn.end())));
    }
  } catch (const RunFailure& e) {
    r.fault = toUtf8(e.message);
  }
  return r;
}

TEST(WrittenEntries, OnlyTheMakersFormIsReadInOnePass) {
  for (const Case& c : kCases) {
    EntryTexts texts;
    EXPECT_EQ(parseWrittenEntries(c.bytes, kEntryFields, texts), c.form == Form::Maker) << c.name;
  }
}

TEST(WrittenEntries, LoadedFileReadsTheEntriesAndFaultTheScanReads) {
  TempDir dir;
  const std::string path = dir.file("03.dat");
  for (const Case& c : kCases) {
    writeBytes(path, c.bytes);
    const Reading expected = byDataFile(path);
    const Reading loaded = byLoadedFile(path);
    EXPECT_EQ(loaded.entries, expected.entries) << c.name;
    EXPECT_EQ(loaded.fault, expected.fault) << c.name;
    EXPECT_EQ(!expected.fault.empty(), c.form == Form::Faulty) << c.name << ": " << expected.fault;
  }
}

// Entries whose fields run through every length from 0 to 40 characters,
// single-byte and double-byte mixed, blanks and controls among them, so
// that fields end at every place in an eight-character block, near the
// start of the text and far from it; `shift` moves the lengths along.
std::string fieldsOfEveryLength(int shift = 0) {
  const std::string pieces[] = {"7", cp932("ｱ"), cp932("東"), ",", cp932("ー"), " ", "!", std::string(1, '\0')};
  std::string bytes;
  for (int field = 0; field < 5 * kEntryFields; ++field) {
    bytes += field % kEntryFields == 0 ? "" : ",";
    bytes += '"';
    for (int c = 0; c < (field * 7 + shift) % 41; ++c) bytes += pieces[(field + c) % 8];
    bytes += '"';
    if (field % kEntryFields == kEntryFields - 1) bytes += field % 2 == 0 ? "\r\n" : "\n";
  }
  return bytes;
}

void expectSameAsTheScan(const std::string& bytes, const std::string& path, const std::string& name) {
  writeBytes(path, bytes);
  const Reading expected = byDataFile(path);
  const Reading loaded = byLoadedFile(path);
  EXPECT_EQ(loaded.entries, expected.entries) << name;
  EXPECT_EQ(loaded.fault, expected.fault) << name;
}

TEST(WrittenEntries, FieldsOfEveryLengthAreReadInOnePass) {
  TempDir dir;
  for (int shift = 0; shift < 41; ++shift) {
    EntryTexts texts;
    ASSERT_TRUE(parseWrittenEntries(fieldsOfEveryLength(shift), kEntryFields, texts)) << shift;
    expectSameAsTheScan(fieldsOfEveryLength(shift), dir.file("03.dat"), "shift " + std::to_string(shift));
  }
}

TEST(WrittenEntries, DamagedFilesReadAsTheScanReadsThem) {
  const std::string clean = fieldsOfEveryLength();
  TempDir dir;
  const std::string path = dir.file("03.dat");
  for (int value = 0; value < 256; ++value) {
    for (size_t at : {size_t(value) % 40, size_t(value) * 37 % clean.size(), clean.size() - 1}) {
      std::string bytes = clean;
      bytes[at] = static_cast<char>(value);
      expectSameAsTheScan(bytes, path, "byte " + std::to_string(value) + " at " + std::to_string(at));
    }
  }
  for (size_t size = 0; size < clean.size(); size += 3)
    expectSameAsTheScan(clean.substr(0, size), path, "cut at " + std::to_string(size));
}

TEST(WrittenEntries, OnlyRegularFilesAreReadWhole) {
  ZUMARO_SKIP_IN_WEBASSEMBLY("Node's files have no pipes");
  TempDir dir;
  FileBytes bytes;
  writeBytes(dir.file("a.dat"), A);
  EXPECT_TRUE(readSmallRegularFile(dir.file("a.dat"), bytes));
  EXPECT_EQ(bytes.view(), A);
  EXPECT_FALSE(readSmallRegularFile(dir.path().string(), bytes)) << "a folder";
  EXPECT_FALSE(readSmallRegularFile(dir.file("missing.dat"), bytes));
  EXPECT_FALSE(readSmallRegularFile("/dev/null", bytes)) << "a device";
  const std::string pipe = dir.file("pipe.dat");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(readSmallRegularFile(pipe, bytes)) << "a pipe with no writer, not waited on";
}

}  // namespace
}  // namespace zumaro
