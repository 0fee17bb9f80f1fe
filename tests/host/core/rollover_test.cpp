#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "core/rollover.h"
#include "core/local_time.h"

#include "tests/support/local_time_support.h"

namespace {

constexpr std::int64_t TICKS_PER_MINUTE = 60 * TICKS_PER_SECOND;

std::int64_t Ticks(const LocalTime& t) {
  std::int64_t ticks = 0;
  EXPECT_TRUE(LocalTimeToTicks(t, &ticks));
  return ticks;
}

// Broken-down time of a tick count, counted independently of the code under test.
LocalTime FromTicks(std::int64_t ticks) {
  std::int64_t days = ticks / (SECONDS_PER_DAY * TICKS_PER_SECOND);
  std::int64_t rest = ticks % (SECONDS_PER_DAY * TICKS_PER_SECOND);
  int year = 1601;
  auto yearLength = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0 ? 366 : 365; };
  while (days >= yearLength(year)) days -= yearLength(year++);
  int month = 1;
  const int lengths[] = {31, yearLength(year) == 366 ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30,
                         31};
  while (days >= lengths[month - 1]) days -= lengths[month++ - 1];
  const auto ms = static_cast<int>(rest / 10000);
  return At(year, month, static_cast<int>(days) + 1, ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
            ms % 1000);
}

// Runs the daily check at every given tick and returns the moments that rolled over;
// `reference` ends as the last rollover left it.
std::vector<std::int64_t> RunTicks(const std::vector<std::int64_t>& ticks,
                                   std::int64_t* reference) {
  std::vector<std::int64_t> rollovers;
  for (std::int64_t now : ticks) {
    if (!IsRolloverDue(now, *reference)) continue;
    rollovers.push_back(now);
    *reference = NewReferenceTime(FromTicks(now));
  }
  return rollovers;
}

// One tick a minute from `start` for `minutes` minutes.
std::vector<std::int64_t> EveryMinute(const LocalTime& start, int minutes) {
  std::vector<std::int64_t> ticks;
  for (int i = 0; i < minutes; ++i) ticks.push_back(Ticks(start) + i * TICKS_PER_MINUTE);
  return ticks;
}

}  // namespace

TEST(Rollover, TestHelperCountsDaysLikeTheConversion) {
  for (const LocalTime& t :
       {At(1601, 1, 1, 0, 0), At(1900, 2, 28, 23, 59, 59, 999), At(2000, 2, 29, 5, 0, 17, 250),
        At(2010, 12, 31, 12, 0), At(2400, 12, 31, 23, 59, 59)}) {
    const LocalTime back = FromTicks(Ticks(t));
    EXPECT_EQ(Ticks(t), Ticks(back)) << t.year << "-" << t.month << "-" << t.day;
  }
}

// Whole seconds on both sides, truncated toward zero: milliseconds never decide.
TEST(Rollover, IsDueFromTheWholeSecondADayAfterTheReference) {
  const std::int64_t reference = Ticks(At(2024, 3, 10, 5, 0, 17, 250));
  struct Row {
    LocalTime now;
    bool due;
  } rows[] = {
      {At(2024, 3, 11, 4, 59, 17, 250), false}, {At(2024, 3, 11, 5, 0, 16, 999), false},
      {At(2024, 3, 11, 5, 0, 17, 0), true},  // 250 ms early, but the same second
      {At(2024, 3, 11, 5, 0, 17, 250), true},   {At(2024, 3, 11, 5, 1, 0), true},
      {At(2024, 3, 10, 5, 0, 17, 250), false},  {At(2024, 3, 10, 23, 59, 59, 999), false},
      {At(2024, 3, 13, 14, 0), true},          // days off
      {At(2024, 3, 9, 5, 0, 17, 250), false},  // clock set back a day
      {At(2024, 3, 9, 5, 0, 16, 999), true},   // a second more: the reference is ahead
      {At(2023, 3, 10, 5, 0, 17, 250), true},  // stored while the clock ran a year ahead
  };
  for (const Row& row : rows) {
    EXPECT_EQ(row.due, IsRolloverDue(Ticks(row.now), reference))
        << row.now.day << " " << row.now.hour << ":" << row.now.minute << ":" << row.now.second
        << "." << row.now.millisecond;
  }
}

