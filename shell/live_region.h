#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// Marks child `child` of the card's object (the passage) as a polite live region and tells
// screen readers that it changed: readers speak a live region's change even where the
// passage never has the focus (Windows 8 on; older systems ignore the event).
void AnnounceLiveRegion(HWND card, long child);
#endif
