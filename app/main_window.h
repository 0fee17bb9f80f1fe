#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// A pop-up window with a title bar, system menu and minimise box, fixed in size.
constexpr DWORD MAIN_WINDOW_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void InitWindowClass(HINSTANCE instance);
// The card window's procedure: every message is handed to the operation that owns it.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
#endif
