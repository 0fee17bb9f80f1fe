#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// Tells the system the program draws itself at each display's scale: per monitor
// (version 2, else the first version), else for the system's scale. Before the first
// window; systems without these calls keep drawing the card at 100 %.
void DeclareDpiAwareness();
// The scale of the display `window` is on, as the system has it for this program.
int WindowDpi(HWND window);
// Lays the card out at `dpi`, or at the largest smaller scale at which it fits the work
// area, with the client area that scale's: at the corner of `suggested` when given, else
// where it is.
void ScaleCard(HWND window, int dpi, const RECT* suggested);
// WM_DPICHANGED: the card moved to a display of another scale, or the scale changed.
void OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam);
// WM_GETDPISCALEDSIZE: the card's outer size at the scale it is about to take.
BOOL OnGetDpiScaledSize(HWND window, WPARAM wParam, LPARAM lParam);
#endif
