#include "tools/mkdat/csv_lines.h"

#include "text/codepage.h"
#include "tools/mkdat/build_failure.h"
#include "tools/mkdat/utf8_edition.h"

namespace zumaro::mkdat {
namespace {

constexpr char kDosEndOfFile = 0x1A;

}  // namespace

void CsvLines::fail(const std::string& what) const {
  throw BuildFailure(source_.name + " の" + std::to_string(line_) + "行目" + what);
}

double CsvLines::fractionRead() const {
  return source_.bytes.empty() ? 1.0 : static_cast<double>(pos_) / static_cast<double>(source_.bytes.size());
}

bool CsvLines::next(CsvRow& row) {
  const std::string& bytes = source_.bytes;
  while (pos_ < bytes.size()) {
    size_t end = bytes.find('\n', pos_);
    if (end == std::string::npos) end = bytes.size();
    std::string_view line(bytes.data() + pos_, end - pos_);
    pos_ = end + 1;
    ++line_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // A DOS end-of-file mark closes the data.
    if (pos_ >= bytes.size() && line.size() == 1 && line[0] == kDosEndOfFile) break;
    if (line.empty()) continue;
    Text text;
    decodeLine(line, text);
    row.line = line_;
    splitFields(text, row.fields);
    return true;
  }
  pos_ = bytes.size();
  return false;
}

void CsvLines::decodeLine(std::string_view bytes, Text& text) const {
  if (source_.utf8) {
    size_t badAt = 0;
    if (!isValidUtf8(bytes, badAt)) {
      fail("にUTF-8として読めないバイトがあります（行の" + std::to_string(badAt + 1) +
           "バイト目）。日本郵便のファイルを変更せずに指定して下さい。");
    }
    text = fromUtf8(bytes);
    return;
  }
  CodePage932::DecodeStop stop = CodePage932::instance().decode(bytes.data(), bytes.size(), true, text);
  if (stop.invalid || stop.consumed != bytes.size()) {
    fail("にコードページ932(Shift-JIS)として読めないバイトがあります（行の" + std::to_string(stop.consumed + 1) +
         "バイト目）。日本郵便のファイルを変更せずに指定して下さい。");
  }
}

void CsvLines::splitFields(TextView text, std::vector<Text>& fields) const {
  fields.clear();
  fields.emplace_back();
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (quoted) {
      if (c != u'"') {
        fields.back() += c;
      } else if (i + 1 < text.size() && text[i + 1] == u'"') {
        fields.back() += c;
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == u'"') {
      quoted = true;
    } else if (c == u',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  if (quoted) fail("で引用符(\")が閉じられていません。");
}

}  // namespace zumaro::mkdat
