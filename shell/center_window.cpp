#include "shell/center_window.h"

WindowPlacement CenteredPlacement(const Rect& window, const Rect& desktop, int screenWidth,
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
