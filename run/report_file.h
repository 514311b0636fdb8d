#pragma once
// The report as a spreadsheet opens it: UTF-8 with a byte-order mark, CR LF,
// a header row, fields quoted only where they must be, quotes doubled. Like
// the output, an existing file is emptied only when the run reaches its end
// or the first row, so a run that cannot start leaves it as it was.
#include <string>

#include "run/report_row.h"

namespace zumaro {

class ReportFile {
 public:
  ReportFile() = default;
  ~ReportFile() { abandon(); }
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  // Opens `path` for writing, creating it when missing; false with errno set.
  bool create(const std::string& path);
  // Throw WriteError (records/record_writer.h) with the system error.
  void write(const ReportRow& row);
  void close();
  // After a fault already reported: keeps what was written, or leaves the
  // file as it was when nothing was (removing it when create() made it).
  void abandon() noexcept;
  bool started() const { return started_; }

 private:
  void start();
  void flush();

  int fd_ = -1;
  std::string path_;
  bool created_ = false;
  bool started_ = false;
  std::string buffer_;
};

// The row as the report writes it, CR LF included.
std::string reportLine(const ReportRow& row);
// The same, appended to `out`.
void appendReportLine(std::string& out, const ReportRow& row);

}  // namespace zumaro
