#include "shell/center_window.h"

BOOL CenterWindow(HWND window) {
  RECT windowRect;
  RECT desktopRect;
  GetWindowRect(window, &windowRect);
  GetWindowRect(GetDesktopWindow(), &desktopRect);
  const WindowPlacement placement =
      CenteredPlacement({windowRect.left, windowRect.top, windowRect.right, windowRect.bottom},
                        {desktopRect.left, desktopRect.top, desktopRect.right, desktopRect.bottom},
                        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  MoveWindow(window, placement.x, placement.y, placement.width, placement.height, FALSE);
  return TRUE;
}

void BringCardBack(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  RECT rect;
  if (GetWindowRect(window, &rect) && MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) == nullptr) {
    CenterWindow(window);
  }
}
