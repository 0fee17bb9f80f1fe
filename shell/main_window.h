#pragma once
#include "app/platform_types.h"

#ifdef _WIN32
// A pop-up window with a title bar, system menu and minimise box, fixed in size.
constexpr DWORD MAIN_WINDOW_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void InitWindowClass(HINSTANCE instance);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL CenterWindow(HWND window);

// The three picture buttons, created with the window, and their faces.
void CreateCardButtons(HWND window);
void DrawButtonFace(const DRAWITEMSTRUCT& item);
#endif
