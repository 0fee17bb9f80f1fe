#pragma once
#include "card/card_scale.h"
#include "core/platform_types.h"

#ifdef _WIN32
// The whole card for one WM_PAINT: background picture, verse, reference, attribution
// and the coming holidays. The device context stays the caller's.
void PaintCard(HDC dc, HWND window);
// One text in the card's style at 100 %, wrapped into (left, top)-(336, 500); the font
// lives only for the call.
void DrawTextBlock(HDC dc, const char* text, int height, int weight, int left, int top);

// The steps of PaintCard, each drawn alone by the painter's tests and benchmarks, each at
// the card's scale `dpi` (CardDpi of the window for PaintCard), given like that every time.
struct HolidayList;
// The loaded background picture, if any, at its natural size scaled, at the origin; the
// window gives the bounds.
void DrawBackgroundPicture(HDC dc, HWND window, int dpi);
// The verse, reference and attribution blocks.
void DrawVerse(HDC dc, int dpi);
// Refills the process-wide holiday list as of now and draws it.
void DrawHolidayLines(HDC dc, int dpi);
// One line per entry of `list`, at most four.
void DrawHolidayList(HDC dc, const HolidayList& list, int dpi);
#endif
