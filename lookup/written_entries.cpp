#include "lookup/written_entries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

#include "records/read_error.h"
#include "state/codepage.h"

namespace zumaro {
namespace {

// Comma, quote, CR and LF never stand second in a code page 932 character,
// so the decoded text holds them exactly where the bytes do, and a field
// ends at the first quote. Copies the field's characters to `kept` (never
// ahead of `at`) and returns its closing quote; null at a line end or at the
// end.
const char16_t* copyUpToQuote(const char16_t* at, const char16_t* end, char16_t*& kept) {
  for (; at != end; ++at) {
    const char16_t c = *at;
    if (c <= u'"') {  // seldom
      if (c == u'"') return at;
      if (c == u'\r' || c == u'\n') return nullptr;
    }
    *kept++ = c;
  }
  return nullptr;
}

// Past the line end that closes an entry; null when none stands at `at`.
const char16_t* pastLineEnd(const char16_t* at, const char16_t* end) {
  if (at == end) return at;
  if (*at == u'\n') return at + 1;
  if (*at == u'\r' && at + 1 != end && at[1] == u'\n') return at + 2;
  return nullptr;
}

}  // namespace

// The whole file is decoded at once, then the quotes and separators are
// squeezed out in place: every field moves towards the start.
bool parseWrittenEntries(std::string_view bytes, int fieldsPerEntry, EntryTexts& out) {
  if (!bytes.empty() && bytes.back() == '\x1A') bytes.remove_suffix(1);
  const size_t base = out.chars.size();
  if (CodePage932::instance().decode(bytes.data(), bytes.size(), true, out.chars).invalid) return false;
  char16_t* const text = out.chars.data();
  const char16_t* at = text + base;
  const char16_t* const end = text + out.chars.size();
  char16_t* kept = text + base;
  while (at != end) {
    for (int f = 0; f < fieldsPerEntry; ++f) {
      if (at == end || *at != u'"') return false;
      const char16_t* close = copyUpToQuote(++at, end, kept);
      if (close == nullptr || static_cast<size_t>(close - at) > kMaxFieldLength) return false;
      if (static_cast<size_t>(kept - text) > std::numeric_limits<uint32_t>::max()) return false;
      out.fieldStart.push_back(static_cast<uint32_t>(kept - text));
      at = close + 1;
      if (f + 1 < fieldsPerEntry) {
        if (at == end || *at != u',') return false;
        ++at;
      }
    }
    at = pastLineEnd(at, end);
    if (at == nullptr) return false;
    ++out.count;
  }
  out.chars.resize(static_cast<size_t>(kept - text));
  return true;
}

bool readSmallRegularFile(const std::string& path, std::string& bytes) {
  // Never waits on a pipe: only a regular file is read here.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
            static_cast<uint64_t>(st.st_size) < (uint64_t{1} << 32);
  if (ok) {
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t have = 0;
    while (have < bytes.size()) {
      const ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      have += static_cast<size_t>(n);
    }
    // A file that changed size while read is left to the general reader.
    char more;
    ok = have == bytes.size() && ::read(fd, &more, 1) == 0;
  }
  ::close(fd);
  return ok;
}

}  // namespace zumaro
