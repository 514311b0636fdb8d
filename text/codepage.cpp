#include "text/codepage.h"

#include <unicode/ucnv.h>
#include <unicode/uset.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "text/long_byte_runs.h"
#include "text/one_byte_runs.h"

namespace zumaro {
namespace {

constexpr const char* kConverterName = "ibm-943_P15A-2003";
constexpr auto kRunKind = one_byte::Kind::AsciiAndKana;
// The encode table holds the bytes of a pair as a load reads them from memory.
static_assert(std::endian::native == std::endian::little);

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openStrictConverter() {
  UErrorCode status = U_ZERO_ERROR;
  ConverterPtr converter(ucnv_open(kConverterName, &status));
  if (U_FAILURE(status)) throw std::runtime_error("ICU has no converter " + std::string(kConverterName));
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  return converter;
}

// The one character the bytes decode to, or -1 (-2: a lead byte wanting more).
int decodeOne(UConverter* c, const char* bytes, int size) {
  UChar out[4];
  UErrorCode status = U_ZERO_ERROR;
  ucnv_resetToUnicode(c);
  int32_t n = ucnv_toUChars(c, out, 4, bytes, size, &status);
  if (status == U_TRUNCATED_CHAR_FOUND) return -2;
  if (U_FAILURE(status) || n != 1) return -1;
  return out[0];
}

// The characters the converter could give bytes for, fallbacks included:
// the others have no form whatever it is set to, and skipping each of them
// cost ICU most of the start-up.
std::vector<UChar> encodableCandidates(UConverter* converter) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<USet, decltype(&uset_close)> set(uset_openEmpty(), &uset_close);
  ucnv_getUnicodeSet(converter, set.get(), UCNV_ROUNDTRIP_AND_FALLBACK_SET, &status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU could not list the code page 932 characters");
  std::vector<UChar> chars;
  for (int32_t r = 0; r < uset_getRangeCount(set.get()); ++r) {
    UChar32 first = 0, last = 0;
    uset_getItem(set.get(), r, &first, &last, nullptr, 0, &status);
    for (UChar32 u = first; u <= std::min<UChar32>(last, 0xFFFF); ++u)
      if (u < 0xD800 || u > 0xDFFF) chars.push_back(static_cast<UChar>(u));
  }
  return chars;
}

}  // namespace

// Every pair of every lead byte through one call, the offsets telling which
// pair gave each character. A pair is a character when exactly one character
// carries its offset: bytes that are no pair give nothing, or a character for
// the trail byte alone, at the odd offset after.
void CodePage932::fillDoubleTable(UConverter* converter) {
  std::vector<char> pairs;
  for (int b = 0; b < 256; ++b)
    for (int t = 0; t < 256 && single_[b] == kLead; ++t) {
      pairs.push_back(static_cast<char>(b));
      pairs.push_back(static_cast<char>(t));
    }
  std::vector<UChar> chars(pairs.size());
  std::vector<int32_t> offsets(pairs.size());
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_SKIP, nullptr, nullptr, nullptr, &status);
  ucnv_resetToUnicode(converter);
  UChar* to = chars.data();
  const char* from = pairs.data();
  ucnv_toUnicode(converter, &to, chars.data() + chars.size(), &from, pairs.data() + pairs.size(), offsets.data(), true,
                 &status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU could not decode the code page 932 table");
  const auto made = static_cast<size_t>(to - chars.data());
  for (size_t k = 0; k < made; ++k) {
    const int32_t at = offsets[k];
    const bool alone = (k == 0 || offsets[k - 1] != at) && (k + 1 == made || offsets[k + 1] != at);
    if (at < 0 || at % 2 != 0 || !alone || chars[k] == 0) continue;
    const auto lead = static_cast<uint8_t>(pairs[static_cast<size_t>(at)]);
    double_[lead][static_cast<uint8_t>(pairs[static_cast<size_t>(at) + 1])] = chars[k];
  }
}

// The candidates through one call, the offsets telling which bytes each one
// gave; one call per character took most of the start-up. Characters
// without a form are skipped.
void CodePage932::fillEncodeTable(UConverter* converter) {
  for (auto& code : encode_) code = 0;
  const std::vector<UChar> chars = encodableCandidates(converter);
  std::vector<char> bytes(4 * chars.size());
  std::vector<int32_t> offsets(bytes.size());
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_SKIP, nullptr, nullptr, nullptr, &status);
  ucnv_resetFromUnicode(converter);
  char* to = bytes.data();
  const UChar* from = chars.data();
  ucnv_fromUnicode(converter, &to, bytes.data() + bytes.size(), &from, chars.data() + chars.size(), offsets.data(),
                   true, &status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU could not encode the code page 932 table");
  const size_t made = static_cast<size_t>(to - bytes.data());
  for (size_t i = 0; i < made;) {
    size_t n = 1;
    while (i + n < made && offsets[i + n] == offsets[i]) ++n;
    const auto first = static_cast<uint8_t>(bytes[i]);
    const UChar ch = chars[static_cast<size_t>(offsets[i])];
    if (n == 1) encode_[ch] = first;
    if (n == 2) encode_[ch] = static_cast<uint16_t>(first | static_cast<uint8_t>(bytes[i + 1]) << 8);
    i += n;
  }
}

const CodePage932& CodePage932::make() {
  static const auto* tables = new CodePage932();
  made_.store(tables, std::memory_order_release);
  return *tables;
}

CodePage932::CodePage932() {
  ConverterPtr converter = openStrictConverter();
  for (auto& row : double_)
    for (auto& cell : row) cell = 0;
  for (int b = 0; b < 256; ++b) {
    char byte = static_cast<char>(b);
    int ch = decodeOne(converter.get(), &byte, 1);
    single_[b] = ch == -2 ? kLead : ch < 0 ? kInvalid : static_cast<uint16_t>(ch);
  }
  fillDoubleTable(converter.get());
  fillEncodeTable(converter.get());
  // ICU's table carries IBM's swap of three control codes (0x1A, 0x1C and
  // 0x7F); Windows maps them to themselves, and so do we.
  for (uint16_t control : {0x1A, 0x1C, 0x7F}) {
    single_[control] = control;
    encode_[control] = control;
  }
  for (int b = 0; b < 256; ++b) {
    const uint16_t ch = single_[b];
    singleKind_[b] = ch == kLead ? kLeadByte : ch != kInvalid && (encode_[ch] == b || ch == 0) ? kSame : kOther;
  }
  fastRuns_ = tablesMatchRuns();
}

// The runs convert by arithmetic; they are taken only while the tables say
// the same, both ways, for every byte they cover.
bool CodePage932::tablesMatchRuns() const {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<uint8_t>(b);
    if (!one_byte::isByte<kRunKind>(byte)) continue;
    const char16_t ch = one_byte::widen(byte);
    if (single_[b] != ch || singleKind_[b] != kSame || (ch != 0 && encode_[ch] != b)) return false;
  }
  return true;
}