TEST(Rollover, NewReferenceIsFiveOClockOfThatDayWithTheSecondsRead) {
  struct Row {
    LocalTime now;
    LocalTime expected;
  } rows[] = {
      {At(2024, 3, 11, 5, 0, 17, 250), At(2024, 3, 11, 5, 0, 17, 250)},
      {At(2024, 3, 11, 2, 0, 3, 1), At(2024, 3, 11, 5, 0, 3, 1)},
      {At(2024, 3, 11, 23, 59, 59, 999), At(2024, 3, 11, 5, 0, 59, 999)},
      {At(2024, 2, 29, 0, 0), At(2024, 2, 29, 5, 0)},
      {At(2023, 12, 31, 12, 34, 56, 789), At(2023, 12, 31, 5, 0, 56, 789)},
      {At(1601, 1, 1, 0, 0), At(1601, 1, 1, 5, 0)},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Ticks(row.expected), NewReferenceTime(row.now))
        << row.now.year << "-" << row.now.month << "-" << row.now.day << " " << row.now.hour << ":"
        << row.now.minute;
  }
  EXPECT_EQ(0, NewReferenceTime(At(2023, 2, 29, 10, 0)));
  EXPECT_EQ(0, NewReferenceTime(At(0, 1, 1, 10, 0)));
}

TEST(Rollover, ATickAt0459OnTheNextDayWaitsForTheStoredSeconds) {
  std::int64_t reference = 0;
  // A rollover at 05:00:17 on 10 March, then ticks every minute at :17.5 from 04:50.
  RunTicks({Ticks(At(2024, 3, 10, 5, 0, 17, 500))}, &reference);
  ASSERT_EQ(Ticks(At(2024, 3, 10, 5, 0, 17, 500)), reference);
  auto late = RunTicks(EveryMinute(At(2024, 3, 11, 4, 50, 16, 900), 20), &reference);
  ASSERT_EQ(1u, late.size());
  EXPECT_EQ(Ticks(At(2024, 3, 11, 5, 0, 16, 900)) + TICKS_PER_MINUTE, late[0]);
}

TEST(Rollover, OnceADayAtFiveAfterDaysOffAnEarlyAndALateRollover) {
  struct Row {
    const char* what;
    LocalTime firstTick;
    LocalTime referenceBefore;
    std::vector<LocalTime> expected;
  } rows[] = {
      {"days off: the first tick rolls over, then every morning at 05:00:xx",
       At(2024, 5, 6, 14, 0, 30),
       At(2024, 5, 1, 5, 0, 30),
       {At(2024, 5, 6, 14, 0, 30), At(2024, 5, 7, 5, 0, 30), At(2024, 5, 8, 5, 0, 30)}},
      {"at 02:00: no second change at 05:00 of that morning",
       At(2024, 5, 6, 2, 0, 10),
       At(2024, 5, 4, 5, 0, 10),
       {At(2024, 5, 6, 2, 0, 10), At(2024, 5, 7, 5, 0, 10), At(2024, 5, 8, 5, 0, 10)}},
      {"at 23:59: the next change about five hours later",
       At(2024, 5, 6, 23, 59, 45),
       At(2024, 5, 5, 5, 0, 44),
       {At(2024, 5, 6, 23, 59, 45), At(2024, 5, 7, 5, 0, 45), At(2024, 5, 8, 5, 0, 45)}},
      {"across 29 February and the turn of the year",
       At(2023, 12, 30, 5, 0, 0),
       At(2023, 12, 29, 5, 0, 0),
       {At(2023, 12, 30, 5, 0), At(2023, 12, 31, 5, 0), At(2024, 1, 1, 5, 0)}},
      {"across 29 February",
       At(2024, 2, 28, 4, 0, 5),
       At(2024, 2, 27, 5, 0, 5),
       {At(2024, 2, 28, 5, 0, 5), At(2024, 2, 29, 5, 0, 5), At(2024, 3, 1, 5, 0, 5)}},
      {"a zero reference rolls over at once",
       At(2024, 5, 6, 12, 0),
       At(1601, 1, 1, 0, 0),
       {At(2024, 5, 6, 12, 0), At(2024, 5, 7, 5, 0), At(2024, 5, 8, 5, 0)}},
  };
  for (Row& row : rows) {
    std::int64_t reference = Ticks(row.referenceBefore);
    const std::int64_t minutes =
        (Ticks(row.expected.back()) - Ticks(row.firstTick)) / TICKS_PER_MINUTE + 12 * 60;
    const auto rollovers =
        RunTicks(EveryMinute(row.firstTick, static_cast<int>(minutes)), &reference);
    std::vector<std::int64_t> expected;
    for (const LocalTime& t : row.expected) expected.push_back(Ticks(t));
    EXPECT_EQ(expected, rollovers) << row.what;
  }
}

