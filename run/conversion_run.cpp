#include "run/conversion_run.h"

#include "run/address_search.h"
#include "run/postal_code_fix.h"

#include <unistd.h>

#include <unicode/utf16.h>

#include <cerrno>
#include <memory>

#include "lookup/data_search.h"
#include "records/header_row_guess.h"
#include "records/record_writer.h"
#include "run/data_folder.h"
#include "run/messages.h"
#include "run/record_loop.h"
#include "run/record_report.h"
#include "run/report_file.h"
#include "run/same_file.h"
#include "run/validation.h"
#include "state/failure.h"
#include "text/read_error.h"
#include "text/text_source.h"

namespace zumaro {
namespace {

void openInput(TextSource& input, const std::string& path, EncodingChoice encoding) {
  // Worded like the output's: a missing name is not a missing file.
  if (path.empty()) throw RunFailure(u"元のファイル名が指定されていません。");
  if (!input.open(path, encoding)) throw RunFailure(openFailure(path, errno));
}

// The header line as both outputs begin with it: its own bytes when the
// encodings agree (a byte-order mark aside), else its text re-encoded.
std::string takeHeader(TextSource& input, const std::string& path, TextEncoding outputEncoding) {
  std::string raw;
  Text text;
  try {
    input.takeFirstLine(raw, text);
  } catch (const ReadError& e) {
    throw RunFailure(describeReadError(e, path, u"件目"));
  }
  if (isUtf8(input.encoding()) == isUtf8(outputEncoding)) return raw;
  std::string bytes;
  size_t bad = 0;
  if (!encodeText(outputEncoding, text, bytes, bad)) {
    const char32_t c =
        U16_IS_LEAD(text[bad]) && bad + 1 < text.size() ? U16_GET_SUPPLEMENTARY(text[bad], text[bad + 1]) : text[bad];
    throw RunFailure(u"見出し行に" + encodingLabel(outputEncoding) + u"で書けない文字(" + codePoint(c) +
                     u")があります。");
  }
  return bytes;
}

// A file the run writes: a path, or standard output for "-". Standard
// output may have been sent to any file, the input included.
struct WriteTarget {
  std::string path;
  bool standardOutput = false;
  bool sameAs(const std::string& other) const {
    return standardOutput ? sameFile(STDOUT_FILENO, other) : sameFile(path, other);
  }
};

void refuseOverwritingInputs(const WriteTarget& target, const std::string& input, const std::string& dataFolder,
                             TextView targetName) {
  if (target.sameAs(input)) throw RunFailure(Text(targetName) + u"と元のファイルが同じです。 " + fromUtf8(target.path));
  for (int k = 1; k <= kDataFileCount; ++k) {
    if (target.sameAs(dataFilePath(dataFolder, k)))
      throw RunFailure(Text(targetName) + u"が郵便番号データのファイルと同じです。 " + fromUtf8(target.path));
  }
}

// Nothing may be written over the input or the postal data, and no two
// files written may be one.
void refuseUnsafeOutputs(const WriteTarget& output, const RunRequest& request, const std::string& inputPath) {
  refuseOverwritingInputs(output, inputPath, request.dataFolder, kOutputFile);
  if (!request.unmatchedPath.empty()) {
    refuseOverwritingInputs({request.unmatchedPath}, inputPath, request.dataFolder, kUnmatchedFile);
    if (output.sameAs(request.unmatchedPath))
      throw RunFailure(u"照合できなかったレコードのファイルと出力先のファイルが同じです。 " + fromUtf8(output.path));
  }
  if (!request.reportPath.empty())
    refuseOverwritingInputs({request.reportPath}, inputPath, request.dataFolder, kReportFile);
}

// Once the output and the unmatched file exist, even as new files, the
// report may not be either of them.
void refuseReportOverOutputs(const WriteTarget& output, const RunRequest& request) {
  const WriteTarget report{request.reportPath};
  if (output.sameAs(request.reportPath))
    throw RunFailure(Text(kReportFile) + u"と出力先のファイルが同じです。 " + fromUtf8(output.path));
  if (!request.unmatchedPath.empty() && report.sameAs(request.unmatchedPath))
    throw RunFailure(Text(kReportFile) + u"と照合できなかったレコードのファイルが同じです。 " +
                     fromUtf8(request.reportPath));
}

void createOutput(RecordWriter& writer, const std::string& path, bool dashIsStandardOutput, TextView targetName) {
  if (dashIsStandardOutput && path == "-") {
    writer.attach(STDOUT_FILENO);
    return;
  }
  if (path.empty()) throw RunFailure(Text(targetName) + u"名が指定されていません。");
  if (!writer.create(path))
    throw RunFailure(Text(targetName) + u"を作成できません。 " + fromUtf8(path) + u"（" + systemErrorText(errno) +
                     u"）");
}

void closeOutput(RecordWriter& writer, TextView file, const std::string& path) {
  try {
    writer.close();
  } catch (const WriteError& e) {
    throw RunFailure(writeFailure(file, path, e.errorNumber));
  }
}

// A second fault while flushing does not hide the first.
void closeQuietly(RecordWriter& writer) {
  try {
    writer.close();
  } catch (const WriteError&) {
  }
}

// After a fault: a run that wrote no record leaves both files as they were.
// Once either has a record, both keep what reached them, so that the file of
// unmatched records never shows an earlier run's.
void keepWhatWasWritten(RecordWriter& output, RecordWriter& unmatched, ReportFile& report) {
  if (output.started() || unmatched.started()) {
    closeQuietly(output);
    closeQuietly(unmatched);
  }
  output.abandon();
  unmatched.abandon();
  report.abandon();
}

void createReport(ReportFile& report, const std::string& path) {
  if (!report.create(path))
    throw RunFailure(Text(kReportFile) + u"を作成できません。 " + fromUtf8(path) + u"（" + systemErrorText(errno) +
                     u"）");
}

// Report rows reach the file and the caller as each record is done. The
// reading search is built only if a record needs it. Without --header the
// rows wait until the first records tell whether the first is a header row,
// whose rows then say so.
class RunReport {
 public:
  RunReport(const RunRequest& request, AddressSearch& search, ReportFile& file, const LoopTally& tally)
      : request_(request), file_(file), search_(search), tally_(tally), holding_(!request.header) {}

