#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "app/daily_timer.h"
#include "core/app_state.h"
#include "core/handles.h"
#include "core/local_time_win.h"

namespace {

constexpr std::int64_t TICKS_PER_DAY = SECONDS_PER_DAY * TICKS_PER_SECOND;

int erasures = 0;

LRESULT CALLBACK CountingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) ++erasures;
  return DefWindowProcA(window, message, wParam, lParam);
}

std::int64_t Stamp(const SYSTEMTIME& time) {
  FILETIME stamp{};
  EXPECT_TRUE(SystemTimeToFileTime(&time, &stamp));
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(stamp.dwHighDateTime) << 32) |
                                   stamp.dwLowDateTime);
}

std::int64_t Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return Stamp(now);
}

SYSTEMTIME FiveOClock(SYSTEMTIME time) {
  time.wHour = 5;
  time.wMinute = 0;
  return time;
}

// A hidden top-level window of its own class, with the program state saved around it.
class DailyTimer : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = std::make_unique<AppState>(appState);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CountingWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "QuillaneDailyTimerTest";
    RegisterClassA(&windowClass);
    window.reset(CreateWindowExA(0, windowClass.lpszClassName, "daily timer", WS_OVERLAPPEDWINDOW,
                                 10, 10, 200, 200, nullptr, nullptr, windowClass.hInstance,
                                 nullptr));
    ASSERT_NE(nullptr, window.get());
    appState.newPictureRequested = 0;
    std::strcpy(appState.verseText, "unchanged verse");
    std::strcpy(appState.verseReference, "unchanged reference");
    erasures = 0;
  }
  void TearDown() override {
    window.reset();
    appState = *saved;
  }
  bool TimerRunning() { return KillTimer(window.get(), DAILY_TIMER_ID) != FALSE; }

  std::unique_ptr<AppState> saved;
  OwnedWindow window;
};

}  // namespace

// The card comes back whole: a minimised one restored, one left where no monitor is
// (at 6000,6000 on this desktop) centred again.
TEST_F(DailyTimer, ADayOrMoreSinceTheReferenceChangesAndShowsTheCard) {
  enum Start { HIDDEN, MINIMISED, OFF_SCREEN };
  const struct Row {
    std::int64_t back;
    Start start;
  } rows[] = {{2 * TICKS_PER_DAY, HIDDEN},
              {TICKS_PER_DAY + TICKS_PER_SECOND, MINIMISED},
              {Now(), OFF_SCREEN},
              {-1, HIDDEN},
              {-365 * TICKS_PER_DAY, HIDDEN}};  // stored while the clock ran a year ahead
  for (const Row& row : rows) {
    const std::int64_t back = row.back;
    // A zero reference (never stored) stands in the row with -1.
    const bool zero = back == -1;
    // Read the clock on both sides of the tick; retry when a minute turned in between.
    SYSTEMTIME before{}, after{};
    for (int attempt = 0; attempt < 5; ++attempt) {
      ShowWindow(window.get(), row.start == MINIMISED ? SW_SHOWMINNOACTIVE : SW_HIDE);
      SetWindowPos(window.get(), nullptr, row.start == OFF_SCREEN ? 6000 : 10, 10, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      appState.newPictureRequested = 0;
      appState.verseText[0] = '\0';
      GetLocalTime(&before);
      SetReferenceTime(appState, zero ? 0 : Stamp(before) - back);
      OnDailyTimer(window.get());
      GetLocalTime(&after);
      if (before.wMinute == after.wMinute && before.wDay == after.wDay) break;
    }
    const std::int64_t reference = ReferenceTime(appState);
    EXPECT_LE(Stamp(FiveOClock(before)), reference) << back;
    EXPECT_GE(Stamp(FiveOClock(after)), reference) << back;
    EXPECT_NE(FALSE, IsWindowVisible(window.get())) << back;
    EXPECT_FALSE(IsIconic(window.get())) << back;
    EXPECT_NE(nullptr, MonitorFromWindow(window.get(), MONITOR_DEFAULTTONULL)) << back;
    EXPECT_EQ(1, appState.newPictureRequested) << back;
    EXPECT_NE('\0', appState.verseText[0]) << "a verse was chosen, " << back;
    EXPECT_TRUE(TimerRunning()) << back;
  }
}

TEST_F(DailyTimer, LessThanADayChangesNothing) {
  const std::int64_t referencesBack[] = {0, TICKS_PER_DAY - 30 * TICKS_PER_SECOND, -TICKS_PER_DAY};
  for (std::int64_t back : referencesBack) {
    ShowWindow(window.get(), SW_HIDE);
    SetTimer(window.get(), DAILY_TIMER_ID, DAILY_TIMER_PERIOD_MS, nullptr);
    const std::int64_t reference = Now() - back;
    SetReferenceTime(appState, reference);
    OnDailyTimer(window.get());
    EXPECT_EQ(reference, ReferenceTime(appState)) << back;
    EXPECT_EQ(FALSE, IsWindowVisible(window.get())) << back;
    EXPECT_EQ(0, appState.newPictureRequested) << back;
    EXPECT_STREQ("unchanged verse", appState.verseText) << back;
    EXPECT_STREQ("unchanged reference", appState.verseReference) << back;
    EXPECT_TRUE(TimerRunning()) << "the timer keeps running, " << back;
  }
}

// A card already on screen is repainted in place, background erased.
TEST_F(DailyTimer, AVisibleCardIsRepaintedWithItsBackgroundErased) {
  ShowWindow(window.get(), SW_SHOW);
  UpdateWindow(window.get());
  ValidateRect(window.get(), nullptr);
  erasures = 0;
  SetReferenceTime(appState, Now() - 3 * TICKS_PER_DAY);
  OnDailyTimer(window.get());
  RECT update{};
  EXPECT_NE(FALSE, GetUpdateRect(window.get(), &update, FALSE));
  RECT client{};
  GetClientRect(window.get(), &client);
  EXPECT_EQ(client.right, update.right);
  EXPECT_EQ(client.bottom, update.bottom);
  UpdateWindow(window.get());
  EXPECT_EQ(1, erasures);
  EXPECT_NE(FALSE, IsWindowVisible(window.get()));
}

// The stored reference is today's date at 05:00, however late the rollover ran.
TEST_F(DailyTimer, TheNewReferenceIsTodayAtFive) {
  SetReferenceTime(appState, 0);
  OnDailyTimer(window.get());
  const std::int64_t reference = ReferenceTime(appState);
  FILETIME stamp{static_cast<DWORD>(reference & 0xFFFFFFFF), static_cast<DWORD>(reference >> 32)};
  SYSTEMTIME stored{};
  ASSERT_TRUE(FileTimeToSystemTime(&stamp, &stored));
  SYSTEMTIME today;
  GetLocalTime(&today);
  EXPECT_EQ(5, stored.wHour);
  EXPECT_EQ(0, stored.wMinute);
  if (today.wHour != 0 || today.wMinute != 0) {  // no midnight in between
    EXPECT_EQ(today.wYear, stored.wYear);
    EXPECT_EQ(today.wMonth, stored.wMonth);
    EXPECT_EQ(today.wDay, stored.wDay);
  }
}
