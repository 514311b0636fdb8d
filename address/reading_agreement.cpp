#include "address/reading_agreement.h"

#include <algorithm>
#include <cstring>

#include "address/city_parts.h"
#include "address/common_length.h"
#include "address/number_readings.h"
#include "address/written_form.h"

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

// The end of a reading whose 町 the record may read the other way (ﾁﾖｳ or
// ﾏﾁ), or nothing. Without `alternates` (a town with no city reading) the
// 町 is read as written, as the old comparison read it, so that no entry
// agrees there that it did not; a reading that is ﾏﾁ alone alternates only
// as a town area.
inline TextView alternatingSuffix(TextView reading, bool wholeMachiAlternates, bool alternates) {
  if (!alternates) return {};
  if (endsWith(reading, kChou) && reading.size() > kChou.size()) return kChou;
  if (endsWith(reading, kMachi) && (reading.size() > kMachi.size() || wholeMachiAlternates)) return kMachi;
  return {};
}

// A reading whose 町 the record may read the other way: the body must agree,
// then the record must write ﾁﾖｳ or ﾏﾁ itself; nothing else is passed over.
[[gnu::always_inline]] inline bool takeWithSuffix(Walk& walk, TextView reading, bool wholeMachiAlternates,
                                                  bool alternates = true) {
  const TextView suffix = alternatingSuffix(reading, wholeMachiAlternates, alternates);
  if (suffix.empty()) return walk.take(reading);
  if (!walk.take(reading.substr(0, reading.size() - suffix.size()))) return false;
  for (TextView spelling : {kChou, kMachi}) {
    if (walk.ahead(spelling)) {
      walk.skip(spelling.size());
      return true;
    }
  }
  return false;
}

// City and town area, read as the data reads them, from where the walk
// stands to a whole character; `townStart` is where the town area began.
// Everything else (a 大字, parts left out or written, numbers read out) is
// the part search's.
[[gnu::always_inline]] inline bool takeCityAndTown(Walk& walk, const FoldedRecordView& record,
                                                   const EntryReadings& entry, size_t& townStart) {
  if (!takeWithSuffix(walk, entry.city, false)) return false;
  townStart = walk.at();
  return takeWithSuffix(walk, entry.town, true, !entry.city.empty()) && record.endsCharacter(walk.at());
}

// What a way through the record's text has taken so far.
struct Way {
  size_t at = 0;
  bool leap = false;      // passed over or left out something
  bool read = false;      // took a part in its reading
  bool written = false;   // took a part in its written form
  bool cityLeft = false;  // left out the 郡 or designated city

  Way then(size_t end, bool byReading) const {
    Way next = *this;
    next.at = end;
    (byReading ? next.read : next.written) = true;
    return next;
  }
  Way leapTo(size_t end) const {
    Way next = *this;
    next.at = end;
    next.leap = true;
    return next;
  }
  Way leftOut(size_t end) const {
    Way next = leapTo(end);
    next.cityLeft = true;
    return next;
  }
};

constexpr TextView kOoazaWritten = u"大字";
constexpr TextView kAzaWritten = u"字";

// Every way the record may write the entry, part by part, for a record the
// plain reading does not head: each part read or written, the leaps, the
// numbers either way. Keeps the best way: one without a leap before any
// with one, then the one that uses the most of the record.
class PartSearch {
 public:
  PartSearch(const FoldedRecordView& record, const EntryReadings& entry)
      : record_(record), text_(record.view()), entry_(entry) {}

  void run() {
    const bool expected = entry_.prefectureInText;
    if (entry_.prefecture.empty()) {
      city(Way{});
      return;
    }
    const Way start;
    if (!expected) city(start);
    if (size_t end = take(0, entry_.prefecture); end != kNone)
      city(expected ? start.then(end, true) : start.leapTo(end).then(end, true));
    if (entry_.recordWritten && !entry_.writtenPrefecture.empty()) {
      if (size_t end = agreeWritten(text_, 0, entry_.writtenPrefecture, furthest_); end != kNone)
        city(expected ? start.then(end, false) : start.leapTo(end).then(end, false));
    }
    if (expected) city(start.leapTo(0));
  }

  bool found() const { return found_; }
  const Way& best() const { return best_; }
  size_t furthest() const { return furthest_; }
  size_t townStart() const { return townStart_; }

 private:
  static constexpr size_t kNone = TextView::npos;

  size_t take(size_t at, TextView part) {
    const size_t common = commonLength(text_.substr(at), part);
    furthest_ = std::max(furthest_, at + common);
    return common == part.size() ? at + common : kNone;
  }
  bool ahead(size_t at, TextView part) const { return text_.substr(at, part.size()) == part; }

  size_t written(size_t at, TextView part) {
    return entry_.recordWritten ? agreeWritten(text_, at, part, furthest_) : kNone;
  }

  // A reading, its 町 read either way where the record writes the other.
  template <class Next>
  void read(size_t at, TextView reading, bool wholeMachiAlternates, bool alternates, bool numbers, Next&& next) {
    const TextView suffix = alternatingSuffix(reading, wholeMachiAlternates, alternates);
    const TextView body = reading.substr(0, reading.size() - suffix.size());
    auto afterBody = [&](size_t end) {
      if (suffix.empty()) {
        next(end);
        return;
      }
      for (TextView spelling : {kChou, kMachi}) {
        if (ahead(end, spelling)) {
          next(end + spelling.size());
          return;
        }
      }
    };
    if (numbers) {
      readWithNumbers(at, body, afterBody);
    } else if (size_t end = take(at, body); end != kNone) {
      afterBody(end);
    }
  }

