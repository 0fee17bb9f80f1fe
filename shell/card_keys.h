#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// The card's keys, taken in the message loop before a button sees them: Tab and Shift+Tab
// move among the buttons left to right, Enter and Space press the focused one, Escape hides
// the card as its close box does, Ctrl+C copies the verse. True when the key was the card's.
bool TranslateCardKey(HWND card, const MSG& message);
// Passage, reference and attribution onto the clipboard.
void CopyCardText(HWND card);
#endif
