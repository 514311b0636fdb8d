#include "state/failure.h"

#include <cerrno>
#include <cstring>

#include "records/read_error.h"

namespace zumaro {

Text decimal(long long value) { return fromUtf8(std::to_string(value)); }

Text systemErrorText(int errorNumber) { return fromUtf8(std::strerror(errorNumber)); }

Text openFailure(const std::string& path, int errorNumber) {
  if (errorNumber == ENOENT || errorNumber == ENOTDIR) return Text(kFileMissing) + u" " + fromUtf8(path);
  return fromUtf8(path) + u" を開けません（" + systemErrorText(errorNumber) + u"）。";
}

Text writeFailure(TextView file, const std::string& path, int errorNumber) {
  return Text(file) + u" " + fromUtf8(path) + u" に書き込めません（" + systemErrorText(errorNumber) + u"）。";
}

Text describeReadError(const ReadError& error, const std::string& path, TextView unit) {
  Text where = fromUtf8(path) + u" の" + decimal(error.recordNumber) + Text(unit);
  switch (error.fault) {
    case ReadFault::InvalidBytes:
      return where + u"にコードページ932(Shift-JIS)として読めないバイトがあります（オフセット" +
             decimal(static_cast<long long>(error.byteOffset)) + u"バイト）。";
    case ReadFault::UnclosedQuote:
      return where + u"で引用符(\")が閉じられないままファイルが終わっています。";
    case ReadFault::FieldTooLong:
      return where + u"の" + decimal(error.field) + u"番目の項目が" + decimal(kMaxFieldLength) +
             u"文字を超えています。";
    case ReadFault::IoError:
      break;
  }
  return fromUtf8(path) + u" を読み込めません（" + systemErrorText(error.errorNumber) + u"）。";
}

}  // namespace zumaro