// The characters that begin in [i, end); a trail byte may lie at `end`.
// Taken in whole into the loops below, so that a chunk's end stays in registers.
[[gnu::always_inline]] inline CodePage932::ChunkEnd CodePage932::decodeChunk(const unsigned char* p, size_t i,
                                                                             size_t end, size_t size, bool atEnd,
                                                                             char16_t* chunk) const {
  char16_t* to = chunk;
  const auto written = [&] { return static_cast<size_t>(to - chunk); };
  while (i < end) {
    const uint8_t byte = p[i];
    const uint16_t ch = single_[byte];
    if (ch >= kLead) {
      // Rows of bytes that lead nothing hold only zeros, so one look at the
      // pair settles the common case; the stops are sorted out after.
      const uint16_t dch = i + 1 < size ? double_[byte][p[i + 1]] : 0;
      if (dch == 0) return {i, written(), true, ch == kInvalid || i + 1 < size || atEnd};
      *to++ = static_cast<char16_t>(dch);
      i += 2;
      // Written text runs in double-byte characters; a pair that is one
      // needs no look at its first byte alone. The loop above sorts out
      // whatever ends the run.
      for (const size_t pairsEnd = std::min(end, size - 1); i < pairsEnd; i += 2) {
        const uint16_t next = double_[p[i]][p[i + 1]];
        if (next == 0) break;
        *to++ = static_cast<char16_t>(next);
      }
      continue;
    }
    size_t n = fastRuns_ ? one_byte::widenRun<kRunKind>(p + i, end - i, to) : 0;
    if (n == 0) {
      *to = static_cast<char16_t>(ch);
      n = 1;
    }
    i += n;
    to += n;
  }
  return {i, written(), false, false};
}

// Stops at `end`, or at a character without a form. Written text is mostly
// double-byte characters: they go two at a time while both are, the table
// holding their bytes in the order they are written.
[[gnu::always_inline]] inline CodePage932::ChunkEnd CodePage932::encodeChunk(TextView text, size_t i, size_t end,
                                                                             bool doubleQuotes, char* chunk) const {
  char* to = chunk;
  while (i < end) {
    const char16_t ch = text[i];
    const uint16_t code = encode_[ch];
    if (code > 0xFF) {
      std::memcpy(to, &code, 2);
      to += 2;
      for (++i; i + 1 < end; i += 2) {
        const uint16_t first = encode_[text[i]];
        const uint16_t second = encode_[text[i + 1]];
        if (std::min(first, second) <= 0xFF) break;
        const uint32_t both = first | static_cast<uint32_t>(second) << 16;
        std::memcpy(to, &both, 4);
        to += 4;
      }
      continue;
    }
    if (fastRuns_ && one_byte::isUnit<kRunKind>(ch, doubleQuotes)) {
      const size_t n = one_byte::narrowRun<kRunKind>(text.data() + i, end - i, doubleQuotes, to);
      i += n;
      to += n;
      continue;
    }
    if (code == 0 && ch != 0) return {i, static_cast<size_t>(to - chunk), true, false};
    *to++ = static_cast<char>(code);
    if (code == '"' && doubleQuotes) *to++ = '"';
    ++i;
  }
  return {i, static_cast<size_t>(to - chunk), false, false};
}

