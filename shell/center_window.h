#pragma once
#include "core/platform_types.h"

struct Rect {
  int left;
  int top;
  int right;
  int bottom;
};

struct WindowPlacement {
  int x;
  int y;
  int width;
  int height;
};

// Centres a window on the desktop and keeps it on the screen; for a window larger
// than the screen the right (bottom) edge wins and the left (top) edge goes negative.
WindowPlacement CenteredPlacement(const Rect& window, const Rect& desktop, int screenWidth,
                                  int screenHeight);

#ifdef _WIN32
// Moves `window` to CenteredPlacement on the desktop, without repainting. Always TRUE.
BOOL CenterWindow(HWND window);
// Before the card shows itself: a minimised card is restored, and one left where no
// monitor is any more (a laptop undocked) is centred again.
void BringCardBack(HWND window);
#endif
