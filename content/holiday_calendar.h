#pragma once
#include <cstdint>

#include "content/byte_view.h"
#include "core/local_time.h"

constexpr int HOLIDAY_SLOTS = 4;
constexpr int HOLIDAY_TEXT_CAPACITY = 255;

struct HolidayEntry {
  std::int32_t month;
  std::int32_t day;
  std::int32_t year;
  // Whole days from the moment of reading until 23:59:00 on the holiday's date.
  std::int32_t daysUntil;
  char name[HOLIDAY_TEXT_CAPACITY];
  char description[HOLIDAY_TEXT_CAPACITY];
};

// Only the first `count` entries hold meaning.
struct HolidayList {
  HolidayEntry entries[HOLIDAY_SLOTS];
  std::int32_t count;
};

extern HolidayList holidayList;

// Fills `list` with the first holidays of `calendar` that are not over at `now`
// (a holiday lasts until 23:59:00.000 on its date). The calendar ends at its size or
// at its first NUL, whichever comes first.
void ReadHolidays(ByteView calendar, const LocalTime& now, HolidayList* list);

#ifdef _WIN32
// ReadHolidays over the embedded calendar as of the local time now; count 0 when the
// program carries no calendar.
void FindNextHolidays(HolidayList* list);
#endif
