#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/rollover.h"
#include "core/local_time.h"
#include "core/local_time_win.h"

#include "tests/support/local_time_support.h"

namespace {

bool SystemTicks(const LocalTime& t, std::int64_t* ticks) {
  const SYSTEMTIME system = ToSystemTime(t);
  FILETIME stamp{0xBDBDBDBD, 0xBDBDBDBD};
  if (!SystemTimeToFileTime(&system, &stamp)) return false;
  *ticks = static_cast<std::int64_t>((static_cast<std::uint64_t>(stamp.dwHighDateTime) << 32) |
                                     stamp.dwLowDateTime);
  return true;
}

const std::vector<LocalTime>& KnownDates() {
  static const std::vector<LocalTime> dates = {
      At(1601, 1, 1, 0, 0, 0, 0),        At(1601, 1, 1, 0, 0, 0, 1),
      At(1601, 12, 31, 23, 59, 59, 999), At(1700, 2, 28, 12, 0, 0, 0),
      At(1752, 9, 14, 0, 0, 0, 0),       At(1899, 12, 29, 6, 0, 0, 0),
      At(1899, 12, 29, 18, 30, 15, 0),   At(1899, 12, 30, 0, 0, 0, 0),
      At(1899, 12, 30, 12, 0, 0, 0),     At(1899, 12, 31, 0, 0, 0, 0),
      At(1900, 1, 1, 0, 0, 0, 0),        At(1900, 2, 28, 23, 59, 59, 0),
      At(1900, 3, 1, 0, 0, 0, 0),        At(1999, 12, 31, 23, 59, 59, 999),
      At(2000, 2, 29, 12, 34, 56, 789),  At(2000, 3, 1, 0, 0, 0, 0),
      At(2006, 1, 1, 10, 0, 0, 0),       At(2010, 12, 25, 23, 59, 0, 0),
      At(2010, 12, 25, 23, 59, 0, 1),    At(2024, 2, 29, 5, 0, 17, 250),
      At(2099, 12, 31, 23, 59, 59, 0),   At(2099, 12, 31, 23, 59, 59, 999),
      At(2100, 2, 28, 5, 0, 0, 0),       At(9999, 12, 31, 23, 59, 59, 999),
  };
  return dates;
}

std::vector<LocalTime> RandomDates(int count, int lastYear) {
  std::mt19937 random(1601);
  auto uniform = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::vector<LocalTime> dates;
  while (static_cast<int>(dates.size()) < count) {
    const LocalTime t = At(uniform(1601, lastYear), uniform(1, 12), uniform(1, 31), uniform(0, 23),
                           uniform(0, 59), uniform(0, 59), uniform(0, 999));
    if (IsValidDate(t.year, t.month, t.day)) dates.push_back(t);
  }
  return dates;
}

}  // namespace

TEST(LocalTimeConversion, TicksEqualSystemTimeToFileTime) {
  std::vector<LocalTime> dates = KnownDates();
  dates.push_back(At(30827, 12, 31, 23, 59, 59, 999));
  for (const LocalTime& t : RandomDates(5000, 30827)) dates.push_back(t);
  for (const LocalTime& t : dates) {
    std::int64_t expected = 0;
    ASSERT_TRUE(SystemTicks(t, &expected)) << Describe(t);
    std::int64_t ticks = -1;
    ASSERT_TRUE(LocalTimeToTicks(t, &ticks)) << Describe(t);
    EXPECT_EQ(expected, ticks) << Describe(t);
  }
}

// The system's OLE date counts whole seconds for us only once milliseconds are cleared;
// both sides see the same second.
TEST(LocalTimeConversion, OleDateEqualsSystemTimeToVariantTime) {
  std::vector<LocalTime> dates = KnownDates();
  for (const LocalTime& t : RandomDates(5000, 9999)) dates.push_back(t);
  for (const LocalTime& t : dates) {
    SYSTEMTIME whole = ToSystemTime(t);
    whole.wMilliseconds = 0;
    double expected = -12345;
    ASSERT_TRUE(SystemTimeToVariantTime(&whole, &expected)) << Describe(t);
    double oleDate = -54321;
    ASSERT_TRUE(LocalTimeToOleDate(t, &oleDate)) << Describe(t);
    EXPECT_NEAR(expected, oleDate, 1e-9) << Describe(t);
  }
}

TEST(LocalTimeConversion, RejectsWhatTheSystemRejects) {
  const LocalTime invalid[] = {
      At(2024, 4, 31, 0, 0, 0, 0),   At(2023, 2, 30, 0, 0, 0, 0),  At(2024, 13, 1, 0, 0, 0, 0),
      At(2024, 0, 1, 0, 0, 0, 0),    At(2024, 1, 0, 0, 0, 0, 0),   At(2024, 1, 32, 0, 0, 0, 0),
      At(2024, 1, 1, 24, 0, 0, 0),   At(2024, 1, 1, 0, 60, 0, 0),  At(2024, 1, 1, 0, 0, 60, 0),
      At(2024, 1, 1, 0, 0, 0, 1000), At(1600, 12, 31, 0, 0, 0, 0),
  };
  for (const LocalTime& t : invalid) {
    std::int64_t ticks = 0;
    EXPECT_FALSE(SystemTicks(t, &ticks)) << Describe(t);
    EXPECT_FALSE(LocalTimeToTicks(t, &ticks)) << Describe(t);
  }
  // 29 February of a common year: Windows refuses it, Wine 8 accepts it.
  for (const LocalTime& t : {At(2023, 2, 29, 0, 0, 0, 0), At(1900, 2, 29, 0, 0, 0, 0)}) {
    std::int64_t ticks = 0;
    EXPECT_FALSE(LocalTimeToTicks(t, &ticks)) << Describe(t);
  }
}

// The reference a rollover stores is the system's own stamp of 05:00 with the seconds read.
TEST(LocalTimeConversion, NewReferenceTimeIsTheSystemStampOfFiveOClock) {
  for (const LocalTime& t : KnownDates()) {
    LocalTime five = t;
    five.hour = 5;
    five.minute = 0;
    std::int64_t expected = 0;
    ASSERT_TRUE(SystemTicks(five, &expected)) << Describe(t);
    EXPECT_EQ(expected, NewReferenceTime(t)) << Describe(t);
  }
}
