#include "records/field_reader.h"

#include <type_traits>

#include "records/plain_record.h"

namespace zumaro {
namespace {

// Characters (char16_t) or bytes (char, taken as unsigned).
template <class C>
constexpr unsigned unit(C c) {
  return static_cast<std::make_unsigned_t<C>>(c);
}
constexpr auto isFieldEnd = [](auto c) { return unit(c) == ',' || unit(c) == '\r' || unit(c) == '\n'; };
// Line ends inside quoted values are counted as they are met; one compare
// passes most characters.
constexpr auto isQuoteOrLineEnd = [](auto c) {
  return unit(c) <= '"' && (unit(c) == '"' || unit(c) == '\r' || unit(c) == '\n');
};

// One character past the longest field tells a field that is too long.
constexpr size_t kReadLimit = kMaxFieldLength + 1;

}  // namespace

namespace {

// Empties every field but keeps its storage for the next record.
template <class Value>
void clearFields(std::vector<Value>& fields, int count) {
  fields.resize(static_cast<size_t>(count));
  for (Value& f : fields) f.clear();
}

}  // namespace

template <class Source, class Value>
typename BasicRecordReader<Source, Value>::Result BasicRecordReader<Source, Value>::next(std::vector<Value>& fields) {
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

template <class Source, class Value>
template <class S>
requires std::is_same_v<S, ByteSource>
typename BasicRecordReader<Source, Value>::Result BasicRecordReader<Source, Value>::nextViews(
    std::vector<std::string_view>& views, std::vector<Value>& storage) {
  views.resize(static_cast<size_t>(fieldCount_));
  const std::string_view bytes = source_->checkedBytes();
  if (pendingBlank_ == 0 && !hasLookahead_ && !bytes.empty()) {
    size_t taken = 0;
    if (aheadCount_ > 0) {
      SplitAhead& first = ahead_[aheadFirst_];
      views.swap(first.fields);
      taken = first.taken;
      aheadFirst_ = ringPlace(aheadFirst_ + 1);
      --aheadCount_;
      aheadBytes_ -= taken;
    } else {
      taken = splitPlainRecord(bytes.data(), bytes.data() + bytes.size(), fieldCount_, views.data());
    }
    if (taken != 0) {
      source_->skip(taken);
      rawStart_ = {line_, atLineStart_};
      fieldLine_ = line_++;
      atLineStart_ = true;
      afterComma_ = false;
      ++recordNumber_;
      current_ = rawStart_;
      return Result::Record;
    }
  }
  // The full reader may read more into the source; what peekPlain found
  // missing may be there afterwards.
  aheadBlocked_ = false;
  const Result result = next(storage);
  for (size_t i = 0; i < storage.size(); ++i) views[i] = storage[i];
  return result;
}

template <class Source, class Value>
template <class S>
requires std::is_same_v<S, ByteSource>
const std::string_view* BasicRecordReader<Source, Value>::peekPlain(int distance) {
  if (pendingBlank_ != 0 || hasLookahead_ || distance < 1 || distance > kMostAhead) return nullptr;
  const auto wanted = static_cast<size_t>(distance);
  while (aheadCount_ < wanted) {
    if (aheadBlocked_) return nullptr;
    // Records split ahead lie within the checked bytes.
    const std::string_view checked = source_->checkedBytes();
    const char* from = checked.data() + aheadBytes_;
    const char* end = checked.data() + checked.size();
    SplitAhead& slot = ahead_[ringPlace(aheadFirst_ + aheadCount_)];
    if (slot.fields.size() != static_cast<size_t>(fieldCount_)) slot.fields.resize(static_cast<size_t>(fieldCount_));
    slot.taken = from == end ? 0 : splitPlainRecord(from, end, fieldCount_, slot.fields.data());
    if (slot.taken == 0) {
      aheadBlocked_ = true;
      return nullptr;
    }
    aheadBytes_ += slot.taken;
    ++aheadCount_;
  }
  return ahead_[ringPlace(aheadFirst_ + wanted - 1)].fields.data();
}

template <class Source, class Value>
typename BasicRecordReader<Source, Value>::RawRecord BasicRecordReader<Source, Value>::readRaw(
    std::vector<Value>& fields) {
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

template <class Source, class Value>
bool BasicRecordReader<Source, Value>::readLine(std::vector<Value>& fields) {
  fields.clear();
  bool blank = true;
  try {
    do {
      Value value;
      if (!readField(value, blank)) break;
      fields.push_back(std::move(value));
    } while (afterComma_);
  } catch (ReadError& e) {
    throw located(e, static_cast<int>(fields.size()) + 1);
  }
  return !fields.empty();
}

template <class Source, class Value>
ReadError& BasicRecordReader<Source, Value>::located(ReadError& error, int field) const {
  error.recordNumber = recordNumber_ + pendingBlank_ + 1;
  error.field = field;
  error.line = fieldLine_;
  return error;
}

// False when the data ends where a field would start (after a line end or
// at the very start); a comma always announces one more field.
template <class Source, class Value>
bool BasicRecordReader<Source, Value>::readField(Value& value, bool& blank) {
  fieldLine_ = line_;
  while (source_->peek() == u' ') source_->get();
  int c = source_->peek();
  if (c == Source::kEnd) {
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
  if (source_->holdsAtLeast(value, kReadLimit)) throw ReadError(ReadFault::FieldTooLong, source_->bytesConsumed());
  skipSeparator();
  return true;
}

template <class Source, class Value>
void BasicRecordReader<Source, Value>::readUnquoted(Value& value, bool& blank) {
  source_->appendUntil(value, isFieldEnd, kReadLimit);
  if (!value.empty() || source_->peek() == u',') blank = false;
}

template <class Source, class Value>
void BasicRecordReader<Source, Value>::readQuoted(Value& value) {
  source_->get();
  bool closed = false;
  if constexpr (std::is_same_v<Source, ByteSource>) closed = source_->takePlainQuoted(value, kReadLimit);
  while (!closed) {
    source_->appendUntil(value, isQuoteOrLineEnd, kReadLimit);
    if (source_->holdsAtLeast(value, kReadLimit)) return;
    const int c = source_->get();
    if (c == u'\r' || c == u'\n') {
      value.push_back(static_cast<typename Value::value_type>(c));
      if (c == u'\n' || source_->peek() != u'\n') ++line_;  // CR LF counts once, at its LF
      continue;
    }
    if (c != u'"') throw ReadError(ReadFault::UnclosedQuote, source_->bytesConsumed());
    closed = source_->peek() != u'"';
    if (closed) break;
    source_->get();
    value.push_back('"');
  }
  // Text between the closing quote and the separator is kept, without its
  // trailing blanks; mostly the separator follows at once.
  const int next = source_->peek();
  if (next == Source::kEnd || isFieldEnd(static_cast<unsigned>(next))) return;
  const size_t quoted = value.size();
  source_->appendUntil(value, isFieldEnd, kReadLimit);
  while (value.size() > quoted && value.back() == ' ') value.pop_back();
}

template <class Source, class Value>
void BasicRecordReader<Source, Value>::skipSeparator() {
  int c = source_->get();
  afterComma_ = c == u',';
  if (c == u'\r' && source_->peek() == u'\n') source_->get();
  atLineStart_ = c == u'\r' || c == u'\n';
  if (atLineStart_) ++line_;
}

template class BasicRecordReader<TextSource, Text>;
template class BasicRecordReader<ByteSource, std::string>;
template ByteRecordReader::Result ByteRecordReader::nextViews<ByteSource>(std::vector<std::string_view>&,
                                                                          std::vector<std::string>&);
template const std::string_view* ByteRecordReader::peekPlain<ByteSource>(int);

}  // namespace zumaro
