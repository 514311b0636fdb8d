#include "state/failure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text/read_error.h"
#include "text/text_source.h"

namespace zumaro {

Text decimal(long long value) { return fromUtf8(std::to_string(value)); }

Text codePoint(char32_t c) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c));
  return fromUtf8(hex);
}

Text systemErrorText(int errorNumber) { return fromUtf8(std::strerror(errorNumber)); }

Text openFailure(const std::string& path, int errorNumber) {
  if (errorNumber == ENOENT || errorNumber == ENOTDIR) return Text(kFileMissing) + u" " + fromUtf8(path);
  return fromUtf8(path) + u" を開けません（" + systemErrorText(errorNumber) + u"）。";
}

Text writeFailure(TextView file, const std::string& path, int errorNumber) {
  return Text(file) + u" " + fromUtf8(path) + u" に書き込めません（" + systemErrorText(errorNumber) + u"）。";
}

namespace {

// A file found to be UTF-8 from its start that is not UTF-8 further on may
// be code page 932 after all; the user is told how the choice was made.
Text encodingNote(const ReadError& error) {
  if (!error.encodingFound || error.encoding != TextEncoding::Utf8) return {};
  return u"ファイルの先頭部分がUTF-8として読めたため、UTF-8として読んでいました。";
}

}  // namespace

Text describeReadError(const ReadError& error, const std::string& path, TextView unit) {
  // Record 0 is the header line, which is read before the records.
  const bool header = error.recordNumber == 0;
  Text where = fromUtf8(path) + u" の" + (header ? Text(u"見出し行") : decimal(error.recordNumber) + Text(unit));
  switch (error.fault) {
    case ReadFault::InvalidBytes:
      return where + u"に" + encodingLabel(error.encoding) + u"として読めないバイトがあります（オフセット" +
             decimal(static_cast<long long>(error.byteOffset)) + u"バイト）。" + encodingNote(error);
    case ReadFault::FieldTooLong:
      if (header) return where + u"が" + decimal(TextSource::kMaxFirstLine) + u"バイトを超えています。";
      return where + u"の" + decimal(error.field) + u"番目の項目が" + decimal(kMaxFieldLength) +
             u"文字を超えています。";
    case ReadFault::UnclosedQuote:
      return where + u"で引用符(\")が閉じられないままファイルが終わっています。";
    case ReadFault::IoError:
      break;
  }
  return fromUtf8(path) + u" を読み込めません（" + systemErrorText(error.errorNumber) + u"）。";
}

}  // namespace zumaro
