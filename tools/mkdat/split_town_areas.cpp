#include "tools/mkdat/split_town_areas.h"

#include <algorithm>

namespace zumaro::mkdat {
namespace {

// Opening minus closing full-width parentheses.
int openParentheses(TextView town) {
  return static_cast<int>(std::count(town.begin(), town.end(), u'（') - std::count(town.begin(), town.end(), u'）'));
}

bool continues(const AddressRow& first, const AddressRow& next) {
  return next.postalCode == first.postalCode && next.municipality == first.municipality;
}

void join(AddressRow& first, const AddressRow* begin, const AddressRow* end) {
  bool sameReading = std::all_of(begin, end, [&](const AddressRow& r) { return r.townReading == first.townReading; });
  for (const AddressRow* r = begin; r != end; ++r) {
    first.town += r->town;
    if (!sameReading) first.townReading += r->townReading;
  }
}

}  // namespace

int64_t joinSplitTownAreas(std::vector<AddressRow>& rows) {
  size_t out = 0;
  size_t i = 0;
  while (i < rows.size()) {
    size_t end = i + 1;
    int open = openParentheses(rows[i].town);
    while (open > 0 && end < rows.size() && continues(rows[i], rows[end])) {
      open += openParentheses(rows[end].town);
      ++end;
    }
    if (end > i + 1) join(rows[i], &rows[i + 1], rows.data() + end);
    if (out != i) rows[out] = std::move(rows[i]);
    ++out;
    i = end;
  }
  int64_t joined = static_cast<int64_t>(rows.size() - out);
  rows.resize(out);
  return joined;
}

}  // namespace zumaro::mkdat
