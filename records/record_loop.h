#pragma once
// The loop over the records of one run: read N fields, count, make the key,
// look it up, write the record.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lookup/data_search.h"
#include "records/record_writer.h"
#include "records/text_source.h"
#include "state/conversion_state.h"

namespace zumaro {

struct LoopFiles {
  TextSource& input;
  std::string inputPath;
  RecordWriter& output;
  std::string outputPath;
  DataLookup& lookup;
  RecordWriter* unmatched = nullptr;  // records no entry was applied to, as read
  std::string unmatchedPath;
};

// Where the record being handled begins in the input.
struct RecordPlace {
  int64_t line = 0;        // 1-based; a header line counts
  bool startsLine = true;  // false: the record before it ended mid-line
};

struct LoopTally {
  int64_t read = 0;
  int64_t applied = 0;
  int64_t unmatched = 0;
  std::vector<Text> warnings;
  RecordPlace current;  // of the record handled last
};

// Called once per record, after kensu has counted it.
using RecordObserver = std::function<void(int64_t kensu, uint64_t bytesRead)>;

// Runs the loop for field count `fieldCount` (5..50) to the end of the input.
// Throws RunFailure; the records before the fault are already written.
void runRecordLoop(ConversionState& s, int fieldCount, LoopFiles& files, LoopTally& tally,
                   const RecordObserver& observer);

}  // namespace zumaro
