#pragma once
// The form the data file maker writes: entries of eleven fields in double
// quotes, no quote or line end inside one, separated by commas, each entry
// ended by CR LF or LF (the last one perhaps by the end of the file), and
// perhaps an end-of-file mark (Ctrl-Z) as the last byte. Read in one pass
// straight into the fields' characters; anything else is left to the
// general reader, which alone knows how to report it.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace zumaro {

// The fields of a file's entries, one after the other.
struct EntryTexts {
  Text chars;
  std::vector<uint32_t> fieldStart{0};  // fieldsPerEntry per entry, then the end of the last
  size_t count = 0;

  void clear() {
    chars.clear();
    fieldStart.assign(1, 0);
    count = 0;
  }
};

// Appends the entries of `bytes` to `out` when the whole of them is in the
// maker's form and valid code page 932, and returns true; otherwise returns
// false, `out` then to be cleared.
bool parseWrittenEntries(std::string_view bytes, int fieldsPerEntry, EntryTexts& out);

// The bytes of a file read whole.
struct FileBytes {
  std::unique_ptr<char[]> data;
  size_t size = 0;
  std::string_view view() const { return {data.get(), size}; }
};

// The whole of a regular file under 4 GiB, or false (the file is not one, or
// cannot be read).
bool readSmallRegularFile(const std::string& path, FileBytes& bytes);

}  // namespace zumaro
