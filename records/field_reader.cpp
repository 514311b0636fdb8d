#include "records/field_reader.h"

#include "records/read_error.h"

namespace zumaro {
namespace {

constexpr auto isFieldEnd = [](char16_t c) { return c == u',' || c == u'\r' || c == u'\n'; };
constexpr auto isQuote = [](char16_t c) { return c == u'"'; };

// One character past the longest field tells a field that is too long.
constexpr size_t kReadLimit = kMaxFieldLength + 1;

}  // namespace

namespace {

// Empties every field but keeps its storage for the next record.
void clearFields(std::vector<Text>& fields, int count) {
  fields.resize(static_cast<size_t>(count));
  for (Text& f : fields) f.clear();
}

}  // namespace

void RecordReader::takeStart() {
  current_ = starts_.front();
  starts_.pop_front();
}

RecordReader::Result RecordReader::next(std::vector<Text>& fields) {
  if (pendingBlank_ > 0) {
    clearFields(fields, fieldCount_);
    --pendingBlank_;
    ++recordNumber_;
    takeStart();
    return Result::Record;
  }
  if (hasLookahead_) {
    hasLookahead_ = false;
    fields.swap(lookahead_);
    ++recordNumber_;
    takeStart();
    return lookaheadShort_ ? Result::ShortRecord : Result::Record;
  }
  RawRecord raw = readRaw(fields);
  if (raw.result == Result::End) return Result::End;
  if (!raw.blank) {
    ++recordNumber_;
    takeStart();
    return raw.result;
  }
  // A blank record counts only if text follows it; blank lines at the end of
  // the data are no record.
  while (raw.blank && raw.result == Result::Record) {
    ++pendingBlank_;
    raw = readRaw(lookahead_);
  }
  if (raw.result == Result::End || raw.blank) {
    pendingBlank_ = 0;
    starts_.clear();
    return Result::End;
  }
  hasLookahead_ = true;
  lookaheadShort_ = raw.result == Result::ShortRecord;
  --pendingBlank_;
  ++recordNumber_;
  takeStart();
  return Result::Record;  // the blank record read first: its fields are empty
}

RecordReader::RawRecord RecordReader::readRaw(std::vector<Text>& fields) {
  clearFields(fields, fieldCount_);
  const LineStart start{line_, atLineStart_};
  bool blank = true;
  int i = 0;
  try {
    for (; i < fieldCount_; ++i) {
      if (!readField(fields[static_cast<size_t>(i)], blank)) {
        if (i == 0) return {Result::End, true};
        starts_.push_back(start);
        return {Result::ShortRecord, blank};
      }
    }
  } catch (ReadError& e) {
    e.recordNumber = recordNumber_ + pendingBlank_ + 1;
    e.field = i + 1;
    throw;
  }
  starts_.push_back(start);
  return {Result::Record, blank};
}

// False when the data ends where a field would start (after a line end or
// at the very start); a comma always announces one more field.
bool RecordReader::readField(Text& value, bool& blank) {
  while (source_->peek() == u' ') source_->get();
  int c = source_->peek();
  if (c == TextSource::kEnd) {
    if (!afterComma_) return false;
    afterComma_ = false;
    return true;
  }
  if (c == u'"') {
    blank = false;
    readQuoted(value);
  } else {
    readUnquoted(value, blank);
  }
  if (value.size() > kMaxFieldLength) throw ReadError(ReadFault::FieldTooLong, source_->bytesConsumed());
  skipSeparator();
  return true;
}

void RecordReader::readUnquoted(Text& value, bool& blank) {
  source_->appendUntil(value, isFieldEnd, kReadLimit);
  if (!value.empty() || source_->peek() == u',') blank = false;
}

void RecordReader::readQuoted(Text& value) {
  source_->get();
  source_->appendUntil(value, isQuote, kReadLimit);
  if (value.size() == kReadLimit) return;
  if (source_->get() != u'"') throw ReadError(ReadFault::UnclosedQuote, source_->bytesConsumed());
  // Text between the closing quote and the separator is kept, without its
  // trailing blanks; mostly the separator follows at once.
  const int next = source_->peek();
  if (next == TextSource::kEnd || isFieldEnd(static_cast<char16_t>(next))) return;
  const size_t quoted = value.size();
  source_->appendUntil(value, isFieldEnd, kReadLimit);
  while (value.size() > quoted && value.back() == u' ') value.pop_back();
}

void RecordReader::skipSeparator() {
  int c = source_->get();
  afterComma_ = c == u',';
  atLineStart_ = !afterComma_;
  if (c == u'\r' || c == u'\n') ++line_;
  if (c == u'\r' && source_->peek() == u'\n') source_->get();
}

}  // namespace zumaro
