#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// The whole card for one WM_PAINT, at the window's scale: background picture (or the
// high-contrast ground), verse, reference, attribution and the coming holidays as of now.
// The device context stays the caller's.
void PaintCard(HDC dc, HWND window);
#endif
