#include "app/daily_timer.h"

#include "card/change_card.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/local_time_win.h"
#include "core/rollover.h"
#include "shell/card_buttons.h"
#include "shell/center_window.h"

void OnDailyTimer(HWND window) {
  const LocalTime now = CurrentLocalTime();
  std::int64_t nowTicks = 0;
  LocalTimeToTicks(now, &nowTicks);
  if (!IsRolloverDue(nowTicks, ReferenceTime(appState))) return;

  // No tick may arrive while the card changes; the next check is a full period later.
  KillTimer(window, DAILY_TIMER_ID);
  SetReferenceTime(appState, NewReferenceTime(now));
  ChangeCard(true);
  InvalidateRgn(window, nullptr, TRUE);
  BringCardBack(window);
  ShowWindow(window, SW_SHOW);
  FocusNextVerseButton(window);
  if (!SetTimer(window, DAILY_TIMER_ID, DAILY_TIMER_PERIOD_MS, nullptr))
    ReportLastError("SetTimer");
}
