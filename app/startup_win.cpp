#include "app/startup.h"

#include "core/failure_report.h"
#include "core/app_state.h"
#include "card/choose_verse.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"
#include "shell/commands.h"
#include "app/main_window.h"
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
  HWND window = CreateWindowExA(0, appState.windowClassName, appState.windowTitle,
                                MAIN_WINDOW_STYLE, CW_USEDEFAULT, 0, CARD_WINDOW_WIDTH,
                                CARD_WINDOW_HEIGHT, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    ReportLastError("CreateWindowExA");
    return false;
  }
  LoadSettings();
  AddTrayIcon(window, instance);
  appState.newPictureRequested = 1;
  ChooseVerse();
  CenterWindow(window);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  if (!SetTimer(window, DAILY_TIMER_ID, DAILY_TIMER_PERIOD_MS, nullptr))
    ReportLastError("SetTimer");
  return true;
}

int RunMessageLoop(HACCEL accelerators) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // The message's own window, so that shortcuts also work while a button has focus.
    if (!TranslateAcceleratorA(message.hwnd, accelerators, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return static_cast<int>(message.wParam);
}
