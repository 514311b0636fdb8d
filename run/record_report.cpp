#include "run/record_report.h"

#include <algorithm>

#include "address/reading_fold.h"
#include "address/written_form.h"
#include "records/postal_code_reading.h"
#include "run/written_agreement.h"
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
  const TextView text = s.cityFieldAsRead;
  const auto townStart = static_cast<size_t>(s.townStart);
  const TextView parts[] = {
      s.settings.prefecturePosition == s.settings.cityPosition ? TextView() : TextView(s.prefectureField),
      townStart == 0 ? text : text.substr(0, townStart - 1), townStart == 0 ? TextView() : text.substr(townStart)};
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
  return joined({s.settings.prefecturePosition == s.settings.cityPosition ? e[1] : TextView(), e[2], e[3]});
}

Text namedWithReading(const ConversionState& s, const EntryView& e) {
  const TextView pref = s.settings.prefecturePosition == s.settings.cityPosition ? e[6] : TextView();
  return joined({s.settings.prefecturePosition == s.settings.cityPosition ? e[1] : TextView(), e[2], e[3], u"（", pref,
                 e[7], e[8], u"）"});
}

// Characters of the record's text that follow the entry's reading.
size_t readingUsed(const ConversionState& s, const SeenEntry& seen) {
  FoldedText folded;
  foldText(s.cityFieldAsRead, folded);
  return static_cast<size_t>(folded.textUsed(std::min(static_cast<size_t>(seen.reached), folded.size())));
}

// Where the record's text leaves the closest entry, after `used` characters.
Text departure(const ConversionState& s, size_t used) {
  const TextView text = s.cityFieldAsRead;
  const TextView rest = text.substr(std::min(used, text.size()), kDepartureShown);
  if (used == 0) return joined({u"最初の「", rest, u"」から"});
  if (rest.empty()) return joined({u"「", text.substr(0, used), u"」で終わっていて"});
  return joined({u"「", text.substr(0, used), u"」の後の「", rest, u"」から"});
}

Text checkSuggestion(const std::optional<Suggestion>& suggestion, TextView otherwise) {
  if (!suggestion) return joined({otherwise, u"を確認してください。"});
  if (!suggestion->otherAddresses.empty()) {
    Text named = joined({suggestion->address, u" ", suggestion->postalCode});
    for (size_t i = 0; i < suggestion->otherAddresses.size() && i < kEntriesNamed; ++i)
      named += joined({u"、", suggestion->otherAddresses[i]});
    if (suggestion->otherAddresses.size() > kEntriesNamed) named += u"ほか";
    return joined({u"読みが同じだけ合う住所（", named, u"）のどれか一つに決められないため、", otherwise,
                   u"を確認してください。"});
  }
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
  return joined({u"郵便番号", hyphenated(s.postalKey), u"は郵便番号データにないため、",
                 checkSuggestion(suggestion, u"郵便番号と住所")});
}

// Characters of the record's written text that follow the entry, its
// prefecture written at the head or left out, or follow its reading where
// the text is read in part: the message never says the text departs
// before what agrees.
size_t writtenUsed(const ConversionState& s, const SeenEntry& seen) {
  const TextView text = s.cityFieldAsRead;
  const EntryView& e = seen.entry;
  return std::max({writtenAgreement(text, joined({e[1], e[2], e[3]})), writtenAgreement(text, joined({e[2], e[3]})),
                   readingUsed(s, seen)});
}

