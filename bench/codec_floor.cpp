// zumaro-codec-floor INPUT OUTPUT: the least any conversion of INPUT must do.
// Reads it with the converter's streamed code page 932 decoder, encodes the
// characters again with the same tables and writes them, nothing else.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "text/codepage.h"
#include "text/read_error.h"
#include "text/text_source.h"

namespace {

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zumaro;
  if (argc != 3) {
    std::fprintf(stderr, "usage: zumaro-codec-floor INPUT OUTPUT\n");
    return 2;
  }
  TextSource input;
  if (!input.open(argv[1])) {
    std::perror(argv[1]);
    return 1;
  }
  int out = ::open(argv[2], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (out < 0) {
    std::perror(argv[2]);
    return 1;
  }
  constexpr size_t kChunk = 1 << 16;
  Text chars;
  std::string bytes;
  try {
    for (bool more = true; more;) {
      chars.clear();
      for (int c; chars.size() < kChunk && (c = input.get()) != TextSource::kEnd;)
        chars.push_back(static_cast<char16_t>(c));
      more = chars.size() == kChunk;
      bytes.clear();
      size_t bad = 0;
      if (!CodePage932::instance().encode(chars, bytes, bad)) {
        std::fprintf(stderr, "%s: a character without a code page 932 form\n", argv[1]);
        return 1;
      }
      if (!writeAll(out, bytes)) {
        std::perror(argv[2]);
        return 1;
      }
    }
  } catch (const ReadError&) {
    std::fprintf(stderr, "%s: not code page 932\n", argv[1]);
    return 1;
  }
  return ::close(out) == 0 ? 0 : 1;
}
