#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// The card window's handlers of its commands (menu, buttons, icon menu, system menu) and of
// its lifetime (destruction, the end of the session). Each returns the message result.
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnSystemCommand(HWND window, WPARAM wParam, LPARAM lParam);
void OnDestroy();
void OnEndSession(BOOL ending);
#endif
