#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// The About dialog's procedure: OK, Escape and the close box end it with their id.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
#endif
