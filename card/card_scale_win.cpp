#include "card/card_scale.h"

namespace {

// Kept with the window, so every part of the card (painter, buttons) reads the one scale.
constexpr char CARD_DPI_PROPERTY[] = "QuillaneCardDpi";

}  // namespace

int CardDpi(HWND window) {
  const auto dpi = reinterpret_cast<INT_PTR>(GetPropA(window, CARD_DPI_PROPERTY));
  return dpi > 0 ? static_cast<int>(dpi) : CARD_BASE_DPI;
}

void SetCardDpi(HWND window, int dpi) {
  SetPropA(window, CARD_DPI_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}
