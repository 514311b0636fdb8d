#include "records/record_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "testing/platform_skips.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

using testing::cp932;
using testing::readBytes;
using testing::TempDir;

void write(RecordWriter& w, const std::vector<Text>& fields) {
  w.write(fields.data(), static_cast<int>(fields.size()));
}

TEST(RecordWriter, QuotesEveryFieldAndEndsLinesWithCrLf) {
  TempDir dir;
  const std::string path = dir.file("out.csv");
  RecordWriter w;
  ASSERT_TRUE(w.create(path));
  write(w, {u"a", u""});
  write(w, {u"x,y", u"001-0010", u" "});
  write(w, {u"緑区本町１－２－３", u"\\～ｱ"});
  w.close();
  EXPECT_EQ(readBytes(path),
            "\"a\",\"\"\r\n"
            "\"x,y\",\"001-0010\",\" \"\r\n" +
                cp932("\"緑区本町１－２－３\",\"\\～ｱ\"\r\n"));
  EXPECT_EQ(w.recordsWritten(), 3u);
}

// Room is made field by field: a field far longer than what the record
// took so far moves it, and a record of no fields is an empty line.
TEST(RecordWriter, RecordsKeepTheirFieldsWhenALongFieldMakesMoreRoom) {
  const Text longField(70000, u'東');
  const std::string longBytes(100000, 'b');
  for (TextEncoding e : {TextEncoding::Cp932, TextEncoding::Utf8}) {
    TempDir dir;
    RecordWriter w;
    ASSERT_TRUE(w.create(dir.file("out.csv")));
    w.setEncoding(e);
    const Text first = u"a\"";
    const std::vector<FieldToWrite> fields = {{{}, &first}, {"x\"y", nullptr}, {{}, &longField}, {longBytes, nullptr}};
    w.write(fields.data(), 4);
    w.write(fields.data(), 0);
    write(w, {u"z"});
    w.close();
    const std::string kanji = e == TextEncoding::Cp932 ? cp932("東") : "東";
    std::string expected = "\"a\"\"\",\"x\"\"y\",\"";
    for (size_t i = 0; i < longField.size(); ++i) expected += kanji;
    expected += "\",\"" + longBytes + "\"\r\n\r\n\"z\"\r\n";
    EXPECT_EQ(readBytes(dir.file("out.csv")), expected) << encodingName(e);
  }
}

TEST(RecordWriter, DoubleQuoteInsideAValueIsDoubled) {
  for (TextEncoding e : {TextEncoding::Cp932, TextEncoding::Utf8}) {
    TempDir dir;
    RecordWriter w;
    ASSERT_TRUE(w.create(dir.file("out.csv")));
    w.setEncoding(e);
    write(w, {u"a\"b", u"\"", u"ソ\"\"表"});
    w.close();
    const std::string expected = "\"a\"\"b\",\"\"\"\",\"ソ\"\"\"\"表\"\r\n";
    EXPECT_EQ(readBytes(dir.file("out.csv")), e == TextEncoding::Cp932 ? cp932(expected) : expected);
  }
}

TEST(RecordWriter, Utf8WritesEveryCharacterAfterTheHead) {
  const struct {
    TextEncoding encoding;
    std::string head;
    bool records;
    std::string expected;
  } cases[] = {
      {TextEncoding::Utf8, "", true, "\"ヴ𠮷\u2212\",\"\"\r\n"},
      {TextEncoding::Utf8WithBom, "", true, "\xEF\xBB\xBF\"ヴ𠮷\u2212\",\"\"\r\n"},
      {TextEncoding::Utf8WithBom, "h1,h2\n", true, "\xEF\xBB\xBFh1,h2\n\"ヴ𠮷\u2212\",\"\"\r\n"},
      {TextEncoding::Utf8WithBom, "h1,h2\n", false, "\xEF\xBB\xBFh1,h2\n"},  // the head alone, on close
      {TextEncoding::Cp932, cp932("見出し\r\n"), false, cp932("見出し\r\n")},
  };
  for (const auto& c : cases) {
    TempDir dir;
    RecordWriter w;
    ASSERT_TRUE(w.create(dir.file("out.csv")));
    w.setEncoding(c.encoding);
    w.setHead(c.head);
    if (c.records) write(w, {u"ヴ𠮷\u2212", u""});
    w.close();
    EXPECT_EQ(readBytes(dir.file("out.csv")), c.expected);
  }
}

