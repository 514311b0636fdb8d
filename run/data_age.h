#pragma once
// How old the data of a folder are. Japan Post renews its files every month,
// so data some two months old already miss codes that are in use.
#include <cstdint>
#include <optional>
#include <string>

namespace zumaro {

// Older than this many days, the data line says how old the data are.
inline constexpr int64_t kStaleDataDays = 62;

// YYYY-MM-DD of today: $ZUMARO_TODAY when it holds such a date (so that a
// run can be repeated on another day with the same messages), else the local
// date. The only place the programs read the clock for the data's age.
std::string todayDate();

// Days from `from` to `to`, both YYYY-MM-DD; nullopt when either is not a
// valid date.
std::optional<int64_t> daysBetween(const std::string& from, const std::string& to);

}  // namespace zumaro
