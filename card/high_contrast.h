#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// Whether the user has high contrast on. Asked at every paint, so a card repainted after
// the setting changes follows it.
bool HighContrastOn();
// The card's text colour: the system's window text in high contrast, else black.
COLORREF CardTextColour(bool highContrast);
// What stands in for the picture in high contrast, at the card's scale `dpi`: the window
// colour over all the paint may touch and the holiday panel framed in the window text colour
// (the painter writes the panel's heading).
void DrawHighContrastGround(HDC dc, int dpi);
#endif
