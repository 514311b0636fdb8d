// What the page's worker calls: a preview of the chosen list, the data
// folder's description and a whole run. Answers go back as JSON; progress
// and the report's rows as they come, through the worker's functions.
#include <emscripten/emscripten.h>

#include <string>

#include "records/list_preview.h"
#include "run/conversion_run.h"
#include "run/data_age.h"
#include "run/data_folder_description.h"
#include "run/messages.h"
#include "web/json_text.h"
#include "web/page_settings.h"

namespace {

using zumaro::Text;
using zumaro::web::JsonObject;
using zumaro::web::jsonString;
using zumaro::web::jsonStrings;

// Every 4096 records: often enough for a smooth bar, rarely enough that
// the message costs nothing against the records.
constexpr int64_t kProgressEvery = 4096;

// Report rows go to the page a batch at a time, as one JSON array: one
// crossing into JavaScript and one parse for hundreds of rows.
constexpr size_t kRowBatchBytes = 1 << 18;

// The answer handed to the worker lives until the next call.
std::string answer;
std::string rowBatch;  // JSON objects, comma-separated

const char* keep(std::string json) {
  answer = std::move(json);
  return answer.c_str();
}

const char* statusName(zumaro::RunOutcome::Status status) {
  switch (status) {
    case zumaro::RunOutcome::Status::Finished:
      return "finished";
    case zumaro::RunOutcome::Status::Refused:
      return "refused";
    case zumaro::RunOutcome::Status::Failed:
      return "failed";
  }
  return "";
}

std::string outcomeJson(const zumaro::RunOutcome& o) {
  JsonObject json;
  json.add("status", std::string_view(statusName(o.status)))
      .add("message", o.message)
      .add("errorTitle", Text(zumaro::kErrorTitle))
      .add("finishedLine", Text(zumaro::kRunFinished))
      .add("recordsRead", o.recordsRead)
      .add("recordsWritten", o.recordsWritten)
      .add("inputEncoding", zumaro::encodingLabel(o.inputEncoding))
      .addJson("warnings", jsonStrings(o.warnings));
  if (o.status == zumaro::RunOutcome::Status::Finished) json.add("summary", zumaro::summaryLine(o));
  return json.str();
}

}  // namespace

EM_JS(void, zumaro_progress, (double recordsRead, double bytesRead, double bytesTotal),
      { Module.onProgress(recordsRead, bytesRead, bytesTotal); });

// The batch as UTF-8 bytes: the page decodes and parses them on its own
// thread, beside the run.
EM_JS(void, zumaro_report_rows, (const char* json, size_t size),
      { Module.onReportRows(HEAPU8.slice(json, json + size)); });

namespace {

void sendRows() {
  if (rowBatch.empty()) return;
  const std::string json = "[" + rowBatch + "]";
  zumaro_report_rows(json.data(), json.size());
  rowBatch.clear();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* zumaro_run(const char* settings) {
  zumaro::web::PageSettings s = zumaro::web::readPageSettings(settings);
  s.request.onRecord = [](const zumaro::RunProgress& p) {
    if (p.records % kProgressEvery == 0)
      zumaro_progress(static_cast<double>(p.recordsRead), static_cast<double>(p.bytesRead),
                      static_cast<double>(p.bytesTotal));
  };
  s.request.onReportRow = [](const zumaro::ReportRow& row) {
    JsonObject json;
    json.add("record", row.record)
        .add("line", row.line)
        .add("reason", zumaro::toUtf8(zumaro::reasonWord(row.reason)))
        .add("label", zumaro::toUtf8(zumaro::reasonLabel(row.reason)))
        .add("postalCode", row.postalCode)
        .add("addressAsRead", row.addressAsRead)
        .add("suggestedPostalCode", row.suggestedPostalCode)
        .add("suggestedAddress", row.suggestedAddress)
        .add("message", row.message);
    if (!rowBatch.empty()) rowBatch += ',';
    rowBatch += json.str();
    if (rowBatch.size() >= kRowBatchBytes) sendRows();
  };
  zumaro::ConversionState state;
  rowBatch.clear();
  const zumaro::RunOutcome outcome = zumaro::runConversion(state, s.texts, s.request);
  sendRows();
  return keep(outcomeJson(outcome));
}

// The first records of the list, split into fields as a run splits them.
EMSCRIPTEN_KEEPALIVE const char* zumaro_preview(const char* path, const char* encoding, int header) {
  zumaro::ListPreviewRequest request;
  request.path = path;
  request.encoding = zumaro::encodingChoiceNamed(encoding).value_or(zumaro::EncodingChoice::Auto);
  request.header = header != 0;
  const zumaro::ListPreview preview = zumaro::previewList(request);
  std::string records = "[";
  for (const auto& record : preview.records) {
    if (records.size() > 1) records += ',';
    records += jsonStrings(record);
  }
  records += ']';
  JsonObject json;
  json.add("ok", preview.ok)
      .add("error", preview.error)
      .add("encoding", zumaro::encodingLabel(preview.encoding))
      .add("firstLineFields", static_cast<int64_t>(preview.firstLineFields))
      .addJson("headerFields", jsonStrings(preview.headerFields))
      .addJson("records", records)
      .add("headerRowField", static_cast<int64_t>(preview.headerRowField));
  if (preview.headerRowField > 0 && !preview.records.empty() &&
      static_cast<size_t>(preview.headerRowField) <= preview.records.front().size())
    json.add("headerRowWarning",
             zumaro::headerRowWarning(preview.records.front()[static_cast<size_t>(preview.headerRowField - 1)]));
  return keep(json.str());
}

EMSCRIPTEN_KEEPALIVE const char* zumaro_data_folder(const char* folder) {
  const zumaro::DataFolderDescription d = zumaro::describeDataFolder(folder);
  JsonObject json;
  json.add("date", d.date.value_or(""))
      .add("entries", d.entries)
      .add("filesMissing", d.filesMissing)
      .add("staleDays", staleDataAge(d, zumaro::todayDate()).value_or(0));
  return keep(json.str());
}

}  // extern "C"