TEST(Rollover, ClockSetBackWaitsUntilADayAfterTheReferenceAgain) {
  std::int64_t reference = Ticks(At(2024, 5, 10, 5, 0, 17));
  // Back to 9 May, then forward minute by minute: nothing until 11 May 05:00:17.
  const auto rollovers = RunTicks(EveryMinute(At(2024, 5, 9, 9, 0, 20), 2 * 24 * 60), &reference);
  ASSERT_EQ(1u, rollovers.size());
  EXPECT_EQ(Ticks(At(2024, 5, 11, 5, 0, 20)), rollovers[0]);
}

// Wall-clock minutes that jump an hour forward or repeat one still change the card
// once, at the first tick from 05:00 plus the stored seconds.
TEST(Rollover, DaylightSavingJumpsDoNotMoveTheBoundary) {
  for (int shift : {-60, 60}) {
    std::int64_t reference = Ticks(At(2024, 3, 30, 5, 0, 0));
    std::vector<std::int64_t> ticks;
    std::int64_t now = Ticks(At(2024, 3, 30, 22, 0, 5));
    const std::int64_t jumpAt = Ticks(At(2024, 3, 31, 2, 0, 5));
    bool jumped = false;
    for (int i = 0; i < 12 * 60; ++i, now += TICKS_PER_MINUTE) {
      if (now == jumpAt && !jumped) {
        now += shift * TICKS_PER_MINUTE;
        jumped = true;
      }
      ticks.push_back(now);
    }
    const auto rollovers = RunTicks(ticks, &reference);
    ASSERT_EQ(1u, rollovers.size()) << shift;
    EXPECT_EQ(Ticks(At(2024, 3, 31, 5, 0, 5)), rollovers[0]) << shift;
  }
}

// A hand-edited registry can hold any 64-bit value; seconds truncate toward zero.
TEST(Rollover, NegativeAndExtremeReferencesCompareWithoutOverflow) {
  constexpr std::int64_t MAX = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t MIN = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t DAY = SECONDS_PER_DAY * TICKS_PER_SECOND;
  struct Row {
    std::int64_t now;
    std::int64_t reference;
    bool due;
  } rows[] = {
      {DAY - 1, -1, false},  // -1 tick is second 0, not second -1
      {DAY, -1, true},
      {-1, -DAY, true},
      {-1, -DAY + 1, false},  // second -86399
      {-DAY, -2 * DAY, true},
      {-DAY, -2 * DAY + TICKS_PER_SECOND, false},
      {0, -DAY, true},
      {Ticks(At(2024, 1, 1, 0, 0)), -1, true},
      {Ticks(At(2024, 1, 1, 0, 0)), MIN, true},
      {Ticks(At(2024, 1, 1, 0, 0)), MAX, true},
      {-DAY, 0, false},
      {-DAY - TICKS_PER_SECOND, 0, true},
      {MAX, MIN, true},
      {MIN, MAX, true},
      {MAX, MAX, false},
      {MIN, MIN, false},
      {MAX, MAX - DAY, true},
      {MIN + DAY, MIN, true},
      {MIN + DAY - TICKS_PER_SECOND, MIN, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(row.due, IsRolloverDue(row.now, row.reference))
        << "now " << row.now << " reference " << row.reference;
  }
}
