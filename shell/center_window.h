#pragma once
#include "core/platform_types.h"
#include "core/rect.h"

struct WindowPlacement {
  int x;
  int y;
  int width;
  int height;
};

// Centres a window on the desktop and keeps it on the screen; for a window larger
// than the screen the right (bottom) edge wins and the left (top) edge goes negative.
inline WindowPlacement CenteredPlacement(const Rect& window, const Rect& desktop, int screenWidth,
                                         int screenHeight) {
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  int x = desktop.left + (desktop.right - desktop.left - width) / 2;
  int y = desktop.top + (desktop.bottom - desktop.top - height) / 2;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  if (x + width > screenWidth) x = screenWidth - width;
  if (y + height > screenHeight) y = screenHeight - height;
  return {x, y, width, height};
}

// `placement` moved, not resized, into the work area `work`: a task bar covers no part of
// it. Where it is larger, its top left edges win, so the caption stays within reach.
inline WindowPlacement InsideWorkArea(WindowPlacement placement, const Rect& work) {
  if (placement.x + placement.width > work.right) placement.x = work.right - placement.width;
  if (placement.y + placement.height > work.bottom) placement.y = work.bottom - placement.height;
  if (placement.x < work.left) placement.x = work.left;
  if (placement.y < work.top) placement.y = work.top;
  return placement;
}

#ifdef _WIN32
// Moves `window` to CenteredPlacement on the desktop, then InsideWorkArea of the monitor it
// is on, without repainting. Always TRUE.
BOOL CenterWindow(HWND window);
// Before the card shows itself: a minimised card is restored, and one left where no
// monitor is any more (a laptop undocked) is centred again.
void BringCardBack(HWND window);
#endif
