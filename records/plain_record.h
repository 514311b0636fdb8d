#pragma once
// The common case of a record, found in one pass over bytes already read
// and checked: one line of fields, each either unquoted or wholly quoted
// with no quote or line end inside. Anything else is left to the full
// reader, which knows every other form; a record found here is read exactly
// as the full reader reads it.
#include <cstddef>
#include <string_view>

namespace zumaro {

// Splits the record at the start of [at, end) into `fieldCount` views of
// the values (quotes taken off) and returns the bytes it takes, its line
// end included; 0 when the record is not of this plain form or does not end
// within the bytes given.
size_t splitPlainRecord(const char* at, const char* end, int fieldCount, std::string_view* fields);
// The same, byte by byte: what splitPlainRecord falls back to when its
// faster walk over the bits of whole blocks does not take the record.
size_t splitPlainRecordByBytes(const char* at, const char* end, int fieldCount, std::string_view* fields);

}  // namespace zumaro
