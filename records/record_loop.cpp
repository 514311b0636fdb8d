#include "records/record_loop.h"

#include "records/field_reader.h"
#include "records/record_lookup.h"
#include "records/read_error.h"
#include "state/failure.h"

namespace zumaro {
namespace {

void writeRecord(RecordWriter& writer, TextView file, const std::string& path, const Text* fields, int count,
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

}  // namespace

void runRecordLoop(ConversionState& s, int fieldCount, LoopFiles& files, LoopTally& tally,
                   const RecordObserver& observer) {
  RecordReader reader(files.input, fieldCount);
  std::vector<Text> fields;
  std::vector<Text> asRead;
  RecordPlace place;
  for (;;) {
    RecordReader::Result result;
    try {
      result = reader.next(fields);
    } catch (const ReadError& e) {
      throw RunFailure(describeReadError(e, files.inputPath, u"件目"));
    }
    if (result == RecordReader::Result::End) return;
    const int64_t recordNumber = reader.recordNumber();
    if (result == RecordReader::Result::ShortRecord) {
      tally.warnings.push_back(decimal(recordNumber) + u"件目のレコードは項目が" + decimal(fieldCount) +
                               u"個に足りないまま終わっています。足りない項目は空で出力しました。");
    }
    if (files.unmatched) asRead = fields;
    for (int i = 1; i <= fieldCount; ++i) s.koumoku[static_cast<size_t>(i)].swap(fields[static_cast<size_t>(i - 1)]);

    ++s.kensu;
    ++tally.read;
    if (observer) observer(s.kensu, files.input.bytesConsumed());

    if (!reader.recordStartsLine()) tally.reasons.countMisaligned(recordNumber, reader.recordLine());
    if (files.check) place = {recordNumber, reader.recordLine(), reader.recordStartsLine(), slot(s, s.settings.posno)};

    lookUpRecord(s, files.lookup);
    tally.reasons.count(s.match.outcome);
    writeRecord(files.output, kOutputFile, files.outputPath, &s.koumoku[1], fieldCount, recordNumber);

    if (s.entryApplied) {
      ++tally.applied;
    } else {
      ++tally.unmatched;
      if (files.unmatched)
        writeRecord(*files.unmatched, kUnmatchedFile, files.unmatchedPath, asRead.data(), fieldCount, recordNumber);
    }
    if (files.check) files.check(s, place);
  }
}

}  // namespace zumaro
