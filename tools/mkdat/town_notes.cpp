#include "tools/mkdat/town_notes.h"

namespace zumaro::mkdat {
namespace {

int removeParenthesised(Text& text, char16_t open, char16_t close) {
  Text kept;
  int depth = 0;
  int removed = 0;
  for (char16_t c : text) {
    if (c == open) {
      if (depth++ == 0) ++removed;
    } else if (c == close && depth > 0) {
      --depth;
    } else if (depth == 0) {
      kept += c;
    }
  }
  text = std::move(kept);
  return removed;
}

bool endsWith(TextView text, TextView tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

int removeNotes(Text& written, Text& reading) {
  removeParenthesised(reading, u'(', u')');
  return removeParenthesised(written, u'（', u'）');
}

bool namesNoTownArea(TextView town, TextView city) {
  if (town == u"以下に掲載がない場合") return true;
  // "境町の次に番地がくる場合", "小菅村の次に１～６６３番地がくる場合".
  if (town.find(u"の次に") != TextView::npos && endsWith(town, u"がくる場合")) return true;
  // "利島村一円" is all of 利島村; "一円" alone is a real town area (多賀町一円).
  constexpr TextView kWhole = u"一円";
  if (endsWith(town, kWhole) && town.size() > kWhole.size()) {
    return endsWith(city, town.substr(0, town.size() - kWhole.size()));
  }
  return false;
}

}  // namespace zumaro::mkdat
