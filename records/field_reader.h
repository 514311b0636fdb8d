#pragma once
// The comma-separated field format of the input and the data files.
//
// A field ends at a comma or a line end (CR LF, or a lone CR or LF); records
// are simply the next N fields, whatever the lines. Blanks before a field are
// skipped. A field that starts with a double quote runs to the next double
// quote, commas and line ends included, two quotes in a row standing for one
// quote of the value; text between the closing quote and the separator is
// kept, its trailing blanks dropped. Nothing else is special: tabs, # signs
// and quotes inside an unquoted value are plain characters.
// A field holds at most kMaxFieldLength characters (records/read_error.h).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "text/byte_source.h"
#include "text/read_error.h"
#include "text/text_source.h"

namespace zumaro {

// Reads Text fields from a TextSource, or the fields' bytes (quotes taken
// off, doubled quotes made single, as the Text would hold them) from a
// ByteSource; both read the same fields, records and faults.
template <class Source, class Value>
class BasicRecordReader {
 public:
  enum class Result {
    Record,       // `fields` holds a complete record
    ShortRecord,  // the data ended inside a record that holds text; the missing fields are empty
    End,          // no record left (blank lines at the end are no record)
  };

  // Lines are counted from the source's first character, which stands on
  // the line after those the source has taken (a header).
  BasicRecordReader(Source& source, int fieldCount)
      : source_(&source), fieldCount_(fieldCount), line_(1 + source.linesTaken()) {}

  // Reads the next record into `fields` (resized to the field count).
  // Throws ReadError, with recordNumber and field set, on invalid bytes, an
  // unclosed quote, a field longer than kMaxFieldLength or a read fault.
  Result next(std::vector<Value>& fields);

  // The next record as views: of the source's bytes when the record is of
  // the plain form (records/plain_record.h), else of `storage`, which next()
  // then fills. The views are valid until the next call. Byte reader only.
  // (Member templates, so that the character reader, which has no bytes,
  // never instantiates them.)
  template <class S = Source>
  requires std::is_same_v<S, ByteSource> Result nextViews(std::vector<std::string_view>& views,
                                                          std::vector<Value>& storage);
  // The fields of the record `distance` (1..kMostAhead) after the one read
  // last, when it and those before it are plain records already in the
  // source's checked bytes; null otherwise. Valid until the next call of
  // next() or nextViews(); reading them changes nothing nextViews gives.
  static constexpr int kMostAhead = 6;
  template <class S = Source>
  requires std::is_same_v<S, ByteSource>
  const std::string_view* peekPlain(int distance);

  // 1-based number of the record read last (blank records counted).
  int64_t recordNumber() const { return recordNumber_; }
  // 1-based line of the input on which the record read last begins (a
  // header line counts), and whether it begins a line: a record that does
  // not follows one that ended mid-line, a sign of ragged lines or a wrong
  // field count.
  int64_t recordLine() const { return current_.line; }
  bool recordStartsLine() const { return current_.startsLine; }

  // Reads the fields up to the next line end outside quotes, however many;
  // false when no text is left. Records read later are counted from there.
  bool readLine(std::vector<Value>& fields);

 private:
  struct Place {
    int64_t line = 0;
    bool startsLine = true;
  };
  struct RawRecord {
    Result result;
    bool blank;  // nothing but blanks and line ends
  };
  RawRecord readRaw(std::vector<Value>& fields);
  bool readField(Value& value, bool& blank);
  void skipSeparator();
  void readUnquoted(Value& value, bool& blank);
  void readQuoted(Value& value);
  ReadError& located(ReadError& error, int field) const;

  Source* source_;
  int fieldCount_;
  int64_t recordNumber_ = 0;
  int64_t pendingBlank_ = 0;  // blank records held back until text follows them
  std::vector<Value> lookahead_;
  bool lookaheadShort_ = false;
  bool hasLookahead_ = false;
  bool afterComma_ = false;
  int64_t line_;             // of the source's next character
  int64_t fieldLine_ = 0;    // on which the field being read begins
  bool atLineStart_ = true;  // the source's next character begins a line
  Place rawStart_;           // of the record readRaw read last
  Place firstBlank_;         // of the first blank record held back
  int64_t blanksGiven_ = 0;  // of those held back
  Place lookaheadStart_;
  Place current_;
  // Plain records split ahead by peekPlain, in order from the source's
  // position: aheadCount_ of them from aheadFirst_ on in the ring.
  struct SplitAhead {
    size_t taken = 0;
    std::vector<std::string_view> fields;
  };
  // A power of two, so that a place in the ring is found by a mask.
  static constexpr size_t kRing = 8;
  static_assert(kRing >= kMostAhead && (kRing & (kRing - 1)) == 0);
  static size_t ringPlace(size_t at) { return at & (kRing - 1); }
  std::array<SplitAhead, kRing> ahead_;
  size_t aheadFirst_ = 0;
  size_t aheadCount_ = 0;
  size_t aheadBytes_ = 0;
  bool aheadBlocked_ = false;  // the bytes after them hold no plain record
};

using RecordReader = BasicRecordReader<TextSource, Text>;
using ByteRecordReader = BasicRecordReader<ByteSource, std::string>;

}  // namespace zumaro
