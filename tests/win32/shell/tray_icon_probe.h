#pragma once
// Asks the shell itself whether it holds a window's icon.
#include <windows.h>

#include "shell/tray_icon.h"

// Hands the shell a record naming only `window` and our id.
inline bool AskShell(DWORD message, HWND window) {
  NOTIFYICONDATAA probe{};
  probe.cbSize = sizeof probe;
  probe.hWnd = window;
  probe.uID = TRAY_ICON_ID;
  return Shell_NotifyIconA(message, &probe) != FALSE;
}

// True when the shell holds the icon of `window` with our id: only then can it be modified.
inline bool ShellHasIcon(HWND window) { return AskShell(NIM_MODIFY, window); }

// Removes that icon; true when there was one.
inline bool ShellDeletesIcon(HWND window) { return AskShell(NIM_DELETE, window); }
