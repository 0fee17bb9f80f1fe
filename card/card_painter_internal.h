#pragma once
// The steps of PaintCard, each drawn alone by the painter's tests and benchmarks.
#include "core/platform_types.h"

#ifdef _WIN32
struct HolidayList;

// The loaded background picture, if any, at its natural size at the origin.
void DrawBackgroundPicture(HDC dc, HWND window);
// The verse, reference and attribution blocks.
void DrawVerse(HDC dc);
// Refills the process-wide holiday list as of now and draws it.
void DrawHolidayLines(HDC dc);
// One line per entry of `list`, at most four.
void DrawHolidayList(HDC dc, const HolidayList& list);
#endif
