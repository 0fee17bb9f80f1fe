#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// WM_GETOBJECT: the card as a screen reader reads it, through the accessibility library
// loaded at run time (older systems lack it, and the card then answers as any window):
// passage, reference, attribution, the panel's heading and holiday lines as read-only
// text, then the three buttons left to right.
LRESULT OnGetObject(HWND card, WPARAM wParam, LPARAM lParam);
// After a paint: a card that shows another passage tells the screen reader so.
void AnnounceNewPassage(HWND card);
#endif
