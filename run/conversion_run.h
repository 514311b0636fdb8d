#pragma once
// One press of Execute: check the settings, open every file, run the record
// loop, close everything. The caller shows the outcome.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lookup/lookup_method.h"
#include "run/record_loop.h"
#include "run/report_row.h"
#include "run/settings_texts.h"
#include "state/conversion_state.h"
#include "state/reason_counts.h"
#include "text/text_encoding.h"

namespace zumaro {

struct RunProgress {
  int64_t recordsRead = 0;  // the count the caption shows
  int64_t records = 0;      // records of this run so far
  uint64_t bytesRead = 0;   // of the input
  uint64_t bytesTotal = 0;  // size of the input, 0 when unknown
};

struct RunRequest {
  std::string dataFolder;             // the folder of 01.dat .. 23.dat
  std::string unmatchedPath;          // empty: no file of unmatched records
  bool dashIsStandardOutput = false;  // an output path "-" writes to standard output
  LookupMethod lookup = LookupMethod::Fast;
  // Bytes, the default, is taken only when the output's encoding writes the
  // input's characters as they are; a run that changes the encoding decodes.
  RecordPath recordPath = RecordPath::Bytes;
  MatchMode match = MatchMode::Tolerant;
  BlockStyle blocks = BlockStyle::FullWidth;
  EncodingChoice encoding = EncodingChoice::Auto;  // of the input
  // Of the output and the file of unmatched records; unset: the input's
  // (with a byte-order mark when the input has one).
  std::optional<TextEncoding> outputEncoding;
  // The input's first line is a header: written unchanged at the top of both
  // outputs (re-encoded when their encoding differs), neither converted nor
  // counted as a record.
  bool header = false;
  std::function<void(const RunProgress&)> onRecord;
  // Records whose own postal code converts nothing get the code their
  // reading names, when it is certain (tolerant comparison only).
  bool fixPostalCode = false;
  std::string reportPath;  // empty: no report file
  // Every report row as its record is done, whether or not a file is written.
  std::function<void(const ReportRow&)> onReportRow;
};

struct RunOutcome {
  enum class Status { Finished, Refused, Failed };
  Status status = Status::Finished;
  int errcode = 0;  // the check that refused the settings
  Text message;     // for Refused and Failed
  int64_t recordsRead = 0;
  int64_t recordsApplied = 0;
  int64_t recordsUnmatched = 0;
  int64_t recordsWritten = 0;  // complete records in the output file
  ReasonCounts reasons;
  std::vector<Text> warnings;
  TextEncoding inputEncoding = TextEncoding::Cp932;   // as read, once the input was opened
  TextEncoding outputEncoding = TextEncoding::Cp932;  // as written
};

// The line that follows 変換処理終了: records read, matched (of them those
// already written and those that deserve a look all the same), unmatched by
// reason.
Text summaryLine(const RunOutcome& outcome);
// The warning a run ends with when records do not begin at a line's start.
Text misalignedWarning(const ReasonCounts& reasons);
// The warning a run ends with when its first record looks like a header row
// (records/header_row_guess.h), naming its postal-code field as read.
Text headerRowWarning(TextView postalField);

RunOutcome runConversion(ConversionState& s, const SettingsTexts& texts, const RunRequest& request);

}  // namespace zumaro
