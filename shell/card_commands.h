#pragma once
#include "app/platform_types.h"

#ifdef _WIN32
// The main window's commands and the messages that change the card. Each returns the
// message result.
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnSystemCommand(HWND window, WPARAM wParam, LPARAM lParam);
void OnDestroy();
void OnEndSession(BOOL ending);

void ShowAbout(HWND window);
void ShowOptions(HWND window);
void ShowNextVerse(HWND window);
void GoForth(HWND window);
void ShowCardFromTray(HWND window);
void HideCard(HWND window);
#endif
