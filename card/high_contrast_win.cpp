#include "card/high_contrast.h"

#include "card/card_layout.h"
#include "card/card_scale.h"
#include "core/handles.h"

namespace {

void FillWith(HDC dc, const RECT& rect, int colourIndex) {
  const OwnedGdiObject brush(CreateSolidBrush(GetSysColor(colourIndex)));
  FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
}

void FramePanel(HDC dc, int dpi) {
  const RECT panel{ScaledForDpi(PANEL_BOX.left, dpi), ScaledForDpi(PANEL_BOX.top, dpi),
                   ScaledForDpi(PANEL_BOX.right + 1, dpi), ScaledForDpi(PANEL_BOX.bottom + 1, dpi)};
  const int thickness = ScaledForDpi(1, dpi);
  const OwnedGdiObject brush(CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT)));
  for (int i = 0; i < thickness; ++i) {
    RECT edge = panel;
    InflateRect(&edge, -i, -i);
    FrameRect(dc, &edge, static_cast<HBRUSH>(brush.get()));
  }
}

}  // namespace

bool HighContrastOn() {
  HIGHCONTRASTA setting{};
  setting.cbSize = sizeof setting;
  if (!SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0)) return false;
  return (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

COLORREF CardTextColour(bool highContrast) {
  return highContrast ? GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0);
}

void DrawHighContrastGround(HDC dc, int dpi) {
  // All that this paint may touch, not only the picture's place.
  RECT painted{};
  GetClipBox(dc, &painted);
  FillWith(dc, painted, COLOR_WINDOW);
  FramePanel(dc, dpi);
}