// A record written in kanji that no entry agreed with: the entries by
// their written forms, compared with the record's text as it is written.
Text writtenDiffersMessage(const ConversionState& s, const std::optional<Suggestion>& suggestion) {
  const RecordMatch& m = s.match;
  std::vector<std::pair<size_t, const SeenEntry*>> closest;
  for (size_t i = 0; i < m.seenCount; ++i) closest.emplace_back(writtenUsed(s, m.seen[i]), &m.seen[i]);
  std::stable_sort(closest.begin(), closest.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<Text> names;  // entries told apart by their readings alone are named once
  for (const auto& [used, seen] : closest) {
    Text name = writtenAsCompared(s, seen->entry);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  }
  Text named;
  for (size_t i = 0; i < names.size() && i < kEntriesNamed; ++i) named += joined({i > 0 ? u"、" : u"", names[i]});
  if (names.size() > kEntriesNamed)
    named += joined({u"ほか", decimal(static_cast<long long>(names.size() - kEntriesNamed)), u"件"});
  Text message = joined({u"郵便番号", hyphenated(s.postalKey), u"の住所（", named, u"）のどれとも表記が合わず、"});
  if (!closest.empty()) {
    message += joined({u"最も近い", names.front(), u"とは", departure(s, closest.front().first), u"食い違うため、"});
  }
  message += checkSuggestion(suggestion, u"郵便番号と住所");
  return message;
}

Text readingDiffersMessage(const ConversionState& s, const std::optional<Suggestion>& suggestion) {
  if (holdsWrittenCharacters(s.cityFieldAsRead)) return writtenDiffersMessage(s, suggestion);
  const auto closest = closestFirst(s.match);
  Text named;
  for (size_t i = 0; i < closest.size() && i < kEntriesNamed; ++i) {
    if (i > 0) named += u"、";
    named += namedWithReading(s, closest[i]->entry);
  }
  if (closest.size() > kEntriesNamed)
    named += joined({u"ほか", decimal(static_cast<long long>(closest.size() - kEntriesNamed)), u"件"});
  Text message = joined({u"郵便番号", hyphenated(s.postalKey), u"の住所（", named, u"）のどれとも読みが合わず、"});
  if (!closest.empty()) {
    const EntryView& e = closest.front()->entry;
    message += joined({u"最も近い", writtenAsCompared(s, e), u"とは", departure(s, readingUsed(s, *closest.front())),
                       u"食い違うため、"});
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
  return joined(
      {u"郵便番号", hyphenated(s.postalKey), u"は", e[5],
       u"の事業所の番号で、住所と名称をその事業所のものにしたため、宛先が合っているか確認してください（変換前の住所「",
       addressAsRead(s), u"」、ビル名「", s.buildingField, u"」、企業名「", s.companyField, u"」）。"});
}

Text repairedMessage(const ConversionState& s, const RecordPlace& place) {
  return joined({u"郵便番号「", place.postalCode, u"」は桁が足りないため、先頭に0を補った", hyphenated(s.postalKey),
                 u"で変換したので、郵便番号を確認してください。"});
}

Text partlyReadMessage(const ConversionState& s) {
  const RecordMatch& m = s.match;
  return joined({u"郵便番号", hyphenated(s.postalKey), u"の住所「", m.best[1], m.best[2], m.best[3],
                 u"」を当てはめましたが、続く「", m.kanaLeft,
                 u"」はその住所にない読みのため、読みのまま残しました。町域を確認してください。"});
}

// Why the record's own code did not serve, for the row of a fixed code.
Text whyFixed(const ConversionState& s, const RecordPlace& place) {
  const RecordMatch& m = s.match;
  const PostalCodeReading asRead = readPostalCode(place.postalCode);
  if (place.postalCode.empty()) return u"郵便番号の項目が空のため";
  if (!asRead.oldCode.empty() && m.outcomeBeforeFix != RecordOutcome::ReadingDiffers)
    return joined({u"郵便番号「", place.postalCode, u"」は1998年より前の郵便番号のため"});
  switch (m.outcomeBeforeFix) {
    case RecordOutcome::NoPostalCode:
      return joined({u"郵便番号の項目「", place.postalCode, u"」に7桁の郵便番号がないため"});
    case RecordOutcome::PostalCodeUnknown:
      return joined({u"郵便番号「", place.postalCode, u"」は郵便番号データにないため"});
    case RecordOutcome::ReadingDiffers:
      return joined({u"郵便番号「", place.postalCode, u"」の住所とは読みが合わないため"});
    default:
      return joined({u"郵便番号「", place.postalCode, u"」は市区町村全体の番号で、町域に番号があるため"});
  }
}

Text fixedMessage(const ConversionState& s, const RecordPlace& place) {
  const RecordMatch& m = s.match;
  return joined({whyFixed(s, place), u"、住所の読みから郵便番号を", hyphenated(s.postalKey), u"（", m.best[1],
                 m.best[2], m.best[3], u"）に直して変換しました。郵便番号を確認してください。"});
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

void reportRowsOf(ConversionState& s, const RecordPlace& place, AddressSearch& search, std::vector<ReportRow>& rows) {
  rows.clear();
  auto row = [&](ReportReason reason, const std::optional<Suggestion>& suggestion, Text message) {
    rows.push_back({place.record, place.line, reason, place.postalCode, addressAsRead(s), {}, {}, std::move(message)});
    suggest(rows.back(), suggestion);
  };
  const RecordMatch& m = s.match;
  // The entry the record agreed with, under the code the run used.
  auto agreed = [&] { return Suggestion{s.postalKey, joined({m.best[1], m.best[2], m.best[3]}), {}}; };
  std::optional<Suggestion> found;
  const Text oldCode = readPostalCode(place.postalCode).oldCode;
  switch (m.outcome) {
    case RecordOutcome::Converted:
      break;
    case RecordOutcome::NoPostalCode:
      found = suggestionFor(s, search, oldCode);
      row(ReportReason::NoPostalCode, found, noPostalCodeMessage(place, found));
      break;
    case RecordOutcome::PostalCodeUnknown:
      found = suggestionFor(s, search, oldCode);
      row(ReportReason::PostalCodeUnknown, found, unknownCodeMessage(s, found));
      break;
    case RecordOutcome::ReadingDiffers:
      found = suggestionFor(s, search, oldCode);
      row(ReportReason::ReadingDiffers, found, readingDiffersMessage(s, found));
      break;
    case RecordOutcome::Ambiguous:
      row(ReportReason::Ambiguous, agreed(), ambiguousMessage(m));
      break;
    case RecordOutcome::ConvertedByBusinessCode:
      row(ReportReason::BusinessCode, std::nullopt, businessMessage(s));
      break;
    case RecordOutcome::ConvertedAfterRepair:
      // An address written in full confirms the code the zeros made.
      if (!m.alreadyWritten) row(ReportReason::PostalCodeRepaired, agreed(), repairedMessage(s, place));
      break;
    case RecordOutcome::ConvertedWithFixedCode:
      row(ReportReason::PostalCodeFixed, agreed(), fixedMessage(s, place));
      break;
  }
  if (!m.kanaLeft.empty()) row(ReportReason::PartlyRead, agreed(), partlyReadMessage(s));
  if (!place.startsLine) row(ReportReason::Misaligned, std::nullopt, misalignedMessage(place));
}

}  // namespace zumaro
