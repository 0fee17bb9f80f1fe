#include "app/daily_timer.h"

#include "card/change_card.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/local_time_win.h"
#include "core/rollover.h"
#include "shell/card_buttons.h"
#include "shell/center_window.h"
#include "shell/user_state.h"

namespace {

// A daily change came while the user was not to be interrupted: the card shows itself at
// the first tick that finds the user accepting notifications again.
bool cardWaiting = false;

void ShowChangedCard(HWND window) {
  BringCardBack(window);
  ShowWindow(window, SW_SHOW);
  FocusNextVerseButton(window);
}

}  // namespace

void OnDailyTimer(HWND window) {
  if (cardWaiting && UserAcceptsNotifications()) {
    cardWaiting = false;
    ShowChangedCard(window);
  }
  const LocalTime now = CurrentLocalTime();
  std::int64_t nowTicks = 0;
  LocalTimeToTicks(now, &nowTicks);
  if (!IsRolloverDue(nowTicks, ReferenceTime(appState))) return;

  // No tick may arrive while the card changes; the next check is a full period later.
  KillTimer(window, DAILY_TIMER_ID);
  SetReferenceTime(appState, NewReferenceTime(now));
  ChangeCard(true);
  InvalidateRgn(window, nullptr, TRUE);
  if (UserAcceptsNotifications()) {
    ShowChangedCard(window);
  } else if (!IsWindowVisible(window)) {
    cardWaiting = true;
  }
  if (!SetTimer(window, DAILY_TIMER_ID, DAILY_TIMER_PERIOD_MS, nullptr))
    ReportLastError("SetTimer");
}

void StopWaitingToShow() { cardWaiting = false; }
