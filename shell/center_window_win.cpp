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
  RECT placed{placement.x, placement.y, placement.x + placement.width,
              placement.y + placement.height};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  WindowPlacement inside = placement;
  if (GetMonitorInfoA(MonitorFromRect(&placed, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    inside = InsideWorkArea(placement, {work.left, work.top, work.right, work.bottom});
  }
  MoveWindow(window, inside.x, inside.y, inside.width, inside.height, FALSE);
  return TRUE;
}

void BringCardBack(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  RECT rect;
  if (GetWindowRect(window, &rect) && MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) == nullptr) {
    CenterWindow(window);
  }
}
