#include "text/text_encoding.h"

#include <algorithm>
#include <cerrno>

#include "text/codepage.h"
#include "text/read_error.h"
#include "text/text_source.h"
#include "text/utf8_codec.h"

namespace zumaro {
namespace {

bool isValidUtf8Sample(const std::string& sample, bool cutAllowed) {
  Text scratch;
  scratch.reserve(sample.size());
  const Utf8Stop stop = decodeUtf8(sample.data(), sample.size(), !cutAllowed, scratch);
  return !stop.invalid;
}

}  // namespace

std::string encodingName(TextEncoding e) {
  switch (e) {
    case TextEncoding::Cp932:
      return "cp932";
    case TextEncoding::Utf8:
      return "utf-8";
    case TextEncoding::Utf8WithBom:
      return "utf-8-bom";
  }
  return {};
}

std::optional<TextEncoding> encodingNamed(std::string_view name) {
  for (TextEncoding e : {TextEncoding::Cp932, TextEncoding::Utf8, TextEncoding::Utf8WithBom})
    if (name == encodingName(e)) return e;
  return std::nullopt;
}

std::optional<EncodingChoice> encodingChoiceNamed(std::string_view name) {
  if (name == "auto") return EncodingChoice::Auto;
  if (name == "cp932") return EncodingChoice::Cp932;
  if (name == "utf-8") return EncodingChoice::Utf8;
  return std::nullopt;
}

Text encodingLabel(TextEncoding e) { return e == TextEncoding::Cp932 ? u"コードページ932(Shift-JIS)" : u"UTF-8"; }

void EncodingSniffer::take(std::string_view bytes) {
  if (decision_) return;
  if (head_.size() < kByteOrderMark.size()) {
    head_.append(bytes.substr(0, kByteOrderMark.size() - head_.size()));
    if (head_ == kByteOrderMark) {
      decision_ = TextEncoding::Utf8WithBom;
      return;
    }
  }
  if (sample_.empty()) {
    const auto high = std::find_if(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) > 0x7F; });
    bytes.remove_prefix(static_cast<size_t>(high - bytes.begin()));
  }
  sample_.append(bytes.substr(0, kEncodingSample - sample_.size()));
  if (sample_.size() == kEncodingSample && head_.size() == kByteOrderMark.size())
    decision_ = isValidUtf8Sample(sample_, true) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

TextEncoding EncodingSniffer::result() const {
  if (decision_) return *decision_;
  if (head_ == kByteOrderMark) return TextEncoding::Utf8WithBom;
  if (sample_.empty()) return TextEncoding::Cp932;
  return isValidUtf8Sample(sample_, sample_.size() == kEncodingSample) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

TextEncoding detectEncoding(std::string_view bytes) {
  EncodingSniffer sniffer;
  sniffer.take(bytes);
  return sniffer.result();
}

std::optional<TextEncoding> detectFileEncoding(const std::string& path) {
  TextSource source;
  try {
    if (!source.open(path, EncodingChoice::Auto)) return std::nullopt;
  } catch (const ReadError& e) {
    errno = e.errorNumber;
    return std::nullopt;
  }
  return source.encoding();
}

DecodeResult validateText(TextEncoding e, const char* bytes, size_t size, bool atEnd) {
  if (e == TextEncoding::Cp932) {
    const CodePage932::DecodeStop stop = CodePage932::instance().validate(bytes, size, atEnd);
    return {stop.consumed, stop.invalid};
  }
  const Utf8Stop stop = validateUtf8(bytes, size, atEnd);
  return {stop.consumed, stop.invalid};
}

// UTF-8 has one form for each character; the decoder takes no other.
bool encodesBackTheSame(TextEncoding e, std::string_view bytes) {
  return e != TextEncoding::Cp932 || CodePage932::instance().encodesBackTheSame(bytes);
}

size_t utf16Length(TextEncoding e, std::string_view bytes) {
  size_t units = 0;
  if (e == TextEncoding::Cp932) {
    const CodePage932& cp = CodePage932::instance();
    for (size_t i = 0; i < bytes.size(); ++units) i += cp.isLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
    return units;
  }
  // Every byte but a trail byte begins a character; four-byte ones take two units.
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    units += (b & 0xC0) != 0x80 ? 1 : 0;
    units += b >= 0xF0 ? 1 : 0;
  }
  return units;
}

bool encodeText(TextEncoding e, TextView text, std::string& out, size_t& badIndex) {
  if (e == TextEncoding::Cp932) return CodePage932::instance().encode(text, out, badIndex);
  return encodeUtf8(text, out, badIndex);
}

}  // namespace zumaro
