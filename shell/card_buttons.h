#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// The three picture buttons, created with the card window, and their faces.
void CreateCardButtons(HWND window);
void DrawButtonFace(const DRAWITEMSTRUCT& item);
#endif
