#include "records/field_reader.h"

namespace zumaro {
namespace {

constexpr auto isFieldEnd = [](char16_t c) { return c == u',' || c == u'\r' || c == u'\n'; };
// Line ends inside quoted values are counted as they are met; one compare
// passes most characters.
constexpr auto isQuoteOrLineEnd = [](char16_t c) { return c <= u'"' && (c == u'"' || c == u'\r' || c == u'\n'); };

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

RecordReader::Result RecordReader::next(std::vector<Text>& fields) {
  if (pendingBlank_ > 0) {
    clearFields(fields, fieldCount_);
    --pendingBlank_;
    ++recordNumber_;
    // Each blank record takes one line end a field, so the ones after the
    // first begin lines at a fixed step.
    current_ = {firstBlank_.line + blanksGiven_ * fieldCount_, true};
    ++blanksGiven_;
    return Result::Record;
  }
  if (hasLookahead_) {
    hasLookahead_ = false;
    fields.swap(lookahead_);
    ++recordNumber_;
    current_ = lookaheadStart_;
    return lookaheadShort_ ? Result::ShortRecord : Result::Record;
  }
  RawRecord raw = readRaw(fields);
  if (raw.result == Result::End) return Result::End;
  if (!raw.blank) {
    ++recordNumber_;
    current_ = rawStart_;
    return raw.result;
  }
  // A blank record counts only if text follows it; blank lines at the end of
  // the data are no record.
  firstBlank_ = rawStart_;
  while (raw.blank && raw.result == Result::Record) {
    ++pendingBlank_;
    raw = readRaw(lookahead_);
  }
  if (raw.result == Result::End || raw.blank) {
    pendingBlank_ = 0;
    return Result::End;
  }
  hasLookahead_ = true;
  lookaheadShort_ = raw.result == Result::ShortRecord;
  lookaheadStart_ = rawStart_;
  --pendingBlank_;
  ++recordNumber_;
  current_ = firstBlank_;
  blanksGiven_ = 1;
  return Result::Record;  // the blank record read first: its fields are empty
}

RecordReader::RawRecord RecordReader::readRaw(std::vector<Text>& fields) {
  clearFields(fields, fieldCount_);
  rawStart_ = {line_, atLineStart_};
  bool blank = true;
  int i = 0;
  try {
    for (; i < fieldCount_; ++i) {
      if (!readField(fields[static_cast<size_t>(i)], blank)) {
        if (i == 0) return {Result::End, true};
        return {Result::ShortRecord, blank};
      }
    }
  } catch (ReadError& e) {
    throw located(e, i + 1);
  }
  return {Result::Record, blank};
}

bool RecordReader::readLine(std::vector<Text>& fields) {
  fields.clear();
  bool blank = true;
  try {
    do {
      Text value;
      if (!readField(value, blank)) break;
      fields.push_back(std::move(value));
    } while (afterComma_);
  } catch (ReadError& e) {
    throw located(e, static_cast<int>(fields.size()) + 1);
  }
  return !fields.empty();
}

ReadError& RecordReader::located(ReadError& error, int field) const {
  error.recordNumber = recordNumber_ + pendingBlank_ + 1;
  error.field = field;
  error.line = fieldLine_;
  return error;
}

// False when the data ends where a field would start (after a line end or
// at the very start); a comma always announces one more field.
bool RecordReader::readField(Text& value, bool& blank) {
  fieldLine_ = line_;
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
  for (;;) {
    source_->appendUntil(value, isQuoteOrLineEnd, kReadLimit);
    if (value.size() == kReadLimit) return;
    const int c = source_->get();
    if (c == u'\r' || c == u'\n') {
      value.push_back(static_cast<char16_t>(c));
      if (c == u'\n' || source_->peek() != u'\n') ++line_;  // CR LF counts once, at its LF
      continue;
    }
    if (c != u'"') throw ReadError(ReadFault::UnclosedQuote, source_->bytesConsumed());
    if (source_->peek() != u'"') break;
    source_->get();
    value.push_back(u'"');
  }
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
  if (c == u'\r' && source_->peek() == u'\n') source_->get();
  atLineStart_ = c == u'\r' || c == u'\n';
  if (atLineStart_) ++line_;
}

}  // namespace zumaro
