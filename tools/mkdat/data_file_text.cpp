#include "tools/mkdat/data_file_text.h"

#include <algorithm>

#include "lookup/range_table.h"
#include "text/codepage.h"
#include "tools/mkdat/build_failure.h"

namespace zumaro::mkdat {
namespace {

[[noreturn]] void unwritable(const DataEntry& e, const Text& field, const std::string& why) {
  throw BuildFailure(*e.file + " の" + std::to_string(e.line) + "行目の「" + toUtf8(field) + "」は" + why +
                     "郵便番号データに書けません。");
}

void appendField(const DataEntry& e, const Text& field, std::string& out) {
  // The data file reader takes a quoted field up to the next quote, whatever
  // lies between; a quote or line end inside would shift every later field.
  if (field.find_first_of(u"\"\r\n") != Text::npos) unwritable(e, field, "引用符(\")か改行を含むため、");
  out += '"';
  size_t bad = 0;
  if (!CodePage932::instance().encode(field, out, bad))
    unwritable(e, field, "コードページ932(Shift-JIS)で書けない文字を含むため、");
  out += '"';
}

void appendEntry(const DataEntry& e, std::string& out) {
  for (size_t i = 0; i < e.fields.size(); ++i) {
    if (i > 0) out += ',';
    appendField(e, e.fields[i], out);
  }
  out += "\r\n";
}

bool sameFields(const DataEntry& a, const DataEntry& b) { return a.fields == b.fields; }

}  // namespace

DataFileTexts makeDataFileTexts(std::vector<DataEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const DataEntry& a, const DataEntry& b) { return textLess(a.fields[kKey], b.fields[kKey]); });
  DataFileTexts texts;
  size_t keyStart = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const DataEntry& e = entries[i];
    if (e.fields[kKey] != entries[keyStart].fields[kKey]) keyStart = i;
    auto sameKey = entries.begin() + static_cast<std::ptrdiff_t>(keyStart);
    auto here = entries.begin() + static_cast<std::ptrdiff_t>(i);
    if (std::any_of(sameKey, here, [&](const DataEntry& earlier) { return sameFields(earlier, e); })) {
      ++texts.duplicatesDropped;
      continue;
    }
    int k = dataFileFor(e.fields[kKey]);
    appendEntry(e, texts.bytes[static_cast<size_t>(k)]);
    ++texts.entries[static_cast<size_t>(k)];
  }
  return texts;
}

}  // namespace zumaro::mkdat