TEST(RecordWriter, UnwritableFirstRecordTakesTheHeadBack) {
  TempDir dir;
  const std::string path = dir.file("out.csv");
  testing::writeBytes(path, "old\r\n");
  RecordWriter w;
  ASSERT_TRUE(w.create(path));
  w.setEncoding(TextEncoding::Utf8WithBom);
  w.setHead("h\r\n");
  const Text lone = {u'a', char16_t(0xDC00)};
  try {
    write(w, {u"x", lone});
    ADD_FAILURE() << "no WriteError";
  } catch (const WriteError& e) {
    EXPECT_EQ(e.field, 2);
    EXPECT_EQ(e.character, 0xDC00u);
  }
  EXPECT_FALSE(w.started());
  write(w, {u"y", u"z"});
  w.close();
  EXPECT_EQ(readBytes(path), "\xEF\xBB\xBFh\r\n\"y\",\"z\"\r\n");
}

TEST(RecordWriter, CreatingEmptiesAnExistingFile) {
  TempDir dir;
  testing::writeBytes(dir.file("out.csv"), "old content that is longer\r\n");
  RecordWriter w;
  ASSERT_TRUE(w.create(dir.file("out.csv")));
  write(w, {u"n"});
  w.close();
  EXPECT_EQ(readBytes(dir.file("out.csv")), "\"n\"\r\n");
}

TEST(RecordWriter, FileIsEmptiedOnlyWhenARecordReachesItOrOnClose) {
  TempDir dir;
  const std::string path = dir.file("out.csv");
  testing::writeBytes(path, "old\r\n");
  {
    RecordWriter w;
    ASSERT_TRUE(w.create(path));
    EXPECT_THROW(write(w, {u"\u2212"}), WriteError);  // unencodable: never taken
    EXPECT_FALSE(w.started());
    w.abandon();
  }
  EXPECT_EQ(readBytes(path), "old\r\n");

  RecordWriter w;
  ASSERT_TRUE(w.create(path));
  w.close();
  EXPECT_EQ(readBytes(path), "");
}

TEST(RecordWriter, AbandonedNewFileIsRemoved) {
  TempDir dir;
  const std::string path = dir.file("new.csv");
  {
    RecordWriter w;
    ASSERT_TRUE(w.create(path));
    EXPECT_TRUE(std::filesystem::exists(path));
  }
  EXPECT_FALSE(std::filesystem::exists(path));

  RecordWriter w;
  ASSERT_TRUE(w.create(path));
  write(w, {u"kept"});
  EXPECT_TRUE(w.started());
  w.close();
  w.abandon();
  EXPECT_EQ(readBytes(path), "\"kept\"\r\n");
}

TEST(RecordWriter, UnencodableCharacterNamesItsFieldAndWritesNothingOfItsRecord) {
  const struct {
    std::vector<Text> fields;
    int field;
    char32_t character;
  } cases[] = {
      {{u"ok", u"x\u00A5"}, 2, U'\u00A5'},
      {{u"\u2212", u"ok"}, 1, U'\u2212'},
      {{u"a", u"b", u"ｱ\U00020BB7"}, 3, U'\U00020BB7'},
  };
  for (const auto& c : cases) {
    TempDir dir;
    RecordWriter w;
    ASSERT_TRUE(w.create(dir.file("out.csv")));
    write(w, {u"before"});
    try {
      write(w, c.fields);
      ADD_FAILURE() << "no WriteError for field " << c.field;
    } catch (const WriteError& e) {
      EXPECT_EQ(e.kind, WriteError::Kind::Unencodable);
      EXPECT_EQ(e.field, c.field);
      EXPECT_EQ(e.character, c.character);
    }
    w.close();
    EXPECT_EQ(readBytes(dir.file("out.csv")), "\"before\"\r\n");
    EXPECT_EQ(w.recordsWritten(), 1u);
  }
}

