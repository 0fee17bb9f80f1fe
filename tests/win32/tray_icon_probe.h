#pragma once
// Asks the shell itself whether it holds a window's icon.
#include <windows.h>

#include "shell/tray_icon.h"

// True when the shell holds the icon of `window` with our id: only then can it be modified.
inline bool ShellHasIcon(HWND window) {
  NOTIFYICONDATAA probe{};
  probe.cbSize = sizeof probe;
  probe.hWnd = window;
  probe.uID = TRAY_ICON_ID;
  return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

// Removes that icon; true when there was one.
inline bool ShellDeletesIcon(HWND window) {
  NOTIFYICONDATAA probe{};
  probe.cbSize = sizeof probe;
  probe.hWnd = window;
  probe.uID = TRAY_ICON_ID;
  return Shell_NotifyIconA(NIM_DELETE, &probe) != FALSE;
}
