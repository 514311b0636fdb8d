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

TEST(KeyHead, AgreesWithTheProbeReadEitherWay) {
  for (const Text& key : edgeKeys()) {
    const LoadedDataFile::Probe probe(key);
    Text padded = key + Text(8, u'\xFFFF');  // what a read past the key meets
    const TextView inPadded(padded.data(), key.size());
    for (const KeyHead& head : {keyHeadOf(inPadded, padded.data() + key.size()),
                                keyHeadOf(inPadded, padded.data() + padded.size()), keyHeadOneByOne(key)}) {
      EXPECT_EQ(head.value, probe.head) << toUtf8(key);
      EXPECT_EQ(head.narrow, probe.narrow) << toUtf8(key);
      EXPECT_EQ(head.narrow && head.fits, probe.fitsHead) << toUtf8(key);
      EXPECT_EQ(head.fits, key.size() <= 8 && key.find(u'\0') == Text::npos) << toUtf8(key);
      EXPECT_EQ(head.length, key.size());
    }
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
