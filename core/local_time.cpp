#include "core/local_time.h"

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days from 1601-01-01 to the given date (proleptic Gregorian).
std::int64_t DaysSince1601(int year, int month, int day) {
  const std::int64_t y = year - 1601;
  std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + day - 1;
}

bool IsValidClock(const LocalTime& t) {
  return t.hour < 24 && t.minute < 60 && t.second < 60 && t.millisecond < 1000;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
  // The system's own conversions accept 1601 through 30827.
  return year >= 1601 && year <= 30827 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

bool LocalTimeToTicks(const LocalTime& t, std::int64_t* ticks) {
  if (!IsValidDate(t.year, t.month, t.day) || !IsValidClock(t)) return false;
  const std::int64_t seconds = DaysSince1601(t.year, t.month, t.day) * SECONDS_PER_DAY +
                               std::int64_t{t.hour} * 3600 + std::int64_t{t.minute} * 60 + t.second;
  *ticks = seconds * TICKS_PER_SECOND + static_cast<std::int64_t>(t.millisecond) * 10000;
  return true;
}

bool LocalTimeToOleDate(const LocalTime& t, double* oleDate) {
  if (!IsValidDate(t.year, t.month, t.day) || !IsValidClock(t)) return false;
  // 1899-12-30 is day 109205 after 1601-01-01.
  constexpr std::int64_t OLE_EPOCH_DAYS = 109205;
  const std::int64_t days = DaysSince1601(t.year, t.month, t.day) - OLE_EPOCH_DAYS;
  const double fraction = (t.hour * 3600 + t.minute * 60 + t.second) / 86400.0;
  // Before the epoch the fraction counts away from zero, as OLE dates do.
  *oleDate =
      days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
  return true;
}

LocalTime AtFiveOClock(LocalTime time) {
  time.hour = 5;
  time.minute = 0;
  return time;
}
