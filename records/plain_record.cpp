#include "records/plain_record.h"

#include <bit>

#include "text/simd.h"

#include "records/field_bits.h"
#include "text/read_error.h"

namespace zumaro {
namespace {

// The bytes a field ends at, or that end a quoted value early.
bool isSpecial(char c) { return c == '"' || c == ',' || c == '\r' || c == '\n'; }

// The first special byte in [at, end), or end. Sixteen bytes at a time
// where the processor can: most fields are shorter than that.
[[gnu::always_inline]] inline const char* nextSpecial(const char* at, const char* end) {
#if ZUMARO_SSE2
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i comma = _mm_set1_epi8(',');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  while (end - at >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, comma)),
                                         _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
    const int found = _mm_movemask_epi8(special);
    if (found != 0) return at + std::countr_zero(static_cast<unsigned>(found));
    at += 16;
  }
#endif
  while (at != end && !isSpecial(*at)) ++at;
  return at;
}

// The closing quote of a value that opened before `at`, or null when a
// line end comes first or the bytes end.
[[gnu::always_inline]] inline const char* closingQuote(const char* at, const char* end) {
  for (;;) {
    at = nextSpecial(at, end);
    if (at == end || *at == '\r' || *at == '\n') return nullptr;
    if (*at == '"') return at;
    ++at;  // a comma, plain inside quotes
  }
}

// One past the unquoted value that starts at `at`: its separator or line
// end, or `end`.
[[gnu::always_inline]] inline const char* unquotedEnd(const char* at, const char* end) {
  for (;;) {
    at = nextSpecial(at, end);
    if (at == end || *at != '"') return at;
    ++at;  // a quote, plain inside an unquoted value
  }
}

// The separator after the quoted value that opens at `at`, the value into
// `field`; null when the walk cannot go on.
[[gnu::always_inline]] inline const char* quotedByBits(FieldBits& bits, const char* at, std::string_view& field) {
  // The opening quote is the next one: every quote before `at` is taken.
  if (!bits.takeOpeningQuote()) return nullptr;
  const char* close = bits.takeClosingQuote();
  if (close == nullptr) return nullptr;
  field = std::string_view(at + 1, static_cast<size_t>(close - at - 1));
  return close + 1;
}

// The same for the unquoted value at `at`, which may hold no quote.
[[gnu::always_inline]] inline const char* unquotedByBits(FieldBits& bits, const char* at, bool only,
                                                         std::string_view& field) {
  if (*at == ' ') return nullptr;  // leading blanks are the full reader's
  const char* separator = bits.endFrom(at);
  // A lone empty value before a line end may be a blank line.
  if (separator == nullptr || (only && separator == at)) return nullptr;
  field = std::string_view(at, static_cast<size_t>(separator - at));
  return separator;
}

// The record as most lists hold it, found by the bits of its quotes, commas
// and line ends: quoted values without a quote or line end inside, unquoted
// ones without a quote, within the bytes that whole windows cover. 0 for
// anything else, which the byte walk below then takes.
size_t splitByBits(const char* const start, const char* end, int fieldCount, std::string_view* fields) {
  FieldBits bits(start, end);
  if (!bits.start()) return 0;
  const char* at = start;
  std::string_view* const last = fields + fieldCount - 1;
  for (std::string_view* field = fields;; ++field) {
    const char* separator =
        *at == '"' ? quotedByBits(bits, at, *field) : unquotedByBits(bits, at, fieldCount == 1, *field);
    if (separator == nullptr) return 0;
    // Every bit stands two bytes before the end of the bytes: they are there.
    if (field == last) {
      if (!bits.firstLineEndAt(separator)) return 0;
      if (*separator == '\n') return static_cast<size_t>(separator + 1 - start);
      if (*separator == '\r' && separator[1] == '\n') return static_cast<size_t>(separator + 2 - start);
      return 0;
    }
    if (*separator != ',') return 0;
    at = separator + 1;
  }
}

}  // namespace

size_t splitPlainRecordByBytes(const char* const start, const char* end, int fieldCount, std::string_view* fields) {
  const char* at = start;
  for (int i = 0; i < fieldCount; ++i) {
    if (at == end || *at == ' ') return 0;  // leading blanks are the full reader's
    const char* valueEnd;
    if (*at == '"') {
      valueEnd = closingQuote(at + 1, end);
      if (valueEnd == nullptr) return 0;
      fields[i] = std::string_view(at + 1, static_cast<size_t>(valueEnd - at - 1));
      ++valueEnd;
    } else {
      valueEnd = unquotedEnd(at, end);
      // A lone empty value before a line end may be a blank line.
      if (fieldCount == 1 && valueEnd == at) return 0;
      fields[i] = std::string_view(at, static_cast<size_t>(valueEnd - at));
    }
    if (fields[i].size() > kMaxFieldLength || valueEnd == end) return 0;
    const bool last = i + 1 == fieldCount;
    if (!last) {
      if (*valueEnd != ',') return 0;
      at = valueEnd + 1;
      continue;
    }
    // The record is one line: CR LF or LF right after its last value.
    if (*valueEnd == '\n') return static_cast<size_t>(valueEnd + 1 - start);
    if (*valueEnd == '\r' && end - valueEnd >= 2 && valueEnd[1] == '\n')
      return static_cast<size_t>(valueEnd + 2 - start);
    return 0;
  }
  return 0;
}

size_t splitPlainRecord(const char* start, const char* end, int fieldCount, std::string_view* fields) {
  const size_t taken = splitByBits(start, end, fieldCount, fields);
  return taken != 0 ? taken : splitPlainRecordByBytes(start, end, fieldCount, fields);
}

}  // namespace zumaro
