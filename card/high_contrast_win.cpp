#include "card/high_contrast.h"

#include "card/card_layout.h"
#include "card/card_reading.h"
#include "card/card_scale.h"
#include "core/failure_report.h"
#include "core/handles.h"

namespace {

// The heading the pictures carry printed, written instead: bold and underlined, its
// baseline on the printed one's.
constexpr int HEADING_FONT_HEIGHT = 17;
constexpr int HEADING_TOP = HEADING_INK.top - 3;

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

void WriteHeading(HDC dc, int dpi) {
  const OwnedFont font(CreateFontA(ScaledForDpi(HEADING_FONT_HEIGHT, dpi), 0, 0, 0,
                                   FONT_WEIGHT_BOLD, FALSE, TRUE, FALSE, ANSI_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   FF_SWISS | DEFAULT_PITCH, "Arial"));
  if (!font) ReportLastError("CreateFontA");
  const SelectedObject previous(SelectObject(dc, font.get()), SelectBack{dc});
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT rect{ScaledForDpi(HEADING_INK.left, dpi), ScaledForDpi(HEADING_TOP, dpi),
            ScaledForDpi(CARD_TEXT_RIGHT, dpi), ScaledForDpi(CARD_TEXT_BOTTOM, dpi)};
  DrawTextA(dc, PANEL_HEADING, -1, &rect, DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

bool HighContrastOn() {
  HIGHCONTRASTA setting{};
  setting.cbSize = sizeof setting;
  if (!SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0)) return false;
  return (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

COLORREF CardTextColour() {
  return HighContrastOn() ? GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0);
}

bool DrawHighContrastGround(HDC dc, int dpi) {
  if (!HighContrastOn()) return false;
  // All that this paint may touch, not only the picture's place.
  RECT painted{};
  GetClipBox(dc, &painted);
  FillWith(dc, painted, COLOR_WINDOW);
  FramePanel(dc, dpi);
  WriteHeading(dc, dpi);
  return true;
}