  void operator()(ConversionState& s, const RecordPlace& place) {
    reportRowsOf(s, place, search_, rows_);
    if (!holding_) {
      give(rows_);
      return;
    }
    held_.insert(held_.end(), rows_.begin(), rows_.end());
    const HeaderRowGuess guess = guessHeaderRow(tally_.leadingPostalFields, false);
    if (guess != HeaderRowGuess::Undecided) release(guess == HeaderRowGuess::Header);
  }

  // After the last record: `header` when the first record looks like a header row.
  void finish(bool header) {
    if (holding_) release(header);
  }

 private:
  void release(bool header) {
    holding_ = false;
    if (header)
      for (ReportRow& row : held_)
        if (row.record == 1) row.message += kHeaderRowNote;
    give(held_);
    held_.clear();
  }

  void give(const std::vector<ReportRow>& rows) {
    for (const ReportRow& row : rows) {
      if (!request_.reportPath.empty()) write(row);
      if (request_.onReportRow) request_.onReportRow(row);
    }
  }

  void write(const ReportRow& row) {
    try {
      file_.write(row);
    } catch (const WriteError& e) {
      throw RunFailure(writeFailure(kReportFile, request_.reportPath, e.errorNumber));
    }
  }

  const RunRequest& request_;
  ReportFile& file_;
  AddressSearch& search_;
  const LoopTally& tally_;
  bool holding_;
  std::vector<ReportRow> rows_;
  std::vector<ReportRow> held_;
};

void closeReport(ReportFile& report, const std::string& path) {
  try {
    report.close();
  } catch (const WriteError& e) {
    throw RunFailure(writeFailure(kReportFile, path, e.errorNumber));
  }
}

}  // namespace

RunOutcome runConversion(ConversionState& s, const SettingsTexts& texts, const RunRequest& request) {
  RunOutcome outcome;
  std::optional<ValidationFailure> refused = validateSettings(texts, s.settings, request.match);
  // Only the tolerant comparison walks the parts the address search takes.
  if (!refused && request.fixPostalCode && request.match == MatchMode::Classic)
    refused = ValidationFailure{kFixWithClassicMatch, failureMessage(kFixWithClassicMatch, SettingItem::company, 0)};
  if (auto failure = refused) {
    outcome.status = RunOutcome::Status::Refused;
    outcome.errcode = failure->errcode;
    outcome.message = failure->message;
    return outcome;
  }
  s.settings.outputPath = texts.outputPath;
  s.matchMode = request.match;
  s.blockStyle = request.blocks;
  const bool reporting = !request.reportPath.empty() || request.onReportRow;
  const bool fixing = request.fixPostalCode;
  // A slip in the reading is told from a wrong code by the code's entries.
  s.match.collectSeen = reporting || fixing;

  const std::string inputPath = toUtf8(s.settings.inputPath);
  const std::string outputPath = toUtf8(s.settings.outputPath);
  TextSource input;
  std::unique_ptr<DataLookup> lookupOwner = makeLookup(request.lookup, request.dataFolder);
  DataLookup& lookup = *lookupOwner;
  // Built only when a record needs it; the report and the fix find alike.
  AddressSearch search(lookup, request.dataFolder);
  PostalCodeFix fix(search);
  RecordWriter output;
  RecordWriter unmatched;
  ReportFile report;
  LoopTally tally;
  RunReport runReport(request, search, report, tally);
  try {
    // Everything is opened for reading before anything is opened for
    // writing, so a run that cannot start leaves an existing output as it
    // was; the outputs are emptied only when the first record reaches them.
    openInput(input, inputPath, request.encoding);
    outcome.inputEncoding = input.encoding();
    outcome.outputEncoding = request.outputEncoding.value_or(input.encoding());
    const std::string head = request.header ? takeHeader(input, inputPath, outcome.outputEncoding) : std::string();
    refuseFileAsDataFolder(request.dataFolder);
    lookup.open();
    const WriteTarget outputTarget{outputPath, request.dashIsStandardOutput && outputPath == "-"};
    refuseUnsafeOutputs(outputTarget, request, inputPath);
    createOutput(output, outputPath, request.dashIsStandardOutput, kOutputFile);
    if (!request.unmatchedPath.empty()) createOutput(unmatched, request.unmatchedPath, false, kUnmatchedFile);
    for (RecordWriter* writer : {&output, &unmatched}) {
      writer->setEncoding(outcome.outputEncoding);
      writer->setHead(head);
    }
    if (!request.reportPath.empty()) {
      refuseReportOverOutputs(outputTarget, request);
      createReport(report, request.reportPath);
    }

    const int n = s.settings.fieldCount;
    if (n >= 5 && n <= 50) {
      LoopFiles files{input,
                      inputPath,
                      output,
                      outputPath,
                      lookup,
                      request.unmatchedPath.empty() ? nullptr : &unmatched,
                      request.unmatchedPath,
                      {}};
      if (reporting)
        files.check = [&runReport](ConversionState& st, const RecordPlace& place) { runReport(st, place); };
      if (fixing) files.repair = &fix;
      const uint64_t total = input.fileSize();
      RecordObserver observer;
      if (request.onRecord) {
        observer = [&](int64_t recordsRead, uint64_t bytesRead) {
          request.onRecord(RunProgress{recordsRead, tally.read, bytesRead, total});
        };
      }
      const bool sameEncoding = isUtf8(outcome.inputEncoding) == isUtf8(outcome.outputEncoding);
      runRecordLoop(s, n, files, tally, observer, sameEncoding ? request.recordPath : RecordPath::Decode);
    }
    runReport.finish(looksLikeHeaderRow(tally.leadingPostalFields));
    lookup.close();
    input.close();
    closeOutput(output, kOutputFile, outputPath);
    if (!request.unmatchedPath.empty()) closeOutput(unmatched, kUnmatchedFile, request.unmatchedPath);
    if (!request.reportPath.empty()) closeReport(report, request.reportPath);
  } catch (const RunFailure& failure) {
    outcome.status = RunOutcome::Status::Failed;
    outcome.message = failure.message;
    // The rows held for the guess were due before the fault.
    try {
      runReport.finish(false);
    } catch (const RunFailure&) {
    }
    keepWhatWasWritten(output, unmatched, report);
    lookup.close();
    input.close();
  }
  outcome.recordsWritten = static_cast<int64_t>(output.recordsWritten());
  outcome.recordsRead = tally.read;
  outcome.recordsApplied = tally.applied;
  outcome.recordsUnmatched = tally.unmatched;
  outcome.warnings = std::move(tally.warnings);
  outcome.reasons = tally.reasons;
  if (tally.reasons.misaligned > 0) outcome.warnings.push_back(misalignedWarning(tally.reasons));
  // A failed run tells only what its records read so far have shown.
  if (!request.header && guessHeaderRow(tally.leadingPostalFields, outcome.status == RunOutcome::Status::Finished) ==
                             HeaderRowGuess::Header)
    outcome.warnings.push_back(headerRowWarning(tally.leadingPostalFields.front()));
  return outcome;
}

}  // namespace zumaro
