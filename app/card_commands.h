#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// The main window's commands and the messages that change the card. Each returns the
// message result.
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnSystemCommand(HWND window, WPARAM wParam, LPARAM lParam);
void OnDestroy();
void OnEndSession(BOOL ending);
#endif
