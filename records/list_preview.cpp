#include "records/list_preview.h"

#include <algorithm>
#include <cerrno>

#include "records/field_reader.h"
#include "records/header_row_guess.h"
#include "records/postal_code_reading.h"
#include "state/failure.h"
#include "text/read_error.h"
#include "text/text_source.h"

namespace zumaro {
namespace {

void open(TextSource& source, const ListPreviewRequest& request) {
  if (request.path.empty()) throw RunFailure(u"元のファイル名が指定されていません。");
  if (!source.open(request.path, request.encoding)) throw RunFailure(openFailure(request.path, errno));
}

Text describe(const ReadError& e, const std::string& path) {
  Text message = describeReadError(e, path, u"件目");
  if (e.line > 0) message += u"（" + decimal(e.line) + u"行目）";
  return message;
}

// A line of nothing but blanks is no guide to the field count.
bool isBlankLine(const std::vector<Text>& fields) { return fields.size() == 1 && fields[0].empty(); }

// The header's fields and the field count of the first line after it. The
// header is split by the record rules here, while a run takes its first line
// as bytes; they differ only for a header with a line end inside quotes.
void readFirstLines(const ListPreviewRequest& request, ListPreview& preview) {
  TextSource source;
  open(source, request);
  preview.encoding = source.encoding();
  RecordReader reader(source, 1);
  if (request.header) {
    try {
      reader.readLine(preview.headerFields);
    } catch (ReadError& e) {
      e.recordNumber = 0;
      throw;
    }
  }
  std::vector<Text> fields;
  while (reader.readLine(fields)) {
    if (isBlankLine(fields)) continue;
    preview.firstLineFields = static_cast<int>(fields.size());
    return;
  }
}

void readRecords(const ListPreviewRequest& request, int fieldCount, ListPreview& preview) {
  TextSource source;
  open(source, request);
  if (request.header) {
    std::string raw;
    Text text;
    source.takeFirstLine(raw, text);
  }
  RecordReader reader(source, fieldCount);
  std::vector<Text> fields;
  while (static_cast<int>(preview.records.size()) < request.maxRecords &&
         reader.next(fields) != RecordReader::Result::End)
    preview.records.push_back(fields);
}

// The column's fields in the records the guess looks at.
std::vector<Text> leadingFields(const ListPreview& preview, size_t column) {
  std::vector<Text> fields;
  for (const auto& record : preview.records) {
    if (fields.size() == kHeaderGuessRecords) break;
    fields.push_back(column < record.size() ? record[column] : Text());
  }
  return fields;
}

// Seven-digit codes under the title: a column of five- and six-digit
// numbers (record numbers) reads as codes with their zeros dropped too.
long fullCodes(const std::vector<Text>& fields) {
  return std::count_if(fields.begin() + 1, fields.end(),
                       [](const Text& f) { return readPostalCode(f).kind == PostalCodeReading::Kind::Code; });
}

int headerRowField(const ListPreviewRequest& request, const ListPreview& preview) {
  if (request.header || preview.records.empty()) return 0;
  const bool complete = static_cast<int>(preview.records.size()) < request.maxRecords;
  auto looks = [&](const std::vector<Text>& fields) {
    return guessHeaderRow(fields, complete) == HeaderRowGuess::Header;
  };
  if (request.postalField > 0)
    return looks(leadingFields(preview, static_cast<size_t>(request.postalField - 1))) ? request.postalField : 0;
  // Not told which is the postal code: the column that looks most like one.
  int best = 0;
  long bestCodes = -1;
  for (size_t c = 0; c < preview.records[0].size(); ++c) {
    const std::vector<Text> fields = leadingFields(preview, c);
    if (!looks(fields) || fullCodes(fields) <= bestCodes) continue;
    best = static_cast<int>(c + 1);
    bestCodes = fullCodes(fields);
  }
  return best;
}

}  // namespace

ListPreview previewList(const ListPreviewRequest& request) {
  ListPreview preview;
  try {
    readFirstLines(request, preview);
    const int fieldCount = request.fieldCount > 0 ? request.fieldCount : preview.firstLineFields;
    if (fieldCount > 0) readRecords(request, fieldCount, preview);
    preview.headerRowField = headerRowField(request, preview);
    preview.ok = true;
  } catch (const ReadError& e) {
    preview.error = describe(e, request.path);
  } catch (const RunFailure& failure) {
    preview.error = failure.message;
  }
  return preview;
}

}  // namespace zumaro