TEST(RecordWriter, FullDeviceThrowsWriteError) {
  RecordWriter w;
  ASSERT_TRUE(w.create("/dev/full"));
  try {
    // more than one flush worth, so the fault may strike in write or close
    for (int i = 0; i < 10000; ++i) write(w, {u"0123456789"});
    w.close();
    ADD_FAILURE() << "no WriteError";
  } catch (const WriteError& e) {
    EXPECT_EQ(e.kind, WriteError::Kind::IoError);
    EXPECT_EQ(e.errorNumber, ENOSPC);
  }
  EXPECT_EQ(w.recordsWritten(), 0u);
}

// Runs `body` in a child whose files may not grow past `limit` bytes, so
// that the kernel takes only part of a write; the child's exit status. The
// test process keeps its own limits.
int inChildWithFileLimit(rlim_t limit, const std::function<int()>& body) {
  pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit rl{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &rl);
    ::_exit(body());
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Writes 200 records of 11 bytes until the limit stops it; 0 when the
// fault was seen with `whole` records counted.
int writeUntilTheLimit(RecordWriter& w, uint64_t whole) {
  try {
    for (int i = 0; i < 200; ++i) write(w, {u"abcdefg"});
    w.close();
  } catch (const WriteError& e) {
    return e.kind == WriteError::Kind::IoError && w.recordsWritten() == whole ? 0 : 4;
  }
  return 5;
}

// A write that stops part-way must not leave half a record behind.
TEST(RecordWriter, PartialWriteIsCutBackToTheLastWholeRecord) {
  ZUMARO_SKIP_IN_WEBASSEMBLY("no child process, no file size limit");
  TempDir dir;
  const std::string path = dir.file("out.csv");
  EXPECT_EQ(inChildWithFileLimit(1000,
                                 [&] {
                                   RecordWriter w;
                                   return w.create(path) ? writeUntilTheLimit(w, 90) : 3;
                                 }),
            0);
  const std::string bytes = readBytes(path);
  EXPECT_EQ(bytes.size(), 990u);
  EXPECT_EQ(bytes.substr(bytes.size() - 11), "\"abcdefg\"\r\n");
}

// Standard output may be a file that held something before the run; the
// cut is made from where the file ends, not from its start.
TEST(RecordWriter, PartialWriteToAnAttachedFileIsCutBackToo) {
  ZUMARO_SKIP_IN_WEBASSEMBLY("no child process, no file size limit");
  TempDir dir;
  const std::string path = dir.file("out.csv");
  testing::writeBytes(path, "earlier\r\n");
  EXPECT_EQ(inChildWithFileLimit(1000,
                                 [&] {
                                   int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
                                   RecordWriter w;
                                   w.attach(fd);
                                   return fd < 0 ? 3 : writeUntilTheLimit(w, 90);
                                 }),
            0);
  const std::string bytes = readBytes(path);
  EXPECT_EQ(bytes.size(), 9u + 90 * 11);
  EXPECT_EQ(bytes.substr(0, 9), "earlier\r\n");
  EXPECT_EQ(bytes.substr(bytes.size() - 11), "\"abcdefg\"\r\n");
}

TEST(RecordWriter, WritesToAnAttachedDescriptor) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  {
    RecordWriter w;
    w.attach(fds[1]);
    write(w, {u"p", u"ｱ"});
    w.close();
  }
  EXPECT_EQ(::close(fds[1]), 0);  // still open: the writer does not own it
  char buf[64];
  ssize_t n = ::read(fds[0], buf, sizeof buf);
  ::close(fds[0]);
  ASSERT_GT(n, 0);
  EXPECT_EQ(std::string(buf, static_cast<size_t>(n)), "\"p\",\"\xB1\"\r\n");
}

}  // namespace
}  // namespace zumaro
