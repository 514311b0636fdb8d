// Any bytes as an input or data file: the first byte chooses a small read
// block (1 to 8 bytes), the others are the file.
//
// A ReadError is an allowed outcome. Checked: reading ends; every record has
// the field count and the next number; nothing follows a short record; the
// end stays the end; the offset stays within the file and never goes back;
// invalid bytes are reported exactly where decoding the whole file at once
// stops, an unclosed quote only at the end, in code page 932 and in UTF-8;
// every field count sees the same fields and the same fault; small read
// blocks, which put block ends anywhere, read what the normal block reads, in
// both encodings; and the records written by the record writer read back as
// they were, values holding quotes included.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/byte_reader.h"
#include "fuzz/finding.h"
#include "fuzz/scratch_folder.h"
#include "fuzz/targets.h"
#include "records/field_reader.h"
#include "records/record_writer.h"
#include "text/codepage.h"
#include "text/read_error.h"
#include "text/utf8_codec.h"

namespace zumaro::fuzz {
namespace {

// One field per record first: the others are compared with it.
constexpr int kFieldCounts[] = {1, 5, 11, 50};
constexpr size_t kRoundTripReading = 1;
constexpr int kRoundTripCount = kFieldCounts[kRoundTripReading];

using Records = std::vector<std::vector<Text>>;

struct Reading {
  Records records;
  bool endsShort = false;
  std::optional<ReadError> error;
};

// The bytes that hold text: an end-of-file mark (Ctrl-Z) at the very end is none.
uint64_t textBytes(const std::string& file) {
  return !file.empty() && file.back() == '\x1A' ? file.size() - 1 : file.size();
}

void readRecords(RecordReader& reader, int fieldCount, TextSource& source, Reading& reading, uint64_t textSize) {
  // A record takes at least a separator, but for a last field after a comma.
  const size_t mostRecords = static_cast<size_t>(textSize) + 1;
  std::vector<Text> fields;
  uint64_t offset = 0;
  for (;;) {
    const RecordReader::Result result = reader.next(fields);
    require(source.bytesConsumed() >= offset && source.bytesConsumed() <= textSize,
            "the read offset goes back or leaves the file");
    offset = source.bytesConsumed();
    if (result == RecordReader::Result::End) break;
    require(!reading.endsShort, "a record follows a short record");
    require(fields.size() == static_cast<size_t>(fieldCount), "a record without the field count");
    reading.records.push_back(fields);
    require(reader.recordNumber() == static_cast<int64_t>(reading.records.size()),
            "record numbers do not count the records");
    require(reading.records.size() <= mostRecords, "reading does not end");
    reading.endsShort = result == RecordReader::Result::ShortRecord;
  }
  require(reader.next(fields) == RecordReader::Result::End &&
              reader.recordNumber() == static_cast<int64_t>(reading.records.size()),
          "the end of the data does not stay the end");
}

Reading readAll(const std::string& path, int fieldCount, uint64_t textSize, size_t readBlock = TextSource::kReadBlock,
                EncodingChoice encoding = EncodingChoice::Cp932) {
  TextSource source(readBlock);
  require(source.open(path, encoding), "the file cannot be opened");
  RecordReader reader(source, fieldCount);
  Reading reading;
  try {
    readRecords(reader, fieldCount, source, reading, textSize);
  } catch (const ReadError& e) {
    reading.error = e;
    require(e.recordNumber > static_cast<int64_t>(reading.records.size()),
            "a fault is reported in a record already read");
  }
  return reading;
}

void checkFault(const Reading& reading, const std::string& file, uint64_t textSize) {
  Text decoded;
  const CodePage932::DecodeStop stop =
      CodePage932::instance().decode(file.data(), static_cast<size_t>(textSize), true, decoded);
  const std::optional<ReadError>& error = reading.error;
  if (stop.invalid) {
    require(error && error->fault == ReadFault::InvalidBytes && error->byteOffset == stop.consumed,
            "invalid bytes are not reported where decoding stops");
  } else if (error) {
    require(error->fault == ReadFault::UnclosedQuote && error->byteOffset == textSize,
            "a fault in valid text other than a quote left open at the end");
  }
}

// Read as UTF-8, after a byte-order mark if there is one, the same holds.
void checkUtf8Fault(const Reading& reading, const std::string& file, uint64_t textSize) {
  const size_t start = textSize >= kByteOrderMark.size() && file.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0
                           ? kByteOrderMark.size()
                           : 0;
  Text decoded;
  const Utf8Stop stop = decodeUtf8(file.data() + start, static_cast<size_t>(textSize) - start, true, decoded);
  const std::optional<ReadError>& error = reading.error;
  if (stop.invalid) {
    require(error && error->fault == ReadFault::InvalidBytes && error->byteOffset == start + stop.consumed,
            "invalid UTF-8 is not reported where decoding stops");
  } else if (error) {
    require(error->fault == ReadFault::UnclosedQuote && error->byteOffset == textSize,
            "a fault in valid UTF-8 other than a quote left open at the end");
  }
}

// Every field in order, without the empty ones at the end, which are either
// padding of a short record or blank lines that are no record.
std::vector<Text> fieldsInOrder(const Records& records) {
  std::vector<Text> all;
  for (const std::vector<Text>& record : records) all.insert(all.end(), record.begin(), record.end());
  while (!all.empty() && all.back().empty()) all.pop_back();
  return all;
}

bool startsWith(const std::vector<Text>& all, const std::vector<Text>& head) {
  return head.size() <= all.size() && std::equal(head.begin(), head.end(), all.begin());
}

// `single` read one field per record; `reading` read `fieldCount`.
void checkSameFields(const Reading& single, const Reading& reading, int fieldCount) {
  const std::vector<Text> fields = fieldsInOrder(reading.records);
  const std::vector<Text> singleFields = fieldsInOrder(single.records);
  require(!single.error == !reading.error, "field counts meet different faults");
  if (!single.error) {
    require(fields == singleFields, "field counts see different fields");
    return;
  }
  // Records before the fault are given out; blank ones may be held back.
  require(startsWith(singleFields, fields), "field counts see different fields before a fault");
  require(reading.error->recordNumber == (single.error->recordNumber - 1) / fieldCount + 1,
          "field counts place a fault in different records");
}

bool sameFault(const std::optional<ReadError>& a, const std::optional<ReadError>& b) {
  if (!a || !b) return !a == !b;
  return a->fault == b->fault && a->byteOffset == b->byteOffset && a->recordNumber == b->recordNumber;
}

void checkSameReading(const Reading& a, const Reading& b) {
  require(a.records == b.records && a.endsShort == b.endsShort && sameFault(a.error, b.error),
          "a small read block reads otherwise than the normal one");
}

// Written records are read back as they were, quotes inside values included.
void checkRoundTrip(const Reading& reading) {
  const std::string path = scratchFolder() + "/written.csv";
  RecordWriter writer;
  require(writer.create(path), "the written file cannot be made");
  try {
    for (const std::vector<Text>& record : reading.records) writer.write(record.data(), kRoundTripCount);
    writer.close();
  } catch (const WriteError&) {
    throw Finding("a value read from code page 932 cannot be written back");
  }
  const Reading again = readAll(path, kRoundTripCount, readFile(path).size());
  require(!again.error && !again.endsShort && again.records == reading.records,
          "written records do not read back as they were");
}

}  // namespace

void fuzzFieldReader(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  const size_t smallBlock = 1 + in.byte() % 8;
  const std::string file(in.rest());
  const std::string path = scratchFolder() + "/field_reader.csv";
  writeFile(path, file);
  const uint64_t textSize = textBytes(file);

  std::vector<Reading> readings;
  for (int fieldCount : kFieldCounts) {
    readings.push_back(readAll(path, fieldCount, textSize));
    checkFault(readings.back(), file, textSize);
  }
  for (size_t i = 1; i < readings.size(); ++i) checkSameFields(readings[0], readings[i], kFieldCounts[i]);
  const Reading& reading = readings[kRoundTripReading];
  checkSameReading(reading, readAll(path, kRoundTripCount, textSize, smallBlock));
  checkRoundTrip(reading);

  const Reading utf8 = readAll(path, kRoundTripCount, textSize, TextSource::kReadBlock, EncodingChoice::Utf8);
  checkUtf8Fault(utf8, file, textSize);
  checkSameReading(utf8, readAll(path, kRoundTripCount, textSize, smallBlock, EncodingChoice::Utf8));
}

}  // namespace zumaro::fuzz
