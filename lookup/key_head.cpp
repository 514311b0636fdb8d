#include "lookup/key_head.h"

namespace zumaro {

KeyHead keyHeadOneByOne(TextView key) {
  KeyHead head;
  head.length = key.size();
  head.fits = key.size() <= 8;
  for (size_t i = 0; i < 8; ++i) {
    const unsigned c = i < key.size() ? key[i] : 0u;
    if (c >= 0xFF) head.narrow = false;
    if (c == 0 && i < key.size()) head.fits = false;
    head.value = (head.value << 8) | (c < 0xFF ? c : 0xFFu);
  }
  return head;
}

}  // namespace zumaro
