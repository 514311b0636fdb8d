// The one-walk copy against the two steps it replaces: check that the bytes
// come back the same, then double each quote. Lengths cross the eight-byte
// words and the four-byte halves; every byte value goes to every place.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "records/quoted_copy.h"

namespace zumaro {
namespace {

struct Copied {
  bool copied;
  std::string bytes;
  bool operator==(const Copied&) const = default;
};

Copied reference(TextEncoding e, const std::string& s) {
  if (!encodesBackTheSame(e, s)) return {false, ""};
  std::string doubled;
  for (char c : s) doubled += c == '"' ? std::string("\"\"") : std::string(1, c);
  return {true, doubled};
}

// Room for exactly twice the bytes, then a guard that must stay untouched.
void expectSameAsReference(TextEncoding e, const std::string& s) {
  const std::string guard = "GUARD";
  std::string room(2 * s.size(), '\0');
  room += guard;
  const char* end = copyQuoteDoubled(e, s, room.data());
  const Copied fast{end != nullptr, end != nullptr ? std::string(room.c_str(), end) : ""};
  ASSERT_EQ(fast, reference(e, s)) << testing::PrintToString(s) << " in " << encodingName(e);
  ASSERT_EQ(room.substr(2 * s.size()), guard) << testing::PrintToString(s);
}

const std::vector<std::string> kPieces = {"\"",       "\x82\xA0",           "\x87\x40", "\xFA\x40",
                                          "\xED\x40", "\x81\x5F",           "\xB1",     "\xE3\x81\x82",
                                          "\x81",     std::string(1, '\0'), "\x7F",     "\xFF"};

TEST(QuotedCopy, MatchesCheckThenDoubleOnRandomFields) {
  std::mt19937 rng(2026);
  for (size_t pieces = 0; pieces <= 40; ++pieces)
    for (int round = 0; round < 40; ++round) {
      std::string s;
      for (size_t k = 0; k < pieces; ++k)
        s += rng() % 5 != 0 ? std::string(1, "09-/aZ ,"[rng() % 8]) : kPieces[rng() % kPieces.size()];
      for (TextEncoding e : {TextEncoding::Cp932, TextEncoding::Utf8}) expectSameAsReference(e, s);
    }
}

TEST(QuotedCopy, EveryByteAtEveryPlaceOfAnAsciiField) {
  for (size_t size = 1; size <= 40; ++size)
    for (size_t at = 0; at < size; ++at)
      for (int b = 0; b < 256; ++b) {
        std::string s(size, '5');
        s[at] = static_cast<char>(b);
        expectSameAsReference(TextEncoding::Cp932, s);
        if (b < 0x80) expectSameAsReference(TextEncoding::Utf8, s);
      }
}

TEST(QuotedCopy, EmptyFieldAndFieldsOfQuotesOnly) {
  for (size_t size = 0; size <= 20; ++size)
    for (TextEncoding e : {TextEncoding::Cp932, TextEncoding::Utf8}) expectSameAsReference(e, std::string(size, '"'));
}

}  // namespace
}  // namespace zumaro
