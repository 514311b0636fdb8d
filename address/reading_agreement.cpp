#include "address/reading_agreement.h"

#include <algorithm>
#include <cstring>

#include "address/common_length.h"

namespace zumaro {
namespace {

constexpr TextView kChou = u"ﾁﾖｳ";
constexpr TextView kMachi = u"ﾏﾁ";
constexpr TextView kOoaza = u"ｵｵｱｻﾞ";
constexpr TextView kAza = u"ｱｻﾞ";

// By memcmp, which a known suffix turns into a compare or two; the view's
// own compare goes unit by unit, and this is asked at every entry.
inline bool endsWith(TextView text, TextView suffix) {
  return text.size() >= suffix.size() &&
         std::memcmp(text.data() + text.size() - suffix.size(), suffix.data(), suffix.size() * sizeof(char16_t)) == 0;
}

// Walks the folded record from `at`; `at` only moves past what agreed.
class Walk {
 public:
  explicit Walk(TextView record) : record_(record) {}

  bool take(TextView part) {
    const size_t common = commonLength(rest(), part);
    at_ += common;
    furthest_ = std::max(furthest_, at_);
    return common == part.size();
  }
  bool ahead(TextView part) const { return rest().substr(0, part.size()) == part; }
  void skip(size_t n) { at_ += n; }
  void backTo(size_t at) { at_ = at; }
  size_t at() const { return at_; }
  size_t furthest() const { return furthest_; }

 private:
  // at_ never passes the record's end: it moves only over what agreed or
  // what ahead() found there.
  TextView rest() const { return TextView(record_.data() + at_, record_.size() - at_); }

  TextView record_;
  size_t at_ = 0;
  size_t furthest_ = 0;
};

// The steps below are inlined into agreeReadings, asked at every entry, so
// that the walk is kept in registers rather than passed by reference.

// A reading whose 町 the record may read the other way: the body must agree,
// then the record must write ﾁﾖｳ or ﾏﾁ itself; nothing else is passed over.
[[gnu::always_inline]] inline bool takeWithSuffix(Walk& walk, TextView reading, bool wholeMachiAlternates,
                                                  bool alternates = true) {
  TextView suffix;
  if (!alternates) {
    return walk.take(reading);
  } else if (endsWith(reading, kChou) && reading.size() > kChou.size()) {
    suffix = kChou;
  } else if (endsWith(reading, kMachi) && (reading.size() > kMachi.size() || wholeMachiAlternates)) {
    suffix = kMachi;
  } else {
    return walk.take(reading);
  }
  if (!walk.take(reading.substr(0, reading.size() - suffix.size()))) return false;
  for (TextView spelling : {kChou, kMachi}) {
    if (walk.ahead(spelling)) {
      walk.skip(spelling.size());
      return true;
    }
  }
  return false;
}

// A 大字 or 字 that the record writes before the town area is passed over
// when the town reading does not agree without doing so.
// Without a city reading the town's 町 is read as written, as the old
// comparison read it, so that no entry agrees there that it did not.
[[gnu::always_inline]] inline bool takeTown(Walk& walk, TextView town, bool cityRead, bool& passedOver) {
  const size_t start = walk.at();
  if (takeWithSuffix(walk, town, true, cityRead) || town.empty()) return true;
  for (TextView oaza : {kOoaza, kAza}) {
    walk.backTo(start);
    if (!walk.ahead(oaza)) continue;
    walk.skip(oaza.size());
    passedOver = true;
    if (takeWithSuffix(walk, town, true, cityRead)) return true;
  }
  return false;
}

// City and town area from where the walk stands, to a whole character.
[[gnu::always_inline]] inline bool takeCityAndTown(Walk& walk, const FoldedRecordView& record,
                                                   const EntryReadings& entry, bool& passedOver) {
  // A town area read 町 alone alternates, as the old comparison let it.
  return takeWithSuffix(walk, entry.city, false) && takeTown(walk, entry.town, !entry.city.empty(), passedOver) &&
         record.endsCharacter(walk.at());
}

}  // namespace

Agreement agreeReadings(FoldedRecordView record, const EntryReadings& entry) {
  Walk walk(record.view());
  Agreement result;
  // The prefecture as the layout expects it first; then, for a record that
  // writes it all the same or leaves it out, the other way.
  const bool expected = entry.prefectureInText;
  result.agrees = (!expected || walk.take(entry.prefecture)) && takeCityAndTown(walk, record, entry, result.passedOver);
  if (!result.agrees && !entry.prefecture.empty()) {
    walk.backTo(0);
    if (expected || walk.ahead(entry.prefecture)) {
      if (!expected) walk.skip(entry.prefecture.size());
      result.passedOver = true;
      result.agrees = takeCityAndTown(walk, record, entry, result.passedOver);
    }
  }
  result.reached = static_cast<int>(walk.furthest());
  if (result.agrees) result.used = record.textUsed(walk.at());
  return result;
}

}  // namespace zumaro
