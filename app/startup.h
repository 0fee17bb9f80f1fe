#pragma once
#include "core/platform_types.h"

// What the program ends with when the message loop cannot take messages any more; an
// orderly end carries the quit message's 0.
constexpr int MESSAGE_LOOP_FAILED_EXIT_CODE = 1;

#ifdef _WIN32
// Creates the card and everything it needs; false when the window cannot be created.
bool StartInstance(HINSTANCE instance, int showCommand);
// Loads the window title and class name from the string table into AppState.
void LoadAppStrings(HINSTANCE instance);
// This thread's card: the window of the program's class. Another running copy has a card
// of the same class, which is why the search stays within the thread.
HWND FindCardWindow();
// Runs the message loop until the quit message and returns its code. Shortcuts are
// translated for `card` whenever the message is for the card or one of its buttons.
int RunMessageLoop(HWND card, HACCEL accelerators);
#endif
