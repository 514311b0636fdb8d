#include "address/reading_slip.h"

#include <algorithm>
#include <vector>

#include "address/entry_choice.h"
#include "address/reading_fold.h"

namespace zumaro {
namespace {

// The edits between `text` and `reading`, the whole of both or, with
// `head`, the fewest over every head of `text`.
size_t edits(TextView text, TextView reading, bool head) {
  const size_t most = head ? std::min(text.size(), reading.size() + 2) : text.size();
  std::vector<size_t> before(reading.size() + 1), now(reading.size() + 1);
  for (size_t j = 0; j <= reading.size(); ++j) before[j] = j;
  size_t fewest = before.back();
  for (size_t i = 1; i <= most; ++i) {
    now[0] = i;
    for (size_t j = 1; j <= reading.size(); ++j)
      now[j] = std::min({before[j] + 1, now[j - 1] + 1, before[j - 1] + (text[i - 1] == reading[j - 1] ? 0 : 1)});
    fewest = std::min(fewest, now.back());
    std::swap(before, now);
  }
  return head ? fewest : before.back();
}

bool isKana(char16_t c) { return c >= u'ｦ' && c <= u'ﾟ'; }

// The kana the record writes from `at` on, in the folded view.
TextView kanaWord(TextView text, size_t at) {
  size_t end = at;
  while (end < text.size() && isKana(text[end])) ++end;
  return text.substr(at, end - at);
}

}  // namespace

const SeenEntry* slipOfOwnCode(const ConversionState& s) {
  FoldedText text;
  foldText(s.cityFieldAsRead, text);
  const SeenEntry* closest = nullptr;
  size_t fewest = SIZE_MAX;
  for (size_t i = 0; i < s.match.seenCount; ++i) {
    const SeenEntry& seen = s.match.seen[i];
    if (seen.townStart < 0 || seen.entry[8].empty()) continue;
    Text town;
    foldReading(seen.entry[8], town);
    const size_t n = edits(text.view().substr(static_cast<size_t>(seen.townStart)), town, true);
    if (2 * n <= town.size() && n < fewest) {
      closest = &seen;
      fewest = n;
    }
  }
  return closest;
}

bool bestLeavesASlip(ConversionState& s, TextView kanaLeft) {
  const RecordMatch& m = s.match;
  // ｲﾏﾏﾁﾖｳ for 今町 (ｲﾏﾁﾖｳ): the 町 read ﾏﾁ with ﾖｳ after it is its
  // reading ﾁﾖｳ with a kana doubled before it, not 今町 and ﾖｳ.
  Text left, last, agreed;
  foldReading(kanaLeft, left);
  foldReading(m.best[8].empty() ? m.best[7] : m.best[8], last);
  foldReading(TextView(s.cityFieldAsRead).substr(0, static_cast<size_t>(m.bestUsed)), agreed);
  if (left.starts_with(u"ﾖｳ") && last.ends_with(u"ﾁﾖｳ") && agreed.ends_with(u"ﾏﾁ")) return true;
  const TextView text = foldedRecordText(s);
  auto oneEditAway = [&](const EntryView& e, int townStart) {
    if (townStart < 0 || e[8].empty()) return false;
    Text town;
    foldReading(e[8], town);
    return edits(kanaWord(text, static_cast<size_t>(townStart)), town, false) == 1;
  };
  for (size_t i = 0; i < m.seenCount; ++i)
    if (oneEditAway(m.seen[i].entry, m.seen[i].townStart)) return true;
  return false;
}

}  // namespace zumaro
