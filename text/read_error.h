#pragma once
// What can stop the reading of a file part-way. The reader knows the byte
// offset; the caller adds the file and the record before telling the user.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "text/text_encoding.h"

namespace zumaro {

enum class ReadFault { InvalidBytes, UnclosedQuote, FieldTooLong, IoError };

// The longest field the reader takes, in characters: far beyond any address,
// and small enough that a file without separators (a device that never
// ends, a binary file) is stopped before it fills the memory.
inline constexpr size_t kMaxFieldLength = 1'000'000;

struct ReadError : std::runtime_error {
  ReadError(ReadFault f, uint64_t offset, int error = 0)
      : std::runtime_error("read error"), fault(f), byteOffset(offset), errorNumber(error) {}
  ReadFault fault;
  uint64_t byteOffset;       // of the first invalid byte, or where the fault struck
  int errorNumber;           // errno for IoError
  int64_t recordNumber = 0;  // 1-based record (or entry) being read, 0 the header line; set by the record reader
  int field = 0;             // 1-based field being read; set by the record reader
  int64_t line = 0;          // 1-based line on which the field being read begins; set by the record reader
  TextEncoding encoding = TextEncoding::Cp932;  // of the file, for invalid bytes
  bool encodingFound = false;                   // found from the bytes rather than named
};

}  // namespace zumaro
