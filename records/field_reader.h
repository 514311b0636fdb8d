#pragma once
// The comma-separated field format of the input and the data files.
//
// A field ends at a comma or a line end (CR LF, or a lone CR or LF); records
// are simply the next N fields, whatever the lines. Blanks before a field are
// skipped. A field that starts with a double quote runs to the next double
// quote, commas and line ends included; text between the closing quote and
// the separator is kept, its trailing blanks dropped. Nothing else is special:
// tabs, # signs and quotes inside an unquoted value are plain characters.
// A field holds at most kMaxFieldLength characters (records/read_error.h).
#include <cstdint>
#include <deque>
#include <vector>

#include "records/text_source.h"

namespace zumaro {

class RecordReader {
 public:
  enum class Result {
    Record,       // `fields` holds a complete record
    ShortRecord,  // the data ended inside a record that holds text; the missing fields are empty
    End,          // no record left (blank lines at the end are no record)
  };

  RecordReader(TextSource& source, int fieldCount) : source_(&source), fieldCount_(fieldCount) {}

  // Reads the next record into `fields` (resized to the field count).
  // Throws ReadError, with recordNumber and field set, on invalid bytes, an
  // unclosed quote, a field longer than kMaxFieldLength or a read fault.
  Result next(std::vector<Text>& fields);

  // 1-based number of the record read last (blank records counted).
  int64_t recordNumber() const { return recordNumber_; }
  // 1-based line on which the record read last begins. Lines end at CR LF,
  // CR or LF outside quoted fields.
  int64_t recordLine() const { return current_.line; }
  // False when the record read last begins after a comma, in the middle of
  // a line: a record that does not line up with the lines.
  bool recordStartsLine() const { return current_.startsLine; }

 private:
  enum class FieldEnd { Separator, EndOfData };
  struct RawRecord {
    Result result;
    bool blank;  // nothing but blanks and line ends
  };
  RawRecord readRaw(std::vector<Text>& fields);
  bool readField(Text& value, bool& blank);
  void skipSeparator();
  void readUnquoted(Text& value, bool& blank);
  void readQuoted(Text& value);
  void takeStart();

  struct LineStart {
    int64_t line = 0;
    bool startsLine = true;
  };

  TextSource* source_;
  int fieldCount_;
  int64_t recordNumber_ = 0;
  int64_t pendingBlank_ = 0;  // blank records held back until text follows them
  std::vector<Text> lookahead_;
  bool lookaheadShort_ = false;
  bool hasLookahead_ = false;
  bool afterComma_ = false;
  int64_t line_ = 1;         // line of the next character
  bool atLineStart_ = true;  // no field of this line read yet
  std::deque<LineStart> starts_;  // of the records read but not yet handed out
  LineStart current_;
};

}  // namespace zumaro
