#include "run/data_age.h"

#include <chrono>
#include <cstdlib>
#include <ctime>

namespace zumaro {
namespace {

std::optional<std::chrono::sys_days> parseDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  }
  const std::chrono::year_month_day date{
      std::chrono::year(std::atoi(text.substr(0, 4).c_str())),
      std::chrono::month(static_cast<unsigned>(std::atoi(text.substr(5, 2).c_str()))),
      std::chrono::day(static_cast<unsigned>(std::atoi(text.substr(8, 2).c_str())))};
  if (!date.ok()) return std::nullopt;
  return std::chrono::sys_days(date);
}

}  // namespace

std::string todayDate() {
  if (const char* fixed = std::getenv("ZUMARO_TODAY"); fixed && parseDate(fixed)) return fixed;
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  char text[16] = "";
  if (localtime_r(&now, &parts)) std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
  return text;
}

std::optional<int64_t> daysBetween(const std::string& from, const std::string& to) {
  const std::optional<std::chrono::sys_days> a = parseDate(from);
  const std::optional<std::chrono::sys_days> b = parseDate(to);
  if (!a || !b) return std::nullopt;
  return static_cast<int64_t>((*b - *a).count());
}

}  // namespace zumaro
