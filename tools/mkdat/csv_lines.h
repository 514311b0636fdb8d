#pragma once
// Japan Post's CSV format: one row per line (CR LF), fields separated by
// commas, a field in double quotes may hold commas and doubled quotes. The
// bytes are code page 932, or UTF-8 in Japan Post's UTF-8 edition; each line
// is decoded on its own so that a fault names its line.
#include <cstdint>
#include <string>
#include <vector>

#include "text/text.h"
#include "tools/mkdat/source_file.h"

namespace zumaro::mkdat {

struct CsvRow {
  int64_t line = 0;  // 1-based line of the file
  std::vector<Text> fields;
};

class CsvLines {
 public:
  explicit CsvLines(const SourceFile& source) : source_(source) {}

  // The next non-empty line; false at the end. Throws BuildFailure on bytes
  // that are not code page 932 or an unclosed quote, naming file and line.
  bool next(CsvRow& row);

  // Share of the bytes read, for a progress line.
  double fractionRead() const;

 private:
  // `what` follows "<file> の<n>行目".
  [[noreturn]] void fail(const std::string& what) const;
  void decodeLine(std::string_view bytes, Text& text) const;
  void splitFields(TextView text, std::vector<Text>& fields) const;

  const SourceFile& source_;
  size_t pos_ = 0;
  int64_t line_ = 0;
};

}  // namespace zumaro::mkdat
