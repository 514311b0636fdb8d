#include "testing/random_list.h"

#include <vector>

#include "testing/postal_test_data.h"
#include "testing/temp_dir.h"

namespace zumaro::testing {
namespace {

std::string inEncoding(const std::string& utf8, TextEncoding e) {
  return e == TextEncoding::Cp932 ? cp932(utf8) : utf8;
}

// Bytes the encoding does not hold, or holds only with more bytes after them.
std::string invalidBytes(bench::Rng& rng, TextEncoding e) {
  if (e == TextEncoding::Cp932) return rng.pick(std::vector<std::string>{"\x80", "\xA0", "\x82", "\x81\x7F", "\xFD"});
  return rng.pick(std::vector<std::string>{"\xFF", "\xC3", "\xE3\x81", "\xED\xA0\x80", "\xC0\xAF", "\x80"});
}

// Characters that are valid but may not come back as the same bytes.
std::string rareCharacter(bench::Rng& rng, TextEncoding e) {
  if (e == TextEncoding::Cp932)
    return rng.pick(std::vector<std::string>{"\x87\x90", "\xFA\x40", "\xED\x40", "\xEE\xEF", "\x81\xE0", "\x5C"});
  return rng.pick(std::vector<std::string>{"\xF0\x9F\x98\x80", "\xEF\xBB\xBF", "\xE2\x80\xA8"});
}

std::string fieldText(bench::Rng& rng, TextEncoding e, const std::vector<std::string>& keys) {
  switch (rng.below(12)) {
    case 0:
      return "";
    case 1:
    case 2: {
      std::string key = rng.pick(keys);
      if (key.size() == 7 && rng.percent(30)) key.insert(3, "-");
      return inEncoding(key, e);
    }
    case 3:
    case 4:
      return inEncoding(rng.pick(kCityReadings) + rng.pick(kTownReadings) + (rng.percent(50) ? "1-2" : ""), e);
    case 5:
      return inEncoding(rng.pick(std::vector<std::string>{"ﾋﾞﾙ", "ｶｲ", "ﾄｳｷﾖｳﾄ", "東京都", "ｶ)ﾔﾏﾀﾞ"}), e);
    case 6:
      return inEncoding("a\"b", e);
    case 7:
      return inEncoding("x,y", e);
    case 8:
      return inEncoding(rng.pick(std::vector<std::string>{"l1\r\nl2", "l1\nl2", "\r", "a\rb"}), e);
    case 9:
      return "  " + inEncoding("ﾐﾄﾞﾘ ", e);
    case 10:
      return rareCharacter(rng, e);
    default:
      return inEncoding("note", e);
  }
}

bool needsQuotes(const std::string& text) { return text.find_first_of("\",\r\n") != std::string::npos; }

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    out.push_back(c);
    if (c == '"') out.push_back('"');
  }
  return out + "\"";
}

std::string field(bench::Rng& rng, TextEncoding e, const std::vector<std::string>& keys) {
  const std::string text = fieldText(rng, e, keys);
  if (rng.percent(3)) return quoted(text) + rng.pick(std::vector<std::string>{" x ", "  ", "y"});
  if (needsQuotes(text) || rng.percent(50)) return quoted(text);
  return text;
}

std::string lineEnd(bench::Rng& rng) { return rng.pick(std::vector<std::string>{"\r\n", "\r\n", "\n", "\r"}); }

}  // namespace

std::string randomList(bench::Rng& rng, const RandomListShape& shape) {
  std::vector<std::string> keys;
  for (int k : {1, 3, 13, 23})
    for (const std::string& key : keysOf(k)) keys.push_back(key);
  keys.push_back("9999999");
  std::vector<std::string> fields;
  for (int r = 0; r < shape.records; ++r) {
    if (rng.percent(5)) fields.push_back(lineEnd(rng));  // a blank line
    int count = shape.fieldCount;
    if (rng.percent(5)) count += rng.between(-1, 1);  // a ragged line
    std::string line;
    for (int i = 0; i < count; ++i) {
      if (i > 0) line += ",";
      line += field(rng, shape.encoding, keys);
    }
    fields.push_back(line);
  }
  if (rng.percent(shape.invalidPercent) && !fields.empty()) {
    std::string& victim = fields[rng.below(fields.size())];
    victim.insert(rng.below(victim.size() + 1), invalidBytes(rng, shape.encoding));
  }
  std::string list;
  for (size_t i = 0; i < fields.size(); ++i) {
    list += fields[i];
    // The last record may be cut short, without its line end.
    if (i + 1 < fields.size() || !rng.percent(20)) list += lineEnd(rng);
  }
  if (rng.percent(10)) list += "\r\n\r\n";
  return list;
}

}  // namespace zumaro::testing
