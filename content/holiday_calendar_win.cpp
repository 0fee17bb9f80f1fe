#include "content/holiday_calendar.h"
#include "content/resource_store.h"
#include "core/failure_report.h"
#include "core/local_time_win.h"
#include "resources/resource_ids.h"

void FindNextHolidays(HolidayList* list) {
  const LocalTime now = CurrentLocalTime();
  ByteView calendar{};
  if (!FindResourceBytes(IDR_HOLIDAYS, "holidays", &calendar)) {
    ReportLastError("FindResourceA");
    list->count = 0;
    return;
  }
  ReadHolidays(calendar, now, list);
}
