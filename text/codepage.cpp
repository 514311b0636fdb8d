#include "text/codepage.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "text/icu_source.h"
#include "text/long_byte_runs.h"
#include "text/one_byte_runs.h"

namespace zumaro {
namespace {

constexpr auto kRunKind = one_byte::Kind::AsciiAndKana;
// The encode table holds the bytes of a pair as a load reads them from memory.
static_assert(std::endian::native == std::endian::little);

}  // namespace

const CodePage932& CodePage932::make() {
  static const auto* tables = new CodePage932();
  made_.store(tables, std::memory_order_release);
  return *tables;
}

CodePage932::CodePage932() {
  const auto source = std::make_unique<CodePage932Source>();
  readCodePage932(*source);
  std::copy(source->single.begin(), source->single.end(), single_);
  for (size_t lead = 0; lead < 256; ++lead)
    std::copy(source->pairs[lead].begin(), source->pairs[lead].end(), double_[lead]);
  std::copy(source->encode.begin(), source->encode.end(), encode_);
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
