#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <string>

#include "content/holiday_calendar.h"
#include "content/resource_store.h"
#include "core/local_time_win.h"

namespace {

// Days from `from` to `to`, both at midnight, as the system's OLE dates count them.
int SystemDayDifference(const SYSTEMTIME& from, int year, int month, int day) {
  SYSTEMTIME fromDate{};
  fromDate.wYear = from.wYear;
  fromDate.wMonth = from.wMonth;
  fromDate.wDay = from.wDay;
  SYSTEMTIME toDate{};
  toDate.wYear = static_cast<WORD>(year);
  toDate.wMonth = static_cast<WORD>(month);
  toDate.wDay = static_cast<WORD>(day);
  double fromOle = 0, toOle = 0;
  EXPECT_TRUE(SystemTimeToVariantTime(&fromDate, &fromOle));
  EXPECT_TRUE(SystemTimeToVariantTime(&toDate, &toOle));
  return static_cast<int>(toOle - fromOle + 0.5);
}

}  // namespace

// The embedded calendar, read as of now: the next four holidays, in date order, each
// counted in calendar days from today (one less from 23:59:01).
TEST(HolidaysWin, FindNextHolidaysReadsTheEmbeddedCalendarAsOfNow) {
  HolidayList list;
  SYSTEMTIME before{}, after{};
  for (int attempt = 0; attempt < 5; ++attempt) {
    std::memset(&list, 0xBD, sizeof list);
    GetLocalTime(&before);
    FindNextHolidays(&list);
    GetLocalTime(&after);
    if (before.wMinute == after.wMinute) break;
  }
  ASSERT_EQ(4, list.count) << "the shipped calendar runs to 2099";
  const bool lateInTheDay = before.wHour == 23 && before.wMinute == 59 && before.wSecond > 0;
  long previous = 0;
  for (int i = 0; i < list.count; ++i) {
    const HolidayEntry& e = list.entries[i];
    const std::string context = std::string(e.name) + " " + std::to_string(e.month) + "/" +
                                std::to_string(e.day) + "/" + std::to_string(e.year);
    const int days = SystemDayDifference(before, e.year, e.month, e.day);
    EXPECT_EQ(days - (lateInTheDay ? 1 : 0), e.daysUntil) << context;
    EXPECT_GE(days, 0) << context;
    const long date = e.year * 10000L + e.month * 100 + e.day;
    EXPECT_LE(previous, date) << context;
    previous = date;
    EXPECT_NE('\0', e.name[0]) << context;
    EXPECT_EQ(nullptr, std::strchr(e.description, '\r')) << context;
    EXPECT_LT(std::strlen(e.description), sizeof e.description) << context;
  }
  // The same as the reader gives over the resource's bytes at that moment.
  ByteView calendar{};
  ASSERT_TRUE(FindResourceBytes(129, "holidays", &calendar));
  HolidayList direct;
  std::memset(&direct, 0xBD, sizeof direct);
  ReadHolidays(calendar, FromSystemTime(before), &direct);
  ASSERT_EQ(list.count, direct.count);
  for (int i = 0; i < list.count; ++i) {
    EXPECT_EQ(0, std::memcmp(&direct.entries[i], &list.entries[i], sizeof direct.entries[i]))
        << "entry " << i;
  }
}

TEST(HolidaysWin, TheProcessWideListIsFilledInPlace) {
  std::memset(&holidayList, 0xBD, sizeof holidayList);
  FindNextHolidays(&holidayList);
  EXPECT_EQ(4, holidayList.count);
  EXPECT_NE('\xBD', holidayList.entries[3].name[0]);
}
