// The copy of ICU's tables that a build without ICU compiles in
// (tools/icu-snapshot) against ICU's live answers, table by table.
#include <gtest/gtest.h>

#include <memory>

#include "text/icu_source.h"

namespace zumaro {
namespace {

TEST(IcuSnapshot, CodePage932TablesAreIcusOwn) {
  const auto live = std::make_unique<CodePage932Source>();
  const auto copy = std::make_unique<CodePage932Source>();
  readCodePage932(*live);
  readCodePage932Snapshot(*copy);
  EXPECT_EQ(live->single, copy->single);
  for (size_t lead = 0; lead < 256; ++lead) EXPECT_EQ(live->pairs[lead], copy->pairs[lead]) << "lead byte " << lead;
  EXPECT_EQ(live->encode, copy->encode);
  // A table read as all zeros would equal an empty copy: ICU's has characters.
  EXPECT_EQ(live->single[u'A'], u'A');
  EXPECT_EQ(live->pairs[0x93][0x8C], u'東');
  EXPECT_EQ(live->encode[u'東'], 0x8C93);
}

TEST(IcuSnapshot, UnicodePropertiesAreIcusOwn) {
  UnicodeSource live, copy;
  readUnicode(live);
  readUnicodeSnapshot(copy);
  EXPECT_EQ(live.upper, copy.upper);
  EXPECT_EQ(live.lower, copy.lower);
  EXPECT_EQ(live.halfKanaNfkc, copy.halfKanaNfkc);
  EXPECT_EQ(live.withVoiced, copy.withVoiced);
  EXPECT_EQ(live.withSemiVoiced, copy.withSemiVoiced);
  EXPECT_EQ(live.katakanaDecomposition, copy.katakanaDecomposition);
  EXPECT_GT(live.upper.size(), 1000u);
  EXPECT_EQ(live.halfKanaNfkc[u'ｶ' - 0xFF61], u'カ');
  EXPECT_EQ(live.withVoiced[u'か' - 0x3000], u'が');
}

}  // namespace
}  // namespace zumaro
