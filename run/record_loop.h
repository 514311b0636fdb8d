#pragma once
// The loop over the records of one run: read N fields, count, make the key,
// look it up, write the record.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/data_search.h"
#include "records/record_writer.h"
#include "run/record_lookup.h"
#include "state/conversion_state.h"
#include "state/reason_counts.h"
#include "text/text_source.h"

namespace zumaro {

// Where a record stands in the input.
struct RecordPlace {
  int64_t record = 0;
  int64_t line = 0;        // 1-based, on which the record begins; a header line counts
  bool startsLine = true;  // false: the record before it ended mid-line
  Text postalCode;         // the field as read, before the lookup
};

// Called after each record's lookup, once the record is written; changes
// nothing of the record (a search of its own may use the comparison's room).
using RecordCheck = std::function<void(ConversionState& s, const RecordPlace& place)>;

struct LoopFiles {
  TextSource& input;
  std::string inputPath;
  RecordWriter& output;
  std::string outputPath;
  DataLookup& lookup;
  RecordWriter* unmatched = nullptr;  // records no entry was applied to, as read
  std::string unmatchedPath;
  RecordCheck check;               // empty: nothing more than the files is wanted
  RecordRepair* repair = nullptr;  // a second way for records their code did not convert
};

struct LoopTally {
  int64_t read = 0;
  int64_t applied = 0;
  int64_t unmatched = 0;
  ReasonCounts reasons;
  std::vector<Text> warnings;
  // The postal-code fields of the first records as read, for the guess of a
  // header row read as a record.
  std::vector<Text> leadingPostalFields;
};

// How records go from the input to the outputs. Both write the same bytes
// and meet the same faults; decoding every field is kept as the reference.
enum class RecordPath {
  Bytes,   // fields kept as read, only those the conversion reads decoded
  Decode,  // every field decoded and encoded again
};

// "bytes" or "decode"; nothing for any other name.
std::optional<RecordPath> recordPathNamed(std::string_view name);

// Called once per record, after recordsRead has counted it.
using RecordObserver = std::function<void(int64_t recordsRead, uint64_t bytesRead)>;

// Runs the loop for field count `fieldCount` (5..50) to the end of the input.
// Throws RunFailure; the records before the fault are already written.
// RecordPath::Bytes needs outputs that write the characters the input's
// encoding holds (UTF-8 with or without a byte-order mark, or code page 932).
void runRecordLoop(ConversionState& s, int fieldCount, LoopFiles& files, LoopTally& tally,
                   const RecordObserver& observer, RecordPath path = RecordPath::Bytes);

}  // namespace zumaro
