#include "lookup/key_head.h"

#include <gtest/gtest.h>

#include <vector>

#include "lookup/loaded_data_file.h"

namespace zumaro {
namespace {

// Keys of every length up to twelve, mostly digits as postal codes (equal
// heads common), with characters on both sides of each edge the heads know.
std::vector<Text> edgeKeys() {
  const char16_t alphabet[] = {u'\0', u'1', u'7', 0x7F, 0xFE, 0xFF, 0x100, 0x3042, 0xFFFF};
  std::vector<Text> keys;
  uint32_t seed = 12345;
  for (size_t length = 0; length <= 12; ++length) {
    for (int k = 0; k < 200; ++k) {
      Text& key = keys.emplace_back();
      for (size_t i = 0; i < length; ++i, seed = seed * 1103515245u + 12345u)
        key += (seed >> 16) % 24 < 9 ? alphabet[(seed >> 16) % 24] : u"12"[(seed >> 16) % 2];
    }
  }
  return keys;
}

TEST(KeyHead, ReadAtOnceAgreesWithOneByOne) {
  for (const Text& key : edgeKeys()) {
    const KeyHead expected = keyHeadOneByOne(key);
    const Text padded = key + Text(8, u'\xFFFF');  // what a read past the key meets
    const TextView inPadded(padded.data(), key.size());
    for (const KeyHead& head :
         {keyHeadOf(inPadded, inPadded.data() + key.size()), keyHeadOf(inPadded, padded.data() + padded.size())}) {
      EXPECT_EQ(head.value, expected.value) << toUtf8(key);
      EXPECT_EQ(head.narrow, expected.narrow) << toUtf8(key);
      EXPECT_EQ(head.fits, expected.fits) << toUtf8(key);
      EXPECT_EQ(head.length, key.size());
    }
    EXPECT_EQ(LoadedDataFile::Probe(key).head, expected.value) << toUtf8(key);
  }
}

TEST(KeyHead, OrdersKeysAsTheirTexts) {
  const std::vector<Text> keys = edgeKeys();
  for (size_t i = 0; i < keys.size(); ++i) {
    for (size_t j = i % 7; j < keys.size(); j += 7) {
      const KeyHead a = keyHeadOneByOne(keys[i]), b = keyHeadOneByOne(keys[j]);
      EXPECT_EQ(keySortsBefore(a, keys[i], b, keys[j]), textLess(keys[i], keys[j]))
          << toUtf8(keys[i]) << " / " << toUtf8(keys[j]);
    }
  }
}

}  // namespace
}  // namespace zumaro
