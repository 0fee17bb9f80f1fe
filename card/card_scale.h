#pragma once
#include "card/card_layout.h"
#include "core/platform_types.h"

// The scale the layout table is written at: 100 %.
constexpr int CARD_BASE_DPI = 96;

// A length of the layout table at `dpi`, rounded to the nearest pixel with halves away
// from zero, as MulDiv(value, dpi, 96) rounds.
constexpr int ScaledForDpi(int value, int dpi) {
  const long long product = static_cast<long long>(value) * dpi;
  const long long half = CARD_BASE_DPI / 2;
  return static_cast<int>(product < 0 ? -((-product + half) / CARD_BASE_DPI)
                                      : (product + half) / CARD_BASE_DPI);
}

// A text block at `dpi`: its font height and place scaled, its weight kept.
constexpr TextBlockLayout ScaledBlock(const TextBlockLayout& block, int dpi) {
  return {ScaledForDpi(block.height, dpi), block.weight, ScaledForDpi(block.left, dpi),
          ScaledForDpi(block.top, dpi)};
}

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
