#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// Creates the card and everything it needs; false when the window cannot be created.
bool StartInstance(HINSTANCE instance, int showCommand);
// Loads the window title and class name from the string table into AppState.
void LoadAppStrings(HINSTANCE instance);
// Runs the message loop until the quit message and returns its code.
int RunMessageLoop(HACCEL accelerators);
#endif