  static bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

  // A number of the reading in digits may be read out in the record, and
  // one read out in the reading may stand in digits in the record.
  template <class Next>
  void readWithNumbers(size_t at, TextView reading, Next& next) {
    size_t r = 0;
    while (r < reading.size()) {
      size_t digits = 0;
      if (isDigit(reading[r])) {
        const int n = leadingNumber(reading.substr(r), digits);
        const TextView after = reading.substr(r + digits);
        if (size_t end = take(at, reading.substr(r, digits)); end != kNone) readWithNumbers(end, after, next);
        for (const Text& spoken : numberReadings(n))
          if (ahead(at, spoken)) readWithNumbers(at + spoken.size(), after, next);
        return;
      }
      if (at < text_.size() && isDigit(text_[at])) {
        const int n = leadingNumber(text_.substr(at), digits);
        for (const Text& spoken : numberReadings(n))
          if (reading.substr(r).starts_with(spoken))
            readWithNumbers(at + digits, reading.substr(r + spoken.size()), next);
        return;
      }
      if (at >= text_.size() || text_[at] != reading[r]) return;
      furthest_ = std::max(furthest_, ++at);
      ++r;
    }
    next(at);
  }

  void city(const Way& way) {
    read(way.at, entry_.city, false, true, false, [&](size_t end) { town(way.then(end, true)); });
    if (size_t end = written(way.at, entry_.writtenCity); end != kNone) town(way.then(end, false));
    const CityLead lead = cityLead(entry_.writtenCity, entry_.city);
    if (lead.endCount == 0) return;
    size_t leadWritten = written(way.at, lead.written);
    size_t restWritten = written(way.at, lead.rest);
    if (restWritten != kNone) town(way.leftOut(restWritten).then(restWritten, false));
    for (size_t i = 0; i < lead.endCount; ++i) {
      const TextView leadRead = entry_.city.substr(0, lead.readingEnds[i]);
      const TextView restRead = entry_.city.substr(lead.readingEnds[i]);
      read(way.at, restRead, false, true, false, [&](size_t end) { town(way.leftOut(end).then(end, true)); });
      if (leadWritten != kNone)
        read(leadWritten, restRead, false, true, false,
             [&](size_t end) { town(way.then(end, true).then(end, false)); });
      if (size_t leadEnd = take(way.at, leadRead); leadEnd != kNone && entry_.recordWritten) {
        if (size_t end = written(leadEnd, lead.rest); end != kNone) town(way.then(end, true).then(end, false));
      }
    }
  }

  // A 大字 or 字 before the town area is a leap; an empty town takes none.
  void town(const Way& way) {
    if (townStart_ == kNone || (townStartLeap_ && !way.leap)) {
      townStart_ = way.at;
      townStartLeap_ = way.leap;
    }
    if (entry_.town.empty()) {
      finish(way);
      return;
    }
    townArea(way);
    for (TextView oaza : {kOoaza, kAza})
      if (ahead(way.at, oaza)) townArea(way.leapTo(way.at + oaza.size()));
    if (!entry_.recordWritten) return;
    for (TextView oaza : {kOoazaWritten, kAzaWritten})
      if (ahead(way.at, oaza)) townArea(way.leapTo(way.at + oaza.size()));
  }

  void townArea(const Way& way) {
    if (numbers_ < 0) numbers_ = holdsNumeral(entry_.writtenTown) ? 1 : 0;
    read(way.at, entry_.town, true, !entry_.city.empty(), numbers_ == 1,
         [&](size_t end) { finish(way.then(end, true)); });
    if (size_t end = written(way.at, entry_.writtenTown); end != kNone) finish(way.then(end, false));
  }

  void finish(const Way& way) {
    if (!record_.endsCharacter(way.at)) return;
    const bool better = !found_ || (best_.leap && !way.leap) || (best_.leap == way.leap && way.at > best_.at);
    if (!better) return;
    found_ = true;
    best_ = way;
  }

  const FoldedRecordView& record_;
  TextView text_;
  const EntryReadings& entry_;
  size_t furthest_ = 0;
  int numbers_ = -1;          // whether the written town area has a numeral, once asked
  size_t townStart_ = kNone;  // where the town area began, on the best way through the city
  bool townStartLeap_ = false;
  bool found_ = false;
  Way best_;
};

}  // namespace

Agreement agreeReadings(FoldedRecordView record, const EntryReadings& entry) {
  // The reading as the old lists write it first: nearly every record that
  // agrees at all agrees so, and this way is the quickest.
  Walk walk(record.view());
  Agreement result;
  size_t townStart = 0;
  const bool direct =
      (!entry.prefectureInText || walk.take(entry.prefecture)) && takeCityAndTown(walk, record, entry, townStart);
  if (direct) {
    result.agrees = true;
    result.townStart = static_cast<int>(townStart);
    result.reached = static_cast<int>(walk.furthest());
    result.used = record.textUsed(walk.at());
    return result;
  }
  PartSearch search(record, entry);
  search.run();
  result.reached = static_cast<int>(std::max(walk.furthest(), search.furthest()));
  if (search.townStart() != TextView::npos) result.townStart = static_cast<int>(search.townStart());
  if (!search.found()) return result;
  const Way& best = search.best();
  result.agrees = true;
  result.used = record.textUsed(best.at);
  result.passedOver = best.leap;
  result.written = best.written && !best.read;
  result.cityLeftOut = best.cityLeft;
  return result;
}

}  // namespace zumaro
