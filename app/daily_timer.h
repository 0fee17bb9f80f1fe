#pragma once
#include "core/platform_types.h"

// The one timer: its id and its one-minute period.
constexpr unsigned DAILY_TIMER_ID = 100;
constexpr unsigned DAILY_TIMER_PERIOD_MS = 60000;

#ifdef _WIN32
// The one-minute timer's tick: once a rollover is due, a new verse and picture, the
// card shown, and the reference moved to 05:00 of today. While the user is not to be
// interrupted the card waits, hidden, and each tick asks again.
void OnDailyTimer(HWND window);
// The user showed the card: a card waiting to show itself has nothing left to show.
void StopWaitingToShow();
#endif
