#pragma once
// A fault that ends a run, with the message the user is shown. Thrown from
// deep in the reading or writing and caught once, by the run.
#include <stdexcept>
#include <string>

#include "text/text.h"

namespace zumaro {

struct ReadError;

struct RunFailure : std::runtime_error {
  explicit RunFailure(Text m) : std::runtime_error(toUtf8(m)), message(std::move(m)) {}
  Text message;
};

// What a read fault means for the user; `unit` follows the record number
// ("件目" for a record of the input, "件目のデータ" for an entry of a data file).
Text describeReadError(const ReadError& error, const std::string& path, TextView unit);

inline constexpr char16_t kFileMissing[] = u"指定されたファイルが存在しません。";

// The files a run writes, as messages name them.
inline constexpr char16_t kOutputFile[] = u"出力先のファイル";
inline constexpr char16_t kUnmatchedFile[] = u"照合できなかったレコードのファイル";
inline constexpr char16_t kReportFile[] = u"要確認レコードの報告ファイル";

// A file that could not be opened for reading: missing, or unreadable.
Text openFailure(const std::string& path, int errorNumber);
// `file` (kOutputFile, kUnmatchedFile or kReportFile) could not take what was written to it.
Text writeFailure(TextView file, const std::string& path, int errorNumber);

// The text of a system error number, for the end of a message.
Text systemErrorText(int errorNumber);

Text decimal(long long value);
// "U+3094": a character as messages name it.
Text codePoint(char32_t c);

}  // namespace zumaro
