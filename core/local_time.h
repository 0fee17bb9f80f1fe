#pragma once
#include <cstdint>

// A broken-down local wall-clock time, field for field as the system reports it.
struct LocalTime {
  std::uint16_t year;
  std::uint16_t month;
  std::uint16_t dayOfWeek;
  std::uint16_t day;
  std::uint16_t hour;
  std::uint16_t minute;
  std::uint16_t second;
  std::uint16_t millisecond;
};

constexpr std::int64_t TICKS_PER_SECOND = 10000000;
constexpr std::int64_t SECONDS_PER_DAY = 86400;

bool IsValidDate(int year, int month, int day);

// 100-ns intervals since 1601-01-01 00:00, every day 86,400 s, no time zone.
// False for a date the calendar does not have.
bool LocalTimeToTicks(const LocalTime& time, std::int64_t* ticks);

// OLE Automation date: days since 1899-12-30 with the time of day as the fraction,
// to the whole second (milliseconds dropped). False for an invalid date.
bool LocalTimeToOleDate(const LocalTime& time, double* oleDate);

// The same date at 05:00 with the seconds and milliseconds kept: the daily reference.
LocalTime AtFiveOClock(LocalTime time);
