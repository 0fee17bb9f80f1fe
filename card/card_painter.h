#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// The whole card for one WM_PAINT: background picture, verse, reference, attribution
// and the coming holidays. The device context stays the caller's.
void PaintCard(HDC dc, HWND window);
// One text in the card's style, wrapped into (left, top)-(336, 500); the font lives
// only for the call.
void DrawTextBlock(HDC dc, const char* text, int height, int weight, int left, int top);
#endif
