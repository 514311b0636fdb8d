#include "run/record_report.h"

#include <algorithm>

#include "address/reading_fold.h"
#include "state/failure.h"

namespace zumaro {
namespace {

constexpr size_t kEntriesNamed = 5;
constexpr size_t kDepartureShown = 10;

// Messages are joined in one piece rather than by operator+: a report may
// write a row for a tenth of a long list, and each + is a string of its own.
Text hyphenated(TextView code) {
  return code.size() == 7 ? joined({code.substr(0, 3), u"-", code.substr(3)}) : Text(code);
}

// The prefecture, city and town fields as read, one space between those
// that hold anything.
Text addressAsRead(const ConversionState& s) {
  const TextView text = s.reccityRead;
  const auto townStart = static_cast<size_t>(s.townStart);
  const TextView parts[] = {s.settings.posken == s.settings.poscity ? TextView() : TextView(s.recken),
                            townStart == 0 ? text : text.substr(0, townStart - 1),
                            townStart == 0 ? TextView() : text.substr(townStart)};
  Text address;
  for (TextView part : parts) {
    if (part.empty()) continue;
    if (!address.empty()) address += u' ';
    address += part;
  }
  return address;
}

// The entry as the record's address field is compared with it: with the
// prefecture when that field holds the prefecture too.
Text writtenAsCompared(const ConversionState& s, const EntryView& e) {
  return joined({s.settings.posken == s.settings.poscity ? e[1] : TextView(), e[2], e[3]});
}

Text namedWithReading(const ConversionState& s, const EntryView& e) {
  const TextView pref = s.settings.posken == s.settings.poscity ? e[6] : TextView();
  return joined({s.settings.posken == s.settings.poscity ? e[1] : TextView(), e[2], e[3], u"（", pref, e[7], e[8], u"）"});
}

// Where the record's text leaves the closest entry's reading.
Text departure(const ConversionState& s, const SeenEntry& closest) {
  FoldedText folded;
  foldText(s.reccityRead, folded);
  const auto used = static_cast<size_t>(folded.textUsed(std::min(static_cast<size_t>(closest.reached), folded.size())));
  const TextView text = s.reccityRead;
  const TextView rest = text.substr(std::min(used, text.size()), kDepartureShown);
  if (used == 0) return joined({u"最初の「", rest, u"」から"});
  if (rest.empty()) return joined({u"「", text.substr(0, used), u"」で終わっていて"});
  return joined({u"「", text.substr(0, used), u"」の後の「", rest, u"」から"});
}

Text checkSuggestion(const std::optional<Suggestion>& suggestion, TextView otherwise) {
  if (!suggestion) return joined({otherwise, u"を確認してください。"});
  Text others;
  for (size_t i = 0; i < suggestion->otherCodes.size() && i < kEntriesNamed; ++i) {
    others += i == 0 ? u"、同じ読みのほかの郵便番号 " : u"、";
    others += suggestion->otherCodes[i];
  }
  if (suggestion->otherCodes.size() > kEntriesNamed) others += u"ほか";
  return joined(
      {u"提案の", suggestion->postalCode, u"（", suggestion->address, others, u"）でよいか確認してください。"});
}

Text noPostalCodeMessage(const RecordPlace& place, const std::optional<Suggestion>& suggestion) {
  const Text check = checkSuggestion(suggestion, u"郵便番号");
  if (place.postalCode.empty()) return joined({u"郵便番号の項目が空のため、", check});
  return joined({u"郵便番号の項目「", place.postalCode, u"」に7桁の郵便番号がないため、", check});
}

Text unknownCodeMessage(const ConversionState& s, const std::optional<Suggestion>& suggestion) {
  return joined({u"郵便番号", hyphenated(s.keyno), u"は郵便番号データにないため、",
                 checkSuggestion(suggestion, u"郵便番号と住所")});
}

Text readingDiffersMessage(const ConversionState& s, const std::optional<Suggestion>& suggestion) {
  const auto closest = closestFirst(s.match);
  Text named;
  for (size_t i = 0; i < closest.size() && i < kEntriesNamed; ++i) {
    if (i > 0) named += u"、";
    named += namedWithReading(s, closest[i]->entry);
  }
  if (closest.size() > kEntriesNamed)
    named += joined({u"ほか", decimal(static_cast<long long>(closest.size() - kEntriesNamed)), u"件"});
  Text message = joined({u"郵便番号", hyphenated(s.keyno), u"の住所（", named, u"）のどれとも読みが合わず、"});
  if (!closest.empty()) {
    const EntryView& e = closest.front()->entry;
    message += joined({u"最も近い", writtenAsCompared(s, e), u"とは", departure(s, *closest.front()), u"食い違うため、"});
  }
  message += checkSuggestion(suggestion, u"郵便番号と住所");
  return message;
}

Text ambiguousMessage(const RecordMatch& m) {
  Text named = joined({m.best[1], m.best[2], m.best[3]});
  for (const DataEntry& e : m.ties) named += joined({u"、", e[1], e[2], e[3]});
  return joined({u"読みが同じだけ合う住所が", decimal(static_cast<long long>(m.ties.size() + 1)), u"件（", named,
                 u"）あって一つに決められないため、どれが正しいか確認してください。"});
}

Text businessMessage(const ConversionState& s) {
  const DataEntry& e = s.match.business;
  return joined({u"郵便番号", hyphenated(s.keyno), u"は", e[5],
                 u"の事業所の番号で、住所と名称をその事業所のものにしたため、宛先が合っているか確認してください（変換前の住所「",
                 addressAsRead(s), u"」、ビル名「", s.recbil, u"」、企業名「", s.recco, u"」）。"});
}

Text repairedMessage(const ConversionState& s, const RecordPlace& place) {
  return joined({u"郵便番号「", place.postalCode, u"」は桁が足りないため、先頭に0を補った", hyphenated(s.keyno),
                 u"で変換したので、郵便番号を確認してください。"});
}

Text misalignedMessage(const RecordPlace& place) {
  return joined({u"このレコードは", decimal(place.line),
                 u"行目の行の途中から始まっているため、項目数の設定と元のファイルの各行の項目数を確認してください。"});
}

void suggest(ReportRow& row, const std::optional<Suggestion>& suggestion) {
  if (!suggestion) return;
  row.suggestedPostalCode = suggestion->postalCode;
  row.suggestedAddress = suggestion->address;
}

}  // namespace

void reportRowsOf(const ConversionState& s, const RecordPlace& place, ReadingSearch& search,
                  std::vector<ReportRow>& rows) {
  rows.clear();
  auto row = [&](ReportReason reason, const std::optional<Suggestion>& suggestion, Text message) {
    rows.push_back({place.record, place.line, reason, place.postalCode, addressAsRead(s), {}, {}, std::move(message)});
    suggest(rows.back(), suggestion);
  };
  const RecordMatch& m = s.match;
  // The entry the record agreed with, under the code the run used.
  auto agreed = [&] { return Suggestion{s.keyno, joined({m.best[1], m.best[2], m.best[3]}), {}}; };
  std::optional<Suggestion> found;
  switch (m.outcome) {
    case RecordOutcome::Converted:
      break;
    case RecordOutcome::NoPostalCode:
      found = suggestionFor(s, search);
      row(ReportReason::NoPostalCode, found, noPostalCodeMessage(place, found));
      break;
    case RecordOutcome::PostalCodeUnknown:
      found = suggestionFor(s, search);
      row(ReportReason::PostalCodeUnknown, found, unknownCodeMessage(s, found));
      break;
    case RecordOutcome::ReadingDiffers:
      found = suggestionFor(s, search);
      row(ReportReason::ReadingDiffers, found, readingDiffersMessage(s, found));
      break;
    case RecordOutcome::Ambiguous:
      row(ReportReason::Ambiguous, agreed(), ambiguousMessage(m));
      break;
    case RecordOutcome::ConvertedByBusinessCode:
      row(ReportReason::BusinessCode, std::nullopt, businessMessage(s));
      break;
    case RecordOutcome::ConvertedAfterRepair:
      row(ReportReason::PostalCodeRepaired, agreed(), repairedMessage(s, place));
      break;
  }
  if (!place.startsLine) row(ReportReason::Misaligned, std::nullopt, misalignedMessage(place));
}

}  // namespace zumaro
