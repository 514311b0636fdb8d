#include "text/byte_source.h"

namespace zumaro {

// The TextSource's undecoded bytes are this source's unchecked ones: the
// blocks are read and checked exactly where the decoder would decode them.
bool ByteSource::refill() {
  TextSource& f = *file_;
  while (at_ == end_) {
    if (f.invalidPending_) f.throwInvalid(f.bytesDecoded_);
    if (f.bytesStart_ == f.bytes_.size() && f.eof_) return false;
    if (!f.eof_ && f.bytes_.size() - f.bytesStart_ < 4) {
      f.bytes_.dropFront(f.bytesStart_);
      f.bytesStart_ = 0;
      f.readMore();
    }
    const DecodeResult stop =
        validateText(f.encoding_, f.bytes_.data() + f.bytesStart_, f.bytes_.size() - f.bytesStart_, f.eof_);
    at_ = f.bytes_.data() + f.bytesStart_;
    end_ = at_ + stop.consumed;
    f.bytesStart_ += stop.consumed;
    f.bytesDecoded_ += stop.consumed;
    if (stop.invalid) f.invalidPending_ = true;
  }
  return true;
}

}  // namespace zumaro
