// The common start of two texts, found in steps, against a plain walk: every
// pair of lengths to 40, a difference at every place, in low and high bits.
#include "address/common_length.h"

#include <gtest/gtest.h>

namespace zumaro {
namespace {

size_t walkedCommonLength(TextView a, TextView b) {
  size_t common = 0;
  while (common < a.size() && common < b.size() && a[common] == b[common]) ++common;
  return common;
}

TEST(CommonLength, SameAsAWalkAtEveryLengthAndDifference) {
  Text base;
  for (int i = 0; i < 48; ++i) base.push_back(static_cast<char16_t>(0xFF71 + i % 40));
  for (size_t offset : {0, 1, 3}) {  // the first text unaligned too
    for (size_t sizeA = 0; sizeA <= 40; ++sizeA) {
      for (size_t sizeB = 0; sizeB <= 40; ++sizeB) {
        for (size_t at = 0; at <= std::min(sizeA, sizeB); ++at) {
          for (char16_t flip : {0x0001, 0x0100, 0x8000}) {
            Text a = base.substr(offset, sizeA), b = base.substr(0, sizeB);
            b.replace(0, std::min(b.size(), a.size()), a.substr(0, std::min(b.size(), a.size())));
            if (at < b.size()) b[at] ^= flip;
            const Text held = Text(offset, u'x') + a;
            const TextView unaligned = TextView(held).substr(offset);
            ASSERT_EQ(commonLength(unaligned, b), walkedCommonLength(a, b)) << sizeA << " " << sizeB << " " << at;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace zumaro
