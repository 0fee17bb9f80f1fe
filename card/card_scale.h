#pragma once
#include "card/card_layout.h"
#include "core/platform_types.h"

// The largest scale up to `dpi` whose client area fits `width` x `height` (the work area
// less the window's frame); never below 100 %, where the card has always been drawn.
constexpr int FittingDpi(int dpi, int width, int height) {
  int fitting = dpi;
  while (fitting > CARD_BASE_DPI && (ScaledForDpi(CARD_CLIENT_WIDTH, fitting) > width ||
                                     ScaledForDpi(CARD_CLIENT_HEIGHT, fitting) > height)) {
    --fitting;
  }
  return fitting < CARD_BASE_DPI ? CARD_BASE_DPI : fitting;
}

#ifdef _WIN32
// The scale the card `window` is laid out at; 96 until SetCardDpi gives another.
int CardDpi(HWND window);
void SetCardDpi(HWND window, int dpi);
#endif
