#include "run/record_loop.h"

#include <array>
#include <bit>

#include "records/field_reader.h"
#include "records/header_row_guess.h"
#include "run/record_lookup.h"
#include "state/failure.h"
#include "text/read_error.h"

namespace zumaro {
namespace {

template <class Field>
void writeRecord(RecordWriter& writer, TextView file, const std::string& path, const Field* fields, int count,
                 int64_t recordNumber) {
  try {
    writer.write(fields, count);
  } catch (const WriteError& e) {
    if (e.kind == WriteError::Kind::Unencodable) {
      throw RunFailure(decimal(recordNumber) + u"件目の" + decimal(e.field) + u"番目の項目に" +
                       encodingLabel(writer.encoding()) + u"で書けない文字(" + codePoint(e.character) +
                       u")があります。");
    }
    throw RunFailure(writeFailure(file, path, e.errorNumber));
  }
}

template <class Reader>
void warnShortRecord(const Reader& reader, int fieldCount, LoopTally& tally) {
  tally.warnings.push_back(decimal(reader.recordNumber()) + u"件目のレコードは項目が" + decimal(fieldCount) +
                           u"個に足りないまま終わっています。足りない項目は空で出力しました。");
}

// The next record, with what the loop does before the conversion sees it;
// End is passed on.
template <class Reader, class Value>
typename Reader::Result nextRecord(Reader& reader, std::vector<Value>& fields, int fieldCount, LoopFiles& files,
                                   LoopTally& tally) {
  typename Reader::Result result;
  try {
    result = reader.next(fields);
  } catch (const ReadError& e) {
    throw RunFailure(describeReadError(e, files.inputPath, u"件目"));
  }
  if (result == Reader::Result::End) return result;
  if (result == Reader::Result::ShortRecord) warnShortRecord(reader, fieldCount, tally);
  return result;
}

// Counts the record, and tells where it stands when a check wants to know.
template <class Reader>
RecordPlace countRecord(ConversionState& s, const Reader& reader, LoopFiles& files, LoopTally& tally,
                        const RecordObserver& observer, uint64_t bytesRead) {
  ++s.recordsRead;
  ++tally.read;
  if (observer) observer(s.recordsRead, bytesRead);
  const int64_t recordNumber = reader.recordNumber();
  if (!reader.recordStartsLine()) tally.reasons.countMisaligned(recordNumber, reader.recordLine());
  if (tally.leadingPostalFields.size() < kHeaderGuessRecords)
    tally.leadingPostalFields.push_back(slot(s, s.settings.postalCodePosition));
  if (!files.check) return {};
  return {recordNumber, reader.recordLine(), reader.recordStartsLine(), slot(s, s.settings.postalCodePosition)};
}

void tallyOutcome(ConversionState& s, LoopTally& tally) {
  if (s.entryApplied) {
    ++tally.applied;
  } else {
    ++tally.unmatched;
  }
}

void runDecodingLoop(ConversionState& s, int fieldCount, LoopFiles& files, LoopTally& tally,
                     const RecordObserver& observer) {
  RecordReader reader(files.input, fieldCount);
  std::vector<Text> fields;
  std::vector<Text> asRead;
  while (nextRecord(reader, fields, fieldCount, files, tally) != RecordReader::Result::End) {
    const int64_t recordNumber = reader.recordNumber();
    if (files.unmatched) asRead = fields;
    for (int i = 1; i <= fieldCount; ++i)
      s.recordField[static_cast<size_t>(i)].swap(fields[static_cast<size_t>(i - 1)]);
    const RecordPlace place = countRecord(s, reader, files, tally, observer, files.input.bytesConsumed());

    lookUpRecord(s, files.lookup, files.repair);
    tally.reasons.count(s.match);
    writeRecord(files.output, kOutputFile, files.outputPath, &s.recordField[1], fieldCount, recordNumber);
    tallyOutcome(s, tally);
    if (!s.entryApplied && files.unmatched)
      writeRecord(*files.unmatched, kUnmatchedFile, files.unmatchedPath, asRead.data(), fieldCount, recordNumber);
    if (files.check) files.check(s, place);
  }
}

// Which of slots 1..fieldCount the conversion may read or write.
std::vector<bool> conversionSlots(const Settings& set, int fieldCount) {
  std::vector<bool> slots(static_cast<size_t>(fieldCount) + 1, false);
  auto mark = [&](int position) {
    if (position >= 1 && position <= fieldCount) slots[static_cast<size_t>(position)] = true;
  };
  for (int position : {set.postalCodePosition, set.prefecturePosition, set.cityPosition, set.townPosition,
                       set.buildingPosition, set.companyPosition})
    mark(position);
  for (int k = 1; k <= kFurtherPairs; ++k) mark(set.positionOfFurtherField[static_cast<size_t>(k)]);
  return slots;
}

// The next record of the byte path as views, with what nextRecord does
// around it.
ByteRecordReader::Result nextViews(ByteRecordReader& reader, std::vector<std::string_view>& fields,
                                   std::vector<std::string>& storage, int fieldCount, LoopFiles& files,
                                   LoopTally& tally) {
  ByteRecordReader::Result result;
  try {
    result = reader.nextViews(fields, storage);
  } catch (const ReadError& e) {
    throw RunFailure(describeReadError(e, files.inputPath, u"件目"));
  }
  if (result == ByteRecordReader::Result::ShortRecord) warnShortRecord(reader, fieldCount, tally);
  return result;
}

// The seven digits of a postal code written the usual ways (1234567,
// 123-4567), from its bytes; false for anything else. Only a hint.
bool usualPostalKey(std::string_view bytes, std::array<char16_t, 7>& key) {
  size_t digits = 0;
  for (const char c : bytes) {
    if (c >= '0' && c <= '9') {
      if (digits == key.size()) return false;
      key[digits++] = static_cast<char16_t>(c);
    } else if (c != '-') {
      return false;
    }
  }
  return digits == key.size();
}

// Unsorted lists send each search to a far place in the data: the records
// read ahead tell the lookup where, so that the memory is on its way.
void prefetchAhead(ByteRecordReader& reader, DataLookup& lookup, int postalField) {
  std::array<char16_t, 7> digits{};
  const std::string_view* fields = reader.peekPlain(DataLookup::kPrefetchDistance);
  const TextView key(digits.data(), digits.size());
  lookup.prefetchAhead(fields != nullptr && usualPostalKey(fields[postalField - 1], digits) ? &key : nullptr);
}

void putAsRead(const std::vector<std::string_view>& fields, std::vector<FieldToWrite>& output) {
  for (size_t i = 0; i < output.size(); ++i) output[i] = FieldToWrite{fields[i], nullptr};
}

// Only the fields the conversion reads are decoded, and only those it
// changed are encoded again; the others go out as they came in.
void runByteLoop(ConversionState& s, int fieldCount, LoopFiles& files, LoopTally& tally,
                 const RecordObserver& observer) {
  ByteSource source(files.input);
  ByteRecordReader reader(source, fieldCount);
  const TextEncoding encoding = files.input.encoding();
  const std::vector<bool> converted = conversionSlots(s.settings, fieldCount);
  std::vector<size_t> decoded;  // the fields the conversion reads, in order
  for (size_t i = 1; i < converted.size(); ++i)
    if (converted[i]) decoded.push_back(i);
  // Bits 1..fieldCount (at most 50): the slots that stand for the fields.
  const uint64_t fieldSlots = ((uint64_t{1} << (fieldCount + 1)) - 1) & ~uint64_t{1};
  for (int i = 1; i <= fieldCount; ++i) s.recordField[static_cast<size_t>(i)].clear();
  std::vector<std::string_view> fields;
  std::vector<std::string> storage;
  std::vector<FieldToWrite> output(static_cast<size_t>(fieldCount));
  const int postalField = s.settings.postalCodePosition;
  const bool hint = postalField >= 1 && postalField <= fieldCount;
  while (nextViews(reader, fields, storage, fieldCount, files, tally) != ByteRecordReader::Result::End) {
    if (hint) prefetchAhead(reader, files.lookup, postalField);
    const int64_t recordNumber = reader.recordNumber();
    // Every field slot starts the record empty or holding its decoded field:
    // only those decoded, and those the last record changed, have anything
    // to drop.
    for (uint64_t left = s.slotsChanged & fieldSlots; left != 0; left &= left - 1)
      s.recordField[static_cast<size_t>(std::countr_zero(left))].clear();
    for (const size_t i : decoded) {
      Text& slot = s.recordField[i];
      slot.clear();
      decodeText(encoding, fields[i - 1].data(), fields[i - 1].size(), true, slot);
    }
    s.slotsChanged = 0;
    const RecordPlace place = countRecord(s, reader, files, tally, observer, source.bytesConsumed());

    lookUpRecord(s, files.lookup, files.repair);
    tally.reasons.count(s.match);
    putAsRead(fields, output);
    for (uint64_t left = s.slotsChanged & fieldSlots; left != 0; left &= left - 1) {
      const auto i = static_cast<size_t>(std::countr_zero(left));
      output[i - 1] = FieldToWrite{{}, &s.recordField[i]};
    }
    writeRecord(files.output, kOutputFile, files.outputPath, output.data(), fieldCount, recordNumber);
    tallyOutcome(s, tally);
    if (!s.entryApplied && files.unmatched) {
      putAsRead(fields, output);
      writeRecord(*files.unmatched, kUnmatchedFile, files.unmatchedPath, output.data(), fieldCount, recordNumber);
    }
    if (files.check) files.check(s, place);
  }
}

}  // namespace

std::optional<RecordPath> recordPathNamed(std::string_view name) {
  if (name == "bytes") return RecordPath::Bytes;
  if (name == "decode") return RecordPath::Decode;
  return std::nullopt;
}

void runRecordLoop(ConversionState& s, int fieldCount, LoopFiles& files, LoopTally& tally,
                   const RecordObserver& observer, RecordPath path) {
  if (path == RecordPath::Bytes) {
    runByteLoop(s, fieldCount, files, tally, observer);
  } else {
    runDecodingLoop(s, fieldCount, files, tally, observer);
  }
}

}  // namespace zumaro
