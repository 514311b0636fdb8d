#include "lookup/written_entries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/simd.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>

#include "text/codepage.h"
#include "text/read_error.h"

namespace zumaro {
namespace {

// The decoded text is followed by this many CRs, so that eight characters
// can be read anywhere up to its end, and a search for a closing quote, a
// separator or a line end fails in them without a bounds test. As many
// characters stand before it, so that the fields, squeezed towards the
// start, always lag at least eight behind where they are read.
constexpr size_t kPadding = 8;

// Copies the characters from `at` on to `kept` (at least eight behind) up
// to the first one from U+0000 to the quote, and returns where that stands.
const char16_t* copyUpToLow(const char16_t* at, char16_t*& kept) {
#if ZUMARO_SSE2
  const __m128i quote = _mm_set1_epi16(u'"');
  for (;;) {
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i low = _mm_cmpeq_epi16(_mm_subs_epu16(chars, quote), _mm_setzero_si128());
    const auto found = static_cast<unsigned>(_mm_movemask_epi8(low));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(kept), chars);
    const size_t n = found == 0 ? 8 : std::countr_zero(found) / 2;
    kept += n;
    at += n;
    if (found != 0) return at;
  }
#else
  for (; *at > u'"'; ++at) *kept++ = *at;
  return at;
#endif
}

// Comma, quote, CR and LF never stand second in a code page 932 character,
// so the decoded text holds them exactly where the bytes do, and a field
// ends at the first quote. Copies the field's characters to `kept` and
// returns the quote, CR or LF they stop at.
const char16_t* copyField(const char16_t* at, char16_t*& kept) {
  for (;;) {
    at = copyUpToLow(at, kept);
    if (*at == u'"' || *at == u'\r' || *at == u'\n') return at;
    *kept++ = *at++;  // a blank or a control character: plain in a field
  }
}

// Past the line end that closes an entry; null when none stands at `at`.
const char16_t* pastLineEnd(const char16_t* at, const char16_t* end) {
  if (at == end) return at;
  if (*at == u'\n') return at + 1;
  if (*at == u'\r' && at[1] == u'\n') return at + 2;  // the padding holds no LF
  return nullptr;
}

// Whether a closing quote, a comma and an opening quote stand at `at`, read
// as one number; the padding holds none of them.
bool separatorAt(const char16_t* at) {
  if constexpr (std::endian::native == std::endian::little) {
    uint64_t four;
    std::memcpy(&four, at, sizeof four);
    return (four & 0xFFFF'FFFF'FFFFu) == 0x0022'002C'0022u;
  } else {
    return at[0] == u'"' && at[1] == u',' && at[2] == u'"';
  }
}

// Whether a field of an entry, given by its offsets (the one before the
// first ends where it starts), holds more characters than a field may.
bool anyLongerThanAllowed(const uint32_t* starts, size_t fields) {
  for (const uint32_t* start = starts; start != starts + fields; ++start)
    if (start[0] - start[-1] > kMaxFieldLength) return true;
  return false;
}

// How many LFs `bytes` holds, sixteen bytes at a time where the processor
// can: a pass over the whole file, so it must be cheap.
size_t countLineFeeds(std::string_view bytes) {
  size_t count = 0;
  size_t i = 0;
#if ZUMARO_SSE2
  const __m128i lf = _mm_set1_epi8('\n');
  while (bytes.size() - i >= 16) {
    // Each byte of `tally` counts the LFs in its column, for at most 255
    // rounds before it could overflow.
    __m128i tally = _mm_setzero_si128();
    const size_t rounds = std::min<size_t>((bytes.size() - i) / 16, 255);
    for (size_t r = 0; r < rounds; ++r, i += 16) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
      tally = _mm_sub_epi8(tally, _mm_cmpeq_epi8(chunk, lf));
    }
    const __m128i sums = _mm_sad_epu8(tally, _mm_setzero_si128());
    count += static_cast<size_t>(_mm_cvtsi128_si32(sums)) + static_cast<size_t>(_mm_extract_epi16(sums, 4));
  }
#endif
  for (; i < bytes.size(); ++i) count += bytes[i] == '\n';
  return count;
}

}  // namespace

// The whole file is decoded at once, then the quotes and separators are
// squeezed out in place: every field moves towards the start.
bool parseWrittenEntries(std::string_view bytes, int fieldsPerEntry, EntryTexts& out) {
  if (!bytes.empty() && bytes.back() == '\x1A') bytes.remove_suffix(1);
  const size_t base = out.chars.size();
  // A byte never decodes to more than one character.
  out.chars.reserve(base + kPadding + bytes.size() + kPadding);
  out.chars.append(kPadding, u'\0');
  if (CodePage932::instance().decode(bytes.data(), bytes.size(), true, out.chars).invalid) return false;
  const size_t size = out.chars.size();
  out.chars.append(kPadding, u'\r');
  // Every entry but the last ends with an LF.
  const auto fields = static_cast<size_t>(fieldsPerEntry);
  out.fieldStart.reserve(out.fieldStart.size() + (countLineFeeds(bytes) + 1) * fields);
  char16_t* const text = out.chars.data();
  const char16_t* at = text + base + kPadding;
  const char16_t* const end = text + size;
  char16_t* kept = text + base;
  while (at != end) {
    if (*at != u'"') return false;
    const char16_t* close = nullptr;
    // An entry's offsets are made room for at once, and written through a
    // pointer.
    out.fieldStart.resize(out.fieldStart.size() + fields);
    uint32_t* nextStart = out.fieldStart.data() + out.fieldStart.size() - fields;
    const char16_t* const entryStart = at;
    for (int f = 0;;) {
      close = copyField(at + 1, kept);
      *nextStart++ = static_cast<uint32_t>(kept - text);
      if (++f == fieldsPerEntry) break;
      if (!separatorAt(close)) return false;
      at = close + 2;
    }
    if (*close != u'"') return false;
    // No field of an entry is longer than the entry: most need no test.
    if (static_cast<size_t>(close - entryStart) > kMaxFieldLength && anyLongerThanAllowed(nextStart - fields, fields))
      return false;
    // Offsets only grow, so the entry's last is the one to test.
    if (static_cast<size_t>(kept - text) > std::numeric_limits<uint32_t>::max()) return false;
    at = pastLineEnd(close + 1, end);
    if (at == nullptr) return false;
    ++out.count;
  }
  out.chars.resize(static_cast<size_t>(kept - text));
  return true;
}

bool readSmallRegularFile(const std::string& path, FileBytes& bytes) {
  // Never waits on a pipe: only a regular file is read here.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) < (uint64_t{1} << 32);
  if (ok) {
    const auto size = static_cast<size_t>(st.st_size);
    // Not zero-filled first (new char[], not make_unique): every byte kept
    // is one read.
    bytes.data.reset(new char[size]);
    size_t have = 0;
    while (have < size) {
      const ssize_t n = ::read(fd, bytes.data.get() + have, size - have);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      have += static_cast<size_t>(n);
    }
    bytes.size = have;
    // A file that changed size while read is left to the general reader.
    char more;
    ok = have == size && ::read(fd, &more, 1) == 0;
  }
  ::close(fd);
  return ok;
}

}  // namespace zumaro
