#pragma once
// The encodings of the lists a run reads and writes: code page 932, as the
// data files are, or UTF-8, as spreadsheets save "CSV UTF-8" (with a
// byte-order mark). Records are UTF-16 text in memory whichever is used.
//
// Telling them apart: a byte-order mark means UTF-8. Otherwise the first
// 64 KiB from the first byte above 0x7F decide (plain ASCII before it is the
// same in both): valid UTF-8 there, a character cut at the end of those
// 64 KiB allowed, means UTF-8, anything else code page 932, and so does a
// file of plain ASCII. A code page 932 text that happens to be valid UTF-8
// throughout those bytes is taken for UTF-8; with real text that takes a
// handful of characters at most, and --encoding cp932 settles it.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/codepage.h"
#include "text/text.h"
#include "text/utf8_codec.h"

namespace zumaro {

enum class TextEncoding { Cp932, Utf8, Utf8WithBom };
// How an input is to be read: found from its bytes, or as named.
enum class EncodingChoice { Auto, Cp932, Utf8 };

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
inline constexpr size_t kEncodingSample = 64 * 1024;

inline bool isUtf8(TextEncoding e) { return e != TextEncoding::Cp932; }

// Names as the command line takes them: cp932, utf-8, utf-8-bom; auto for the choice.
std::string encodingName(TextEncoding e);
std::optional<TextEncoding> encodingNamed(std::string_view name);
std::optional<EncodingChoice> encodingChoiceNamed(std::string_view name);
// As messages name it: コードページ932(Shift-JIS), UTF-8.
Text encodingLabel(TextEncoding e);

// Finds the encoding of data given a piece at a time, from its start,
// keeping no more than the sample.
class EncodingSniffer {
 public:
  // Takes the next bytes; once decided() more bytes change nothing.
  void take(std::string_view bytes);
  bool decided() const { return decision_.has_value(); }
  // The decision, or, at the end of the data, the decision on what was seen.
  TextEncoding result() const;

 private:
  std::string head_;    // the first bytes, for the byte-order mark
  std::string sample_;  // from the first byte above 0x7F
  std::optional<TextEncoding> decision_;
};

// The encoding of `bytes`, taken as the whole of the data.
TextEncoding detectEncoding(std::string_view bytes);
// The encoding of the file `path` (read on past plain ASCII); nullopt with
// errno set when it cannot be read.
std::optional<TextEncoding> detectFileEncoding(const std::string& path);

struct DecodeResult {
  size_t consumed;
  bool invalid;
};
// Appends the characters of `bytes` in encoding `e` to `out`, as the
// CodePage932 and UTF-8 decoders do (a byte-order mark is no character here).
// Inline: it is called for every field the conversion reads, most of them short.
inline DecodeResult decodeText(TextEncoding e, const char* bytes, size_t size, bool atEnd, Text& out) {
  if (size == 0) return {0, false};  // many fields are empty: no call
  if (e == TextEncoding::Cp932) {
    const CodePage932::DecodeStop stop = CodePage932::instance().decode(bytes, size, atEnd, out);
    return {stop.consumed, stop.invalid};
  }
  const Utf8Stop stop = decodeUtf8(bytes, size, atEnd, out);
  return {stop.consumed, stop.invalid};
}
// Where decodeText would stop on the same bytes, without decoding them.
DecodeResult validateText(TextEncoding e, const char* bytes, size_t size, bool atEnd);
// Whether valid bytes in encoding `e` are written back as they are once
// decoded and encoded again.
bool encodesBackTheSame(TextEncoding e, std::string_view bytes);
// The UTF-16 length of valid bytes in encoding `e`; a character cut at the
// end counts whole.
size_t utf16Length(TextEncoding e, std::string_view bytes);
// Appends the bytes of `text` in encoding `e`; false with the index of the
// first character `e` cannot hold.
bool encodeText(TextEncoding e, TextView text, std::string& out, size_t& badIndex);

}  // namespace zumaro
