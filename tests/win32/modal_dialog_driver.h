#pragma once
// Drives a modal dialog from inside its own message loop: a thread timer finds the
// dialog once it is up and hands it to the test's action.
#include <windows.h>

#include <functional>
#include <utility>

// The result a dialog ends with when the action left it open: the test fails, not hangs.
constexpr INT_PTR DIALOG_LEFT_OPEN = -2;

struct ModalDriver {
  std::function<void(HWND)> act;
  bool acted = false;
  int ticksSinceAct = 0;
};

inline ModalDriver& CurrentModalDriver() {
  static ModalDriver driver;
  return driver;
}

inline BOOL CALLBACK FindThreadDialog(HWND window, LPARAM found) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

inline void CALLBACK DriveModalDialog(HWND, UINT, UINT_PTR, DWORD) {
  ModalDriver& driver = CurrentModalDriver();
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindThreadDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  if (!driver.acted) {
    driver.acted = true;
    driver.act(dialog);
  } else if (++driver.ticksSinceAct > 60) {
    EndDialog(dialog, DIALOG_LEFT_OPEN);
  }
}

// Opens template `templateId` of this module modally with `procedure`, runs `act` on it
// and returns the dialog's result.
inline INT_PTR RunModalDialog(int templateId, DLGPROC procedure, std::function<void(HWND)> act,
                              HWND owner = nullptr) {
  CurrentModalDriver() = ModalDriver{std::move(act)};
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveModalDialog);
  const INT_PTR result =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, procedure, 0);
  KillTimer(nullptr, timer);
  MSG stale;
  while (PeekMessageA(&stale, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
  }
  return result;
}

// A key press as the user makes it: to the control with the focus, else to the dialog.
inline void PressKey(HWND dialog, WPARAM key) {
  HWND target = GetFocus();
  if (!target || (target != dialog && !IsChild(dialog, target))) target = dialog;
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}
