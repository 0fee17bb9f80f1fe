#include "app/daily_timer.h"

#include "app/rollover.h"
#include "card/choose_verse.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/local_time_win.h"
#include "shell/card_buttons.h"
#include "shell/commands.h"

namespace {

// The local wall-clock reading as a 100-ns count, without any time-zone adjustment.
std::int64_t LocalStamp(const SYSTEMTIME& time) {
  FILETIME stamp{};
  SystemTimeToFileTime(&time, &stamp);
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(stamp.dwHighDateTime) << 32) |
                                   stamp.dwLowDateTime);
}

}  // namespace

void OnDailyTimer(HWND window) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (!IsRolloverDue(LocalStamp(now), ReferenceTime(appState))) return;

  // No tick may arrive while the card changes; the next check is a full period later.
  KillTimer(window, DAILY_TIMER_ID);
  SetReferenceTime(appState, NewReferenceTime(FromSystemTime(now)));
  appState.newPictureRequested = 1;
  ChooseVerse();
  InvalidateRgn(window, nullptr, TRUE);
  ShowWindow(window, SW_SHOW);
  FocusNextVerseButton(window);
  if (!SetTimer(window, DAILY_TIMER_ID, DAILY_TIMER_PERIOD_MS, nullptr))
    ReportLastError("SetTimer");
}
