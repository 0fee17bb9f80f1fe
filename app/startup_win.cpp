#include "app/startup.h"

#include "app/daily_timer.h"
#include "app/display_scale.h"
#include "app/main_window.h"
#include "card/change_card.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"
#include "shell/card_keys.h"
#include "shell/center_window.h"
#include "shell/tray_icon.h"

void LoadAppStrings(HINSTANCE instance) {
  if (!LoadStringA(instance, IDS_APP_TITLE, appState.windowTitle, TITLE_CAPACITY)) {
    ReportLastError("LoadStringA");
  }
  if (!LoadStringA(instance, IDS_WINDOW_CLASS, appState.windowClassName, TITLE_CAPACITY)) {
    ReportLastError("LoadStringA");
  }
}

bool StartInstance(HINSTANCE instance, int showCommand) {
  // The window's creation handler already loads the button faces from the instance.
  appState.instance = instance;
  // Sized once it exists: the frame it gets, and the display it is on, set the size.
  HWND window =
      CreateWindowExA(0, appState.windowClassName, appState.windowTitle, MAIN_WINDOW_STYLE,
                      CW_USEDEFAULT, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    ReportLastError("CreateWindowExA");
    return false;
  }
  ScaleCard(window, WindowDpi(window), nullptr);
  LoadSettings();
  AddTrayIcon(window, instance);
  ChangeCard(true);
  CenterWindow(window);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  if (!SetTimer(window, DAILY_TIMER_ID, DAILY_TIMER_PERIOD_MS, nullptr))
    ReportLastError("SetTimer");
  return true;
}

namespace {

BOOL CALLBACK KeepCardWindow(HWND window, LPARAM found) {
  char className[TITLE_CAPACITY] = {};
  GetClassNameA(window, className, TITLE_CAPACITY);
  if (lstrcmpiA(className, appState.windowClassName) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// A click gives a button the keyboard focus, and the keys then go to the button, which
// would ignore the shortcut's command. Any other window of the thread keeps its keys.
bool IsForCard(HWND card, HWND target) {
  return card != nullptr && (target == card || IsChild(card, target));
}

}  // namespace

HWND FindCardWindow() {
  HWND card = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), KeepCardWindow, reinterpret_cast<LPARAM>(&card));
  return card;
}

int RunMessageLoop(HWND card, HACCEL accelerators) {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    // The message holds nothing then, and a failed call would only fail again.
    if (got < 0) return MESSAGE_LOOP_FAILED_EXIT_CODE;
    if (IsForCard(card, message.hwnd) && TranslateCardKey(card, message)) continue;
    if (IsForCard(card, message.hwnd) && TranslateAcceleratorA(card, accelerators, &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
