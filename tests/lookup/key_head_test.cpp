#include "lookup/key_head.h"

#include <gtest/gtest.h>

#include <vector>

#include "lookup/loaded_data_file.h"

namespace zumaro {
namespace {

// Keys of every length up to twelve from characters on both sides of each
// edge the heads know: U+0000, U+00FE/U+00FF, and ones far wider.
std::vector<Text> edgeKeys() {
  const char16_t alphabet[] = {u'\0', u'1', u'7', 0x7F, 0xFE, 0xFF, 0x100, 0x3042, 0xFFFF};
  std::vector<Text> keys;
  uint32_t seed = 12345;
  for (size_t length = 0; length <= 12; ++length) {
    for (int k = 0; k < 200; ++k) {
      Text key;
      for (size_t i = 0; i < length; ++i) {
        seed = seed * 1103515245u + 12345u;
        // Mostly digits, as postal codes, so that equal heads are common.
        const unsigned pick = (seed >> 16) % 24;
        key += pick < 9 ? alphabet[pick] : static_cast<char16_t>(u'1' + pick % 2);
      }
      keys.push_back(key);
    }
  }
  return keys;
}

TEST(KeyHead, OneByOneTakesTheFirstEightCharactersAsBytes) {
  struct Case {
    Text key;
    uint64_t value;
    bool narrow, fits;
  };
  const Case cases[] = {
      {u"", 0, true, true},
      {u"1000010", 0x3130'3030'3031'3000u, true, true},
      {u"12345678", 0x3132'3334'3536'3738u, true, true},
      {u"123456789", 0x3132'3334'3536'3738u, true, false},
      {Text(u"a\0", 2), 0x6100'0000'0000'0000u, true, false},
      {u"\u00FE\u00FF\u3042", 0xFEFF'FF00'0000'0000u, false, true},
      {u"1234567\u3042", 0x3132'3334'3536'37FFu, false, true},
      {u"12345678\u3042", 0x3132'3334'3536'3738u, true, false},
  };
  for (const Case& c : cases) {
    const KeyHead head = keyHeadOneByOne(c.key);
    EXPECT_EQ(head.value, c.value) << toUtf8(c.key);
    EXPECT_EQ(head.narrow, c.narrow) << toUtf8(c.key);
    EXPECT_EQ(head.fits, c.fits) << toUtf8(c.key);
    EXPECT_EQ(head.length, c.key.size());
  }
}

TEST(KeyHead, ReadAtOnceAgreesWithOneByOne) {
  for (const Text& key : edgeKeys()) {
    const KeyHead expected = keyHeadOneByOne(key);
    Text padded = key + Text(8, u'\xFFFF');  // what a read past the key meets
    const TextView inPadded(padded.data(), key.size());
    for (const KeyHead& head :
         {keyHeadOf(inPadded, padded.data() + key.size()), keyHeadOf(inPadded, padded.data() + padded.size())}) {
      EXPECT_EQ(head.value, expected.value) << toUtf8(key);
      EXPECT_EQ(head.narrow, expected.narrow) << toUtf8(key);
      EXPECT_EQ(head.fits, expected.fits) << toUtf8(key);
      EXPECT_EQ(head.length, key.size());
    }
    const LoadedDataFile::Probe probe(key);
    EXPECT_EQ(probe.head, expected.value) << toUtf8(key);
    EXPECT_EQ(probe.fitsHead, expected.narrow && expected.fits) << toUtf8(key);
  }
}

TEST(KeyHead, OrdersKeysAsTheirTexts) {
  const std::vector<Text> keys = edgeKeys();
  for (size_t i = 0; i < keys.size(); ++i) {
    for (size_t j = i % 7; j < keys.size(); j += 7) {
      const KeyHead a = keyHeadOf(keys[i], keys[i].data() + keys[i].size());
      const KeyHead b = keyHeadOf(keys[j], keys[j].data() + keys[j].size());
      EXPECT_EQ(keySortsBefore(a, keys[i], b, keys[j]), textLess(keys[i], keys[j]))
          << toUtf8(keys[i]) << " / " << toUtf8(keys[j]);
    }
  }
}

}  // namespace
}  // namespace zumaro