// Fields are short: decoded onto the stack and appended at once, as room
// made in `out` first would be filled with zeros. Most are one run of
// one-byte characters, which takes no table and no loop over characters.
CodePage932::DecodeStop CodePage932::decodeShort(const char* bytes, size_t size, bool atEnd, Text& out) const {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes);
  char16_t units[kShort];
  const size_t run = fastRuns_ ? one_byte::widenRun<kRunKind>(p, size, units) : 0;
  if (run == size) [[likely]] {
    out.append(units, size);
    return {size, false};
  }
  return decodeAfterRun(p, size, atEnd, out, units, run);
}

// The rest of a short text whose first `run` bytes are in `units`. Kept
// apart, so that the common case saves no registers for it.
CodePage932::DecodeStop CodePage932::decodeAfterRun(const unsigned char* p, size_t size, bool atEnd, Text& out,
                                                    char16_t* units, size_t run) const {
  const ChunkEnd end = decodeChunk(p, run, size, size, atEnd, units + run);
  out.append(units, run + end.written);
  return end.stopped ? DecodeStop{end.next, end.invalid} : DecodeStop{size, false};
}

// Longer text a chunk at a time, through a buffer on the stack.
CodePage932::DecodeStop CodePage932::decodeLong(const char* bytes, size_t size, bool atEnd, Text& out) const {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes);
  char16_t chunk[kChunk];
  size_t i = 0;
  for (;;) {
    const ChunkEnd end = decodeChunk(p, i, std::min(size, i + kChunk), size, atEnd, chunk);
    out.append(chunk, end.written);
    if (end.stopped) return {end.next, end.invalid};
    if (end.next == size) return {size, false};
    i = end.next;
  }
}

// Chunks as in decode(); a character gives at most two bytes, a doubled
// quote included.
bool CodePage932::encode(TextView text, std::string& out, size_t& badIndex, bool doubleQuotes) const {
  if (text.empty()) return true;
  char chunk[kChunk];
  size_t i = 0;
  for (;;) {
    const ChunkEnd end = encodeChunk(text, i, std::min(text.size(), i + kChunk / 2), doubleQuotes, chunk);
    out.append(chunk, end.written);
    if (end.stopped) {
      badIndex = end.next;
      return false;
    }
    if (end.next == text.size()) return true;
    i = end.next;
  }
}

char* CodePage932::encodeInto(TextView text, char* to, size_t& badIndex, bool doubleQuotes) const {
  const ChunkEnd end = encodeChunk(text, 0, text.size(), doubleQuotes, to);
  if (!end.stopped) return to + end.written;
  badIndex = end.next;
  return nullptr;
}

CodePage932::DecodeStop CodePage932::validate(const char* bytes, size_t size, bool atEnd) const {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes);
  size_t i = 0;
  while (i < size) {
    const uint8_t kind = singleKind_[p[i]];
    if (kind != kLeadByte) {
      if (kind == kSame || single_[p[i]] != kInvalid) {
        i += std::max<size_t>(1, fastRuns_ ? one_byte::longByteRun<kRunKind>(p + i, size - i) : 0);
        continue;
      }
      return {i, true};
    }
    if (i + 1 == size) return {i, atEnd};
    if (double_[p[i]][p[i + 1]] == 0) return {i, true};
    i += 2;
  }
  return {i, false};
}

bool CodePage932::encodesBackTheSame(std::string_view bytes) const {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t size = bytes.size();
  for (size_t i = 0; i < size;) {
    const uint8_t kind = singleKind_[p[i]];
    if (kind == kSame) {
      i += std::max<size_t>(1, fastRuns_ ? one_byte::byteRun<kRunKind>(p + i, size - i) : 0);
      continue;
    }
    if (kind == kOther || i + 1 == size || !pairEncodesBack(p + i)) return false;
    i += 2;
  }
  return true;
}

// encodesBackTheSame() and the copy in one walk; plain ASCII is for the
// callers to take faster first.
char* CodePage932::copyQuoteDoubled(std::string_view bytes, char* to) const {
  const size_t size = bytes.size();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (size_t i = 0; i < size;) {
    const uint8_t kind = singleKind_[p[i]];
    if (kind == kSame) {
      *to++ = static_cast<char>(p[i]);
      if (p[i] == '"') *to++ = '"';
      ++i;
      continue;
    }
    if (kind == kOther || i + 1 == size || !pairEncodesBack(p + i)) return nullptr;
    *to++ = static_cast<char>(p[i]);
    *to++ = static_cast<char>(p[i + 1]);
    i += 2;
  }
  return to;
}

Text CodePage932::decodeAll(std::string_view bytes, bool& ok) const {
  Text out;
  DecodeStop stop = decode(bytes.data(), bytes.size(), true, out);
  ok = !stop.invalid && stop.consumed == bytes.size();
  return out;
}

}  // namespace zumaro
